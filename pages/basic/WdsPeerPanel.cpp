#include "WdsPeerPanel.h"

#include <QGridLayout>
#include <QLabel>

#include "DataExchange.h"
#include "FormCheck.h"
#include "MacAddress.h"
#include "MacAddressEdit.h"
#include "MessageBoxService.h"

namespace trb {
namespace {

const QString kSamePeer = QStringLiteral("The same MAC address has been added!");

void WarnSamePeer(QWidget *parent)
{
    ShowMessageBox(kSamePeer, MessageIcon::Exclamation, QStringLiteral("Warning"), MessageButtons::Ok, parent);
}

} // namespace

WdsPeerPanel::WdsPeerPanel(QWidget *parent) : QGroupBox(QStringLiteral("WDS"), parent)
{
    setObjectName(QStringLiteral("wdsPeerPanel"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Remote AP MAC Address")), 0, 0, 1, 4);
    // One row of four: the device takes four peers.
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(QString::number(i + 1)), 1, 2 * i);
        peers_[i] = new MacAddressEdit;
        peers_[i]->setObjectName(QStringLiteral("wdsPeer%1Edit").arg(i + 1));
        peers_[i]->setAccessibleName(QStringLiteral("Remote AP MAC Address %1").arg(i + 1));
        grid->addWidget(peers_[i], 1, 2 * i + 1);
    }
}

void WdsPeerPanel::Load(const QString &list)
{
    const QStringList entries = list.split(u' ', Qt::SkipEmptyParts);
    for (int i = 0; i < 4; ++i)
        peers_[i]->setText(i < entries.size() ? entries[i] : QString());
}

bool WdsPeerPanel::Collect(QString &list, bool quiet)
{
    QStringList peerList;
    QStringList given;
    for (MacAddressEdit *peer : peers_) {
        const QString text = peer->text().isEmpty() ? MacAddressEdit::kEmptyForm : peer->text();
        const QString plain = MacColonToPlain(text).toUpper();
        if (plain != kEmptySlot && !IsValidUnicastMac(plain)) {
            if (!quiet) {
                DataExchange dx(DataExchange::Saving);
                dx.setLastControl(peer);
                dx.fail(QStringLiteral("Invalid Mac Address!"));
            }
            return false;
        }
        peerList << plain;
        if (plain != kEmptySlot)
            given << plain;
    }
    list = peerList.join(u' ');
    if (quiet)
        return true;
    if (given.isEmpty()) {
        DataExchange dx(DataExchange::Saving);
        dx.setLastControl(peers_[0]);
        dx.fail(QStringLiteral("Please input Mac Address!"));
        return false;
    }
    if (given.removeDuplicates() > 0) {
        WarnSamePeer(window());
        return false;
    }
    return true;
}

void WdsPeerPanel::AddPeer(const QString &bssid)
{
    QString list;
    if (!Collect(list, true))
        return;
    QStringList peerList = list.split(u' ');
    const QString peer = bssid.toUpper();
    if (peerList.contains(peer)) {
        WarnSamePeer(window());
        return;
    }
    const qsizetype free = peerList.indexOf(kEmptySlot);
    if (free < 0)
        return;
    peerList[free] = peer;
    Load(peerList.join(u' '));
}

} // namespace trb
