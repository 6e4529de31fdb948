// Overtype, Delete, Backspace, selection and set-text rules of the MAC address field.
#include "MacAddressEdit.h"
#include "QtPrinters.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

#include <random>

using trb::MacAddressEdit;

namespace {

const QString kStart = QStringLiteral("AB:CD:EF:12:34:56");
constexpr QChar kDel = u'\x7f';
constexpr QChar kBs = u'\b';

// The field's text before the keys, the caret or selection, the keys, and the outcome.
struct KeyCase {
    const char *name;
    QString before;
    int caret;
    int selectionLength; // a selection from the caret, 0 for none
    const char *keys;    // UTF-8; kDel and kBs stand for Delete and Backspace
    QString after;
    int caretAfter;
};

const KeyCase kKeyCases[] = {
    {"a1IntoEmptyField", "", 0, 0, "a1", "A1:00:00:00:00:00", 3},
    {"a1AfterTwelveZeros", "000000000000", 0, 0, "a1", "A1:00:00:00:00:00", 3},
    {"overwrites", kStart, 0, 0, "0", "0B:CD:EF:12:34:56", 1},
    {"onColonWritesTheNextDigit", kStart, 5, 0, "9", "AB:CD:9F:12:34:56", 7},
    {"skipsTheColonItLandsOn", kStart, 10, 0, "f", "AB:CD:EF:1F:34:56", 12},
    {"lastDigit", kStart, 16, 0, "7", "AB:CD:EF:12:34:57", 17},
    {"nothingAtTheEnd", kStart, 17, 0, "1", kStart, 17},
    {"nonHexIgnored", kStart, 3, 0, "gGz -:.x", kStart, 3},
    {"otherScriptDigitsIgnored", kStart, 3, 0, "\xd9\xa3", kStart, 3}, // U+0663
    {"typingOverASelection", kStart, 6, 5, "1", "AB:CD:1F:12:34:56", 7},
    {"deleteZeroes", kStart, 0, 0, "\x7f", "0B:CD:EF:12:34:56", 1},
    {"deleteStepsOverColon", kStart, 2, 0, "\x7f", kStart, 3},
    {"deleteAtTheEnd", kStart, 17, 0, "\x7f", kStart, 17},
    {"backspaceAfterColonMovesOntoIt", kStart, 3, 0, "\b", kStart, 2},
    {"secondBackspaceZeroes", kStart, 3, 0, "\b\b", "A0:CD:EF:12:34:56", 1},
    {"backspaceAtTheStart", kStart, 0, 0, "\b", kStart, 0},
    {"backspaceAtTheEnd", kStart, 17, 0, "\b", "AB:CD:EF:12:34:50", 16},
    {"deleteSelectionKeepsColons", kStart, 1, 5, "\x7f", "A0:00:EF:12:34:56", 1},
    {"backspaceSelection", kStart, 0, 17, "\b", "00:00:00:00:00:00", 0},
    {"backwardSelection", kStart, 17, -4, "\b", "AB:CD:EF:12:30:00", 13},
};

void PrintTo(const KeyCase &keyCase, std::ostream *out)
{
    *out << keyCase.name;
}

class MacAddressEditKeys : public ::testing::TestWithParam<KeyCase> {};

// Length 17, colons in place, upper-case hex digits everywhere else.
bool HasMacForm(const QString &text)
{
    if (text.size() != 17)
        return false;
    for (int i = 0; i < 17; ++i) {
        const QChar c = text.at(i);
        const bool hex = c.isDigit() || (c >= u'A' && c <= u'F');
        if (MacAddressEdit::IsColonPosition(i) ? c != u':' : !hex)
            return false;
    }
    return true;
}

} // namespace

TEST_P(MacAddressEditKeys, Apply)
{
    const KeyCase &c = GetParam();
    MacAddressEdit edit;
    ASSERT_TRUE(edit.setText(c.before));
    edit.setCursorPosition(c.caret);
    if (c.selectionLength != 0)
        edit.setSelection(c.caret, c.selectionLength);
    for (QChar key : QString::fromUtf8(c.keys)) {
        if (key == kDel || key == kBs)
            QTest::keyClick(&edit, key == kDel ? Qt::Key_Delete : Qt::Key_Backspace);
        else
            QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key(key.toUpper().unicode()), QString(key),
                                Qt::NoModifier);
    }
    EXPECT_EQ(edit.text(), c.after);
    EXPECT_EQ(edit.cursorPosition(), c.caretAfter);
    EXPECT_FALSE(edit.hasSelectedText());
}

