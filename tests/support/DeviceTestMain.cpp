// main() of the widget tests that talk to a device: offscreen, the device library running,
// and the module's timers shortened by TRB4820_TEST_TIME_SCALE when the target defines it.
#include <gtest/gtest.h>

#include <QApplication>

#include "TRB4820apHelp.h"

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef TRB4820_TEST_TIME_SCALE
    qputenv("TRB4820_TIME_SCALE", TRB4820_TEST_TIME_SCALE);
#endif
    QApplication application(argc, argv);
    apInitSnmpLibrary();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    apUninitSnmpLibrary();
    return result;
}
