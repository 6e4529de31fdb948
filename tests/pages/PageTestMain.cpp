#include <gtest/gtest.h>

#include <QApplication>

#include "TRB4820apHelp.h"

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A 75-second device wait becomes 1.5 s; the 2-second restart delay 40 ms.
    qputenv("TRB4820_TIME_SCALE", "0.02");
    QApplication application(argc, argv);
    apInitSnmpLibrary();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    apUninitSnmpLibrary();
    return result;
}