INSTANTIATE_TEST_SUITE_P(Rules, MacAddressEditKeys, ::testing::ValuesIn(kKeyCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(MacAddressEdit, StartsAsTheEmptyFormWithLimitAndSize)
{
    MacAddressEdit edit;
    EXPECT_EQ(edit.text(), "00:00:00:00:00:00");
    EXPECT_EQ(edit.maxLength(), 17);
    EXPECT_EQ(edit.size(), QSize(110, 20));
}

TEST(MacAddressEdit, SetTextTakesPlainOrColonFormAndRefusesTheRest)
{
    MacAddressEdit edit;
    EXPECT_TRUE(edit.setText(QStringLiteral("00a0c5123456")));
    EXPECT_EQ(edit.text(), "00:A0:C5:12:34:56");
    EXPECT_TRUE(edit.setText(QStringLiteral("ff:ee:dd:cc:bb:aa")));
    EXPECT_EQ(edit.text(), "FF:EE:DD:CC:BB:AA");
    for (const QString &bad : QStringList{"0011223344", "0011223344556", "00-11-22-33-44-55",
                                          "00:11:22:33:44:5G", "00112233445G", "0:11:22:33:44:556",
                                          " 00:11:22:33:44:55"}) {
        EXPECT_FALSE(edit.setText(bad)) << qPrintable(bad);
        EXPECT_EQ(edit.text(), "FF:EE:DD:CC:BB:AA") << qPrintable(bad);
    }
    EXPECT_TRUE(edit.setText(QString()));
    EXPECT_EQ(edit.text(), "00:00:00:00:00:00");
}

TEST(MacAddressEdit, TwelveZerosLeaveItEmptyUntilAKeyOrFocusChange)
{
    MacAddressEdit edit;
    EXPECT_TRUE(edit.setText(QStringLiteral("000000000000")));
    EXPECT_EQ(edit.text(), "");
    for (QEvent::Type type : {QEvent::FocusIn, QEvent::FocusOut}) {
        edit.setText(QStringLiteral("000000000000"));
        QFocusEvent focus(type);
        QApplication::sendEvent(&edit, &focus);
        EXPECT_EQ(edit.text(), "00:00:00:00:00:00");
        EXPECT_EQ(edit.maxLength(), 17);
    }
}

TEST(MacAddressEdit, PasteTakesOnlyAWholeAddressAndNothingElseEdits)
{
    MacAddressEdit edit;
    QApplication::clipboard()->setText(QStringLiteral("0011aabbccdd"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), "00:11:AA:BB:CC:DD");
    for (const QString &junk : QStringList{"hello", "12", "000000000000"}) {
        QApplication::clipboard()->setText(junk);
        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    }
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    edit.setReadOnly(true);
    edit.setCursorPosition(0);
    QTest::keyClicks(&edit, QStringLiteral("1"));
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.text(), "00:11:AA:BB:CC:DD");
}

TEST(MacAddressEdit, NoKeySequenceBreaksTheForm)
{
    MacAddressEdit edit;
    std::mt19937 random(4820);
    const QList<Qt::Key> keys = {Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_Left, Qt::Key_Right,
                                 Qt::Key_Home,   Qt::Key_End,       Qt::Key_A,    Qt::Key_F,
                                 Qt::Key_G,      Qt::Key_0,         Qt::Key_9,    Qt::Key_Space,
                                 Qt::Key_Colon,  Qt::Key_Minus};
    for (int step = 0; step < 2000; ++step) {
        const Qt::Key key = keys[random() % keys.size()];
        const Qt::KeyboardModifiers shift = random() % 3 == 0 ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::keyClick(&edit, key, shift);
        ASSERT_TRUE(HasMacForm(edit.text())) << step << " " << qPrintable(edit.text());
    }
}
