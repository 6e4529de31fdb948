// The shared page toolkit on its own: slot texts, form rows, the two-call table read and the
// column descriptions that fill a record list.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QWidget>

#include <climits>

#include <cstring>

#include "ActionIconListCtrl.h"
#include "DeviceTable.h"
#include "FormRows.h"
#include "IpAddressEdit.h"
#include "ListCopy.h"
#include "PleaseWaitDialog.h"
#include "RecordText.h"
#include "RecordingMessageBox.h"
#include "ScriptedFileDialogs.h"

using namespace trb;

namespace {

struct Slots {
    char text[8];
    char after[4];
};

TEST(RecordText, WritesAreBoundedTerminatedAndZeroFilled)
{
    struct Case {
        const char *written;
        const char *read;
    } cases[] = {{"", ""}, {"abc", "abc"}, {"1234567", "1234567"}, {"12345678", "1234567"},
                 {"far too long for the slot", "far too"}};
    for (const Case &c : cases) {
        Slots s;
        std::memset(&s, 'x', sizeof s);
        SetRecordText(s.text, QString::fromLatin1(c.written));
        EXPECT_EQ(RecordText(s.text), QString::fromLatin1(c.read)) << c.written;
        EXPECT_EQ(s.text[sizeof s.text - 1], '\0') << c.written;
        for (std::size_t i = std::strlen(c.read); i < sizeof s.text; ++i)
            EXPECT_EQ(s.text[i], '\0') << c.written << " byte " << i;
        EXPECT_EQ(std::string(s.after, 4), "xxxx") << "the next slot is untouched";
    }
}

TEST(RecordText, ReadStopsAtTheSlotWithoutATerminator)
{
    Slots s;
    std::memset(s.text, 'A', sizeof s.text);
    std::memcpy(s.after, "BBB", 4);
    EXPECT_EQ(RecordText(s.text), "AAAAAAAA");
    EXPECT_EQ(SlotView(s.text), "AAAAAAAA");
}

TEST(FormRows, EachRowNamesItsControlAndLabelsIt)
{
    QWidget form;
    FormRows rows = FormRows::On(&form);
    auto *combo = rows.Add(QStringLiteral("Get IP From "), new QComboBox, "getIpFromCombo");
    QLabel *value = rows.AddValue(QStringLiteral("Firmware Version"), "firmwareValue", "1.0");
    EXPECT_EQ(combo->objectName(), "getIpFromCombo");
    EXPECT_EQ(combo->accessibleName(), "Get IP From");
    EXPECT_EQ(value->objectName(), "firmwareValue");
    EXPECT_EQ(value->text(), "1.0");
    EXPECT_EQ(rows.lastLabel()->text(), "Firmware Version");
    EXPECT_EQ(rows.lastLabel()->buddy(), value);
    EXPECT_EQ(rows.grid()->itemAtPosition(0, 1)->widget(), combo);
    EXPECT_EQ(rows.grid()->itemAtPosition(1, 0)->widget(), rows.lastLabel());

    // An address field's octet boxes are named after its row, for tests and screen readers.
    auto *gateway = rows.Add(QStringLiteral("Gateway "), new IpAddressEdit, "gatewayEdit");
    EXPECT_EQ(gateway->objectName(), "gatewayEdit");
    EXPECT_EQ(gateway->accessibleName(), "Gateway");
    auto *fourth = form.findChild<QLineEdit *>(QStringLiteral("gatewayEditOctet4"));
    ASSERT_NE(fourth, nullptr);
    EXPECT_EQ(fourth->accessibleName(), "Gateway octet 4");
}

struct Pair {
    uint32_t index;
    char ip[20];
    char mac[20];
};
struct PairList {
    uint32_t count;
    Pair *rows;
};

// A device list call as the library has them: counts without a buffer, fills at most count.
struct FakeList {
    std::vector<Pair> device;
    int calls = 0;
    bool failSecond = false;
    int operator()(PairList &list)
    {
        ++calls;
        if (!list.rows) {
            list.count = uint32_t(device.size());
            return 0;
        }
        if (failSecond)
            return 5;
        // A zero-filled buffer: every byte the device does not write stays 0.
        for (uint32_t i = 0; i < list.count; ++i)
            for (std::size_t b = 0; b < sizeof(Pair); ++b)
                EXPECT_EQ(reinterpret_cast<const char *>(&list.rows[i])[b], 0);
        list.count = std::min<uint32_t>(list.count, uint32_t(device.size()));
        std::copy_n(device.begin(), list.count, list.rows);
        return 0;
    }
};

// Forms at different depths (one inside a group box) get one column of fields, and a form
// that is hidden does not push the others.
TEST(FormRows, LinedUpFormsHaveOneFieldColumnAndOneRightEdge)
{
    QWidget page;
    auto *layout = new QVBoxLayout(&page);
    auto *top = new QWidget;
    FormRows upper = FormRows::On(top);
    auto *shortField = upper.Add(QStringLiteral("Mode"), new QLineEdit, "modeEdit");
    auto *box = new QGroupBox(QStringLiteral("Key Settings"));
    FormRows inner = FormRows::On(box);
    auto *plainField = inner.Add(QStringLiteral("Cipher Type"), new QLineEdit, "cipherEdit");
    auto *longField = inner.Add(QStringLiteral("Group Key Update Interval"), new QLineEdit, "intervalEdit");
    auto *unit = new QLabel(QStringLiteral("(Seconds)"));
    inner.grid()->addWidget(unit, inner.grid()->rowCount() - 1, 2);
    auto *hidden = new QWidget;
    FormRows unseen = FormRows::On(hidden);
    unseen.Add(QStringLiteral("A label far longer than any other on this page"), new QLineEdit, "hiddenEdit");
    for (QWidget *part : {top, static_cast<QWidget *>(box), hidden})
        layout->addWidget(part);
    hidden->hide();
    page.resize(500, 300);
    page.show();
    LineUpFieldColumns(&page);
    QCoreApplication::processEvents(); // the forms lay out again
    const int upperAt = shortField->mapTo(&page, QPoint(0, 0)).x();
    const int innerAt = longField->mapTo(&page, QPoint(0, 0)).x();
    EXPECT_EQ(upperAt, innerAt);
    const QLabel *label = inner.lastLabel();
    const int textEnd = label->mapTo(&page, QPoint(label->contentsRect().right(), 0)).x();
    EXPECT_GE(innerAt - textEnd, 10) << "the label touches its field";
    EXPECT_LT(innerAt, 300) << "the hidden form's label pushed the fields";
    EXPECT_EQ(plainField->geometry().right(), unit->geometry().right()) << "a field without a unit spans the unit column";
    EXPECT_LT(longField->geometry().right(), unit->geometry().left());
}

TEST(ReadTable, CountsThenFillsAndGivesNothingOnFailure)
{
    FakeList empty;
    EXPECT_TRUE((ReadTable<Pair, PairList>(std::ref(empty))).empty());
    EXPECT_EQ(empty.calls, 1) << "no second call for an empty table";

    FakeList two{{{0, "10.0.0.1", "001122334455"}, {1, "10.0.0.2", "00AABBCCDDEE"}}};
    const std::vector<Pair> rows = ReadTable<Pair, PairList>(std::ref(two));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_STREQ(rows[1].ip, "10.0.0.2");
    EXPECT_EQ(two.calls, 2);

    FakeList failing{{{0, "10.0.0.1", "001122334455"}}, 0, true};
    EXPECT_TRUE((ReadTable<Pair, PairList>(std::ref(failing))).empty());
}

TEST(RecordColumns, SetUpAndFillAnIconList)
{
    const RecordColumn<Pair> columns[] = {
        {"Index", 0, &Pair::index},
        {"Gateway IP Address", 130, &Pair::ip},
        {"Gateway MAC Address", 130, &Pair::mac},
        {"Edit", 60, ColumnRole::EditIcon},
        {"Delete", 60, ColumnRole::DeleteIcon},
    };
    ActionIconListCtrl list;
    SetUpColumns<Pair>(list, columns);
    EXPECT_EQ(list.columnCount(), 5);
    EXPECT_EQ(list.columnWidth(1), 130);
    EXPECT_EQ(list.editColumn(), 3);
    EXPECT_EQ(list.deleteColumn(), 4);

    FillRecordList<Pair>(list, {{7, "10.0.0.1", "001122334455"}, {9, "10.0.0.2", "00AABBCCDDEE"}}, columns);
    FillRecordList<Pair>(list, {{7, "10.0.0.1", "001122334455"}, {9, "10.0.0.2", "00AABBCCDDEE"}}, columns);
    ASSERT_EQ(list.rowCount(), 2) << "a refill replaces the rows";
    EXPECT_EQ(list.cellText(1, 0), "9");
    EXPECT_EQ(list.cellText(1, 1), "10.0.0.2");
    EXPECT_EQ(list.cellText(0, 2), "001122334455");
    EXPECT_EQ(list.cellText(0, 3), "");
}

// Every text a page puts into the wait dialog shows whole: wrapped inside the text's label, the
// label inside the dialog and clear of the elapsed-time bar.
TEST(PleaseWaitDialog, EveryWaitTextShowsWhole)
{
    const char *const texts[] = {
        "Please wait...",
        "Device is rebooting, please wait...",
        "Refresh gettings, Please wait...",
        "Device is rebooting,Please Wait...",
        "Device is activing,Please Wait...",
        "Updating Firmware file. The device is active, please don't power it off !",
        "Updating Certification file. The device is active, please don't power it off !",
        "Updating Certification Key file. The device is active, please don't power it off !",
        "Updating Language Pack file. The device is active, please don't power it off !",
        "Upgrading config file, please wait...",
        "Downloading config file, please wait...",
        "Updating ACL file, please wait...",
        "Downloading ACL file, please wait...",
        "   Scanning... \n\n   Please wait...",
        "PVID Setting..., Please wait...",
        "Scanning, Please wait...",
    };
    QWidget page;
    for (const char *text : texts) {
        SCOPED_TRACE(text);
        PleaseWaitDialog dialog(&page);
        dialog.SetText(QString::fromLatin1(text));
        dialog.show();
        QCoreApplication::processEvents();
        const auto *label = dialog.findChild<QLabel *>(QStringLiteral("waitText"));
        const auto *bar = dialog.findChild<QStatusBar *>(QStringLiteral("waitStatusBar"));
        ASSERT_TRUE(label && bar);
        const QRect room = label->contentsRect();
        const QFontMetrics metrics = label->fontMetrics();
        const QRect needed = metrics.boundingRect(QRect(0, 0, room.width(), INT_MAX),
                                                  Qt::TextWordWrap | Qt::AlignCenter, label->text());
        EXPECT_LE(needed.width(), room.width());
        // Whole lines: the rectangle's height rounds the font's fractional line height up.
        const int lines = qRound(double(needed.height()) / metrics.lineSpacing());
        EXPECT_LE(lines * metrics.lineSpacing(), room.height()) << lines << " lines";
        EXPECT_TRUE(dialog.rect().contains(label->geometry()));
        EXPECT_LE(label->geometry().bottom(), bar->geometry().top());
        EXPECT_EQ(dialog.width(), PleaseWaitDialog::kWidth);
    }
}

} // namespace

