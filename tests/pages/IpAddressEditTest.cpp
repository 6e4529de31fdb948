// The IPv4 address field on its own.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "IpAddressEdit.h"

using trb::IpAddressEdit;

TEST(IpAddressEdit, BlankFieldAndTheDevicesNoneReadAsEmpty)
{
    IpAddressEdit edit;
    EXPECT_EQ(edit.text(), QString());
    edit.setText("192.168.1.10");
    EXPECT_EQ(edit.text(), "192.168.1.10");
    for (const char *none : {"", "0.0.0.0", "N/A", "1.2.3", "1.2.3.256"}) {
        edit.setText("10.0.0.1");
        edit.setText(none);
        EXPECT_TRUE(edit.isBlank()) << none;
        EXPECT_EQ(edit.text(), QString()) << none;
    }
}

TEST(IpAddressEdit, TypedAddressMovesThroughTheOctetsAndBlankOctetsReadAsZero)
{
    IpAddressEdit edit;
    edit.show();
    edit.octetEdit(0)->setFocus();
    QTest::keyClicks(edit.octetEdit(0), "10");
    QTest::keyClick(edit.octetEdit(0), Qt::Key_Period);
    QTest::keyClick(edit.octetEdit(1), Qt::Key_Period); // an empty octet does not move on
    QTest::keyClicks(edit.octetEdit(1), "255");         // a full one does
    QTest::keyClicks(edit.octetEdit(2), "999");         // refused: not an octet
    EXPECT_EQ(edit.octetEdit(1)->text(), "255");
    EXPECT_EQ(edit.octetEdit(2)->text(), "99");
    EXPECT_EQ(edit.text(), "10.255.99.0");
}

TEST(IpAddressEdit, TypedZeroAddressStaysZero)
{
    IpAddressEdit edit;
    for (int i = 0; i < 4; ++i)
        QTest::keyClicks(edit.octetEdit(i), "0");
    EXPECT_EQ(edit.text(), "0.0.0.0");
}
