#include "ArpSpoofingPage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ActionIconListCtrl.h"
#include "AddressValidation.h"
#include "DeviceTable.h"
#include "FormRows.h"
#include "IpAddressEdit.h"
#include "MacAddress.h"
#include "ProcessValues.h"
#include "RecordText.h"

namespace trb {
namespace {

enum Column { IndexColumn, IpColumn, MacColumn, EditColumn, DeleteColumn };

const RecordColumn<apArpEntry> kColumns[] = {
    {"Index", 0, &apArpEntry::index},
    {"Gateway IP Address", 130, &apArpEntry::ipAddress},
    {"Gateway MAC Address", 130, &apArpEntry::macAddress},
    {"Edit", 60, ColumnRole::EditIcon},
    {"Delete", 60, ColumnRole::DeleteIcon},
};

// The shape ReadTable fills, over the library's list header.
struct GatewayHeader {
    int32_t count = 0;
    apArpEntry *rows = nullptr;
};

const QString kWarning = QStringLiteral("Warning");

} // namespace

ArpSpoofingPage::ArpSpoofingPage(QWidget *parent)
    : PopupPage(QString::fromLatin1(kTitle), parent), editRow_(int(kNewEntryIndex))
{
    BuildControls();
    primaryHandle = apAdvARPOpen(sessionHandle, 0);
}

void ArpSpoofingPage::BuildControls()
{
    auto *top = new QWidget;
    FormRows rows = FormRows::On(top);
    c_.state = rows.Add(QStringLiteral("ARP Spoofing Prevention"), new QComboBox, "arpSpoofingCombo");
    c_.state->addItems({QStringLiteral("Disable"), QStringLiteral("Enable")});

    auto *addGroup = new QGroupBox(QStringLiteral("Add Gateway Address"));
    FormRows entry = FormRows::On(addGroup);
    c_.ip = entry.Add(QStringLiteral("Gateway IP Address"), new IpAddressEdit, "gatewayIpEdit");
    c_.mac = entry.Add(QStringLiteral("Gateway MAC Address"), new QLineEdit, "gatewayMacEdit");
    c_.mac->setMaxLength(12);
    c_.add = PageButton(QStringLiteral("Add"), "addButton");
    c_.add->setProperty(kWritesEditedRowProperty, true);
    c_.clear = PageButton(QStringLiteral("Clear"), "clearButton");
    auto *entryButtons = ButtonRow({c_.add, c_.clear});
    entry.grid()->addLayout(entryButtons, entry.grid()->rowCount(), 0, 1, 2);

    auto *listGroup = new QGroupBox(QStringLiteral("Gateway Address List"));
    auto *listLayout = new QVBoxLayout(listGroup);
    c_.total = Named(new QLabel(QStringLiteral("Total Entries:")), "totalEntriesLabel", "Total Entries");
    c_.deleteAll = PageButton(QStringLiteral("Delete All"), "deleteAllButton");
    auto *totalRow = new QHBoxLayout;
    totalRow->addWidget(c_.total);
    totalRow->addStretch(1);
    totalRow->addWidget(c_.deleteAll);
    listLayout->addLayout(totalRow);
    c_.list = Named(new ActionIconListCtrl, "gatewayList", "Gateway Address List");
    c_.list->setSelectionBehavior(QAbstractItemView::SelectRows);
    SetUpColumns<apArpEntry>(*c_.list, kColumns);
    c_.list->setColumnHidden(IndexColumn, true);
    c_.list->setMinimumWidth(400); // the four visible columns without a scroll bar
    listLayout->addWidget(c_.list);

    c_.save = PageButton(QStringLiteral("Save"), "saveButton");
    auto *buttons = ButtonRow({c_.save});
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(top);
    layout->addWidget(addGroup);
    layout->addWidget(listGroup, 1);
    layout->addLayout(buttons);

    connect(c_.state, &QComboBox::currentIndexChanged, this, &ArpSpoofingPage::UpdateEnabling);
    connect(c_.add, &QPushButton::clicked, this, &ArpSpoofingPage::Add);
    connect(c_.clear, &QPushButton::clicked, this, &ArpSpoofingPage::Clear);
    connect(c_.deleteAll, &QPushButton::clicked, this, &ArpSpoofingPage::DeleteAll);
    connect(c_.save, &QPushButton::clicked, this, &ArpSpoofingPage::Save);
    connect(c_.list, &ActionIconListCtrl::editClicked, this, &ArpSpoofingPage::EditRow);
    connect(c_.list, &ActionIconListCtrl::deleteClicked, this, &ArpSpoofingPage::DeleteRow);
    LayoutContent();
}

int ArpSpoofingPage::editingRow() const { return editRow_ == int(kNewEntryIndex) ? -1 : editRow_; }

int ArpSpoofingPage::ReadOnShow()
{
    apStyleModify(primaryHandle, AP_ARP_GROUP_ALL, 0);
    return 1;
}

void ArpSpoofingPage::OnReadDone()
{
    int state = 0;
    apAdvARPGetParam(primaryHandle, &state);
    c_.state->setCurrentIndex(state == 1 ? 1 : 0);
    entries_ = ReadTable<apArpEntry, GatewayHeader>([this](GatewayHeader &header) {
        apArpList list{header.count, header.rows};
        const int result = apAdvARPGetList(primaryHandle, &list);
        header.count = list.count;
        return result;
    });
    FillRecordList<apArpEntry>(*c_.list, entries_, kColumns);
    c_.total->setText(QStringLiteral("Total Entries: %1").arg(entries_.size()));
    // Rows may have moved: an edit goes on with the row that holds the edited pair, if any.
    const int edited = editRow_;
    editRow_ = int(kNewEntryIndex);
    for (int row = 0; edited != int(kNewEntryIndex) && row < c_.list->rowCount(); ++row)
        if (c_.list->cellText(row, IpColumn) == editedPair_.first && c_.list->cellText(row, MacColumn) == editedPair_.second)
            editRow_ = row;
}

void ArpSpoofingPage::UpdateEnabling()
{
    const bool on = c_.state->currentIndex() == 1;
    const int rows = c_.list->rowCount();
    SetEnabled({c_.ip, c_.mac}, on);
    SetEnabled({c_.add, c_.clear}, on && (rows < kMaxGateways || editingRow() >= 0));
    c_.deleteAll->setEnabled(on && rows > 0);
}

bool ArpSpoofingPage::TakenByOtherRow(int column, const QString &text) const
{
    for (int row = 0; row < c_.list->rowCount(); ++row)
        if (row != editingRow() && c_.list->cellText(row, column) == text)
            return true;
    return false;
}

bool ArpSpoofingPage::CheckEntry(QString &ip, QString &mac)
{
    ip = c_.ip->text();
    if (c_.ip->isBlank())
        return RejectCheck(QStringLiteral("Please Input IP Address!"), kWarning, c_.ip);
    if (!IsValidHostIp(ip)) {
        c_.ip->clear();
        return RejectCheck(QStringLiteral("Invalid IP Address."), kWarning, c_.ip);
    }
    if (TakenByOtherRow(IpColumn, ip))
        return RejectCheck(QStringLiteral("The IP Address has already been added in the list!"), kWarning, c_.ip);
    mac = c_.mac->text().toUpper();
    c_.mac->setText(mac);
    if (mac.isEmpty())
        return RejectCheck(QStringLiteral("Please Input MAC Address!"), kWarning, c_.mac);
    if (!IsValidUnicastMac(mac) || mac == QLatin1String("000000000000"))
        return RejectCheck(QStringLiteral("Please input valid MAC Address."), QStringLiteral("Error"), c_.mac);
    if (TakenByOtherRow(MacColumn, mac))
        return RejectCheck(QStringLiteral("The MAC Address has already been added in the list!"), kWarning, c_.mac);
    return true;
}

void ArpSpoofingPage::Add()
{
    QString ip, mac;
    if (!CheckEntry(ip, mac))
        return;
    const QByteArray ipBytes = ip.toLatin1(), macBytes = mac.toLatin1();
    const int staged = editingRow() < 0
                           ? apAdvARPAdd(primaryHandle, ipBytes.constData(), macBytes.constData())
                           : apAdvARPEdit(primaryHandle, editRow_, ipBytes.constData(), macBytes.constData());
    if (staged != 0)
        return ShowLibraryError(staged); // nothing staged: nothing to send
    // The form keeps what was typed until the device has taken it: a refusal loses nothing.
    formWrite_ = true;
    WriteListChange();
}

void ArpSpoofingPage::Clear()
{
    c_.ip->clear();
    c_.mac->clear();
}

void ArpSpoofingPage::EditRow(int row)
{
    if (row < 0 || row >= c_.list->rowCount())
        return;
    editRow_ = row;
    editedPair_ = {c_.list->cellText(row, IpColumn), c_.list->cellText(row, MacColumn)};
    c_.ip->setText(c_.list->cellText(row, IpColumn));
    c_.mac->setText(c_.list->cellText(row, MacColumn));
    UpdateEnabling();
}

void ArpSpoofingPage::DeleteRow(int row)
{
    if (row < 0 || row >= c_.list->rowCount())
        return;
    const QByteArray ip = c_.list->cellText(row, IpColumn).toLatin1();
    const QByteArray mac = c_.list->cellText(row, MacColumn).toLatin1();
    if (const int staged = apAdvARPDel(primaryHandle, ip.constData(), mac.constData()))
        return ShowLibraryError(staged);
    WriteListChange();
    Clear();
    editRow_ = int(kNewEntryIndex);
}

// Every removal goes out in one set request: the device takes all of them or none, and a
// failure is reported instead of being lost among writes nobody waits for.
void ArpSpoofingPage::DeleteAll()
{
    if (!Confirm(QStringLiteral("Are you sure delete all the rules?")))
        return;
    for (int row = 0; row < c_.list->rowCount(); ++row) {
        const QByteArray ip = c_.list->cellText(row, IpColumn).toLatin1();
        const QByteArray mac = c_.list->cellText(row, MacColumn).toLatin1();
        if (const int staged = apAdvARPDel(primaryHandle, ip.constData(), mac.constData()))
            return ShowLibraryError(staged); // the list is the last read: only a lost handle gets here
    }
    WriteListChange();
    Clear();
    editRow_ = int(kNewEntryIndex);
}

void ArpSpoofingPage::Save()
{
    writeMode_ = StateOnly;
    apAdvARPSetParam(primaryHandle, c_.state->currentIndex());
    RequestWrite();
    Clear();
}

void ArpSpoofingPage::WriteListChange()
{
    apAdvARPSetParam(primaryHandle, c_.state->currentIndex());
    writeMode_ = WriteAndRead;
    if (RequestWrite() != 0) {
        writeMode_ = NoWrite;
        formWrite_ = false;
    }
}

void ArpSpoofingPage::OnWriteDone(int result)
{
    const WriteMode mode = writeMode_;
    writeMode_ = NoWrite;
    if (formWrite_ && result == 0) {
        Clear();
        editRow_ = int(kNewEntryIndex);
    }
    formWrite_ = false;
    if (mode == WriteAndRead)
        RequestRead();
}

void ArpSpoofingPage::ShowLibraryError(int code)
{
    char text[256] = {};
    apSnmpGetErrorMsg(code, text);
    ShowMessage(QString::fromLatin1(text));
}

} // namespace trb