// Cells that would break a line, a column or a quote come out as one cell; a failed save says so.
TEST(CopyRowsText, CellsStayWholeInTabsAndCsvAndASaveThatFailsSaysWhy)
{
    QTableWidget list(2, 3);
    list.setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Ports"), QStringLiteral("Hidden")});
    list.setColumnHidden(2, true);
    const QStringList cells = {QStringLiteral("Lab, \"north\""), QStringLiteral("1-4\r\n7\t8"), QStringLiteral("key"),
                               QStringLiteral(" padded"), QStringLiteral("9"), QStringLiteral("key")};
    for (int i = 0; i < cells.size(); ++i)
        list.setItem(i / 3, i % 3, new QTableWidgetItem(cells[i]));
    EXPECT_EQ(ListCopy::Text(list, {}, ListCopy::Format::Tabs),
              QStringLiteral("Name\tPorts\r\nLab, \"north\"\t1-4 7 8\r\n padded\t9\r\n"));
    EXPECT_EQ(ListCopy::Text(list, {1}, ListCopy::Format::Csv), QStringLiteral("Name,Ports\r\n\" padded\",9\r\n"));
    EXPECT_EQ(ListCopy::Text(list, {0}, ListCopy::Format::Csv),
              QStringLiteral("Name,Ports\r\n\"Lab, \"\"north\"\"\",1-4 7\t8\r\n"));

    ListCopy::Attach(&list);
    ListCopy::Attach(&list);
    ASSERT_EQ(list.actions().size(), 3) << "attached once";
    QTemporaryDir dir;
    ScriptedFileDialogs dialogs;
    RecordingMessageBox messages;
    dialogs.queueAnswer(dir.filePath(QStringLiteral("list.csv")));
    dialogs.queueAnswer(dir.filePath(QStringLiteral("missing/list.csv")));
    list.actions()[2]->trigger();
    QFile saved(dir.filePath(QStringLiteral("list.csv")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(saved.readAll()), ListCopy::Text(list, {}, ListCopy::Format::Csv));
    list.actions()[2]->trigger();
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_TRUE(messages.shown()[0].text.startsWith(QStringLiteral("Cannot write file"))) << messages.shown()[0].text.toStdString();
}
