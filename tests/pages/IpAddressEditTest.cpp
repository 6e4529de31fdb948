// The IPv4 address field on its own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
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

namespace {

// The field in a window of its own, active, so that keys go where a user's keys would go:
// to whichever box has the focus.
class IpAddressEditTyping : public ::testing::Test {
protected:
    void SetUp() override
    {
        edit.show();
        edit.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
    }
    // Clicks into the first box and selects everything in it, as a user starting over does.
    void StartInFirstBox()
    {
        QTest::mouseClick(edit.octetEdit(0), Qt::LeftButton);
        QTest::keyClick(edit.octetEdit(0), Qt::Key_A, Qt::ControlModifier);
    }
    // Sends each character to the focused box; '\b' is Backspace.
    void Type(const QString &keys)
    {
        for (const QChar key : keys) {
            QWidget *focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            if (key == u'\b')
                QTest::keyClick(focused, Qt::Key_Backspace);
            else
                QTest::keyClick(focused, key.toLatin1());
        }
    }
    IpAddressEdit edit;
};

struct TypedCase {
    const char *before; // what the field held
    const char *keys;
    const char *shown;
};

TEST_F(IpAddressEditTyping, TypedAddressGivesExactlyWhatWasTyped)
{
    const TypedCase cases[] = {
        {"192.168.1.10", "192.168.1.21", "192.168.1.21"},
        {"", "192.168.1.21", "192.168.1.21"},
        {"192.168.1.10", "10.0.0.1", "10.0.0.1"},
        {"", "10.0.0.1", "10.0.0.1"},
        {"10.20.30.40", "255.255.255.0", "255.255.255.0"},
        {"", "255.255.255.0", "255.255.255.0"},
        {"10.20.30.40", "1.2.3.4", "1.2.3.4"},
        {"", "1.2.3.4", "1.2.3.4"},
        // Backspace across boxes takes back what was typed, dot or digit.
        {"", "10.\b5", "105.0.0.0"},
        {"", "192\b", "19.0.0.0"},
        {"", "192.\b\b1", "191.0.0.0"},
        {"", "192.168\b\b\b\b\b7.1.2.3", "197.1.2.3"},
        {"10.20.30.40", "172.16.\b\b\b\b\b\b\b\b9.1.1.1", "9.1.1.1"},
    };
    for (const TypedCase &c : cases) {
        edit.setText(c.before);
        StartInFirstBox();
        Type(c.keys);
        EXPECT_EQ(edit.text().toStdString(), c.shown) << c.before << " + " << QString(c.keys).replace('\b', "<BS>").toStdString();
    }
}

TEST_F(IpAddressEditTyping, DotMovesOnOnlyAfterDigitsTypedInThatBox)
{
    edit.setText("192.168.1.10");
    StartInFirstBox();
    Type("192");
    EXPECT_EQ(QApplication::focusWidget(), edit.octetEdit(1)); // a full octet moves on
    Type(".");
    EXPECT_EQ(QApplication::focusWidget(), edit.octetEdit(1)); // the dot after it does not
    Type("168");
    EXPECT_EQ(QApplication::focusWidget(), edit.octetEdit(2));
    Type("..");
    EXPECT_EQ(QApplication::focusWidget(), edit.octetEdit(2));
    Type("1.");
    EXPECT_EQ(QApplication::focusWidget(), edit.octetEdit(3));
    Type("21");
    EXPECT_EQ(edit.text(), "192.168.1.21");
}

TEST_F(IpAddressEditTyping, PastedAddressFillsTheFieldAndAnythingElseChangesNothing)
{
    const std::pair<const char *, const char *> cases[] = {
        {"172.16.5.4", "172.16.5.4"},
        {" 10.0.0.1\n", "10.0.0.1"},
        {"172.16.5", "192.168.1.10"},
        {"172.16.5.256", "192.168.1.10"},
        {"a.b.c.d", "192.168.1.10"},
    };
    for (const auto &[clipboard, shown] : cases) {
        edit.setText("192.168.1.10");
        StartInFirstBox();
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit.text().toStdString(), shown) << clipboard;
    }
    // Into a box that holds digits, with the cursor after them: still the whole address.
    edit.setText("192.168.1.10");
    QTest::mouseClick(edit.octetEdit(1), Qt::LeftButton);
    edit.octetEdit(1)->end(false);
    QGuiApplication::clipboard()->setText("172.16.5.4");
    QTest::keyClick(edit.octetEdit(1), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "172.16.5.4");
    // Through the box's own paste (the context menu's), replacing its selection.
    edit.setText("192.168.1.10");
    edit.octetEdit(0)->selectAll();
    edit.octetEdit(0)->paste();
    EXPECT_EQ(edit.text(), "172.16.5.4");
    QGuiApplication::clipboard()->setText("10.1.2");
    edit.octetEdit(0)->selectAll();
    edit.octetEdit(0)->paste();
    EXPECT_EQ(edit.text(), "172.16.5.4");
}

} // namespace
