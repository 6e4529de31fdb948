#pragma once
// The WDS peers of the radio: four MAC address fields.
#include <QGroupBox>

#include <array>

namespace trb {

class MacAddressEdit;

class WdsPeerPanel : public QGroupBox {
    Q_OBJECT
public:
    static inline const QString kEmptySlot = QStringLiteral("000000000000");

    explicit WdsPeerPanel(QWidget *parent = nullptr);

    const std::array<MacAddressEdit *, 4> &peers() const { return peers_; }

    // The device's list: blank-separated, 12 hex digits each.
    void Load(const QString &list);
    // Checks the fields and builds the device's list; false after the message (none when quiet).
    bool Collect(QString &list, bool quiet = false);
    // Puts `bssid` into the first empty slot: a duplicate is refused with its warning; without a
    // free slot nothing happens.
    void AddPeer(const QString &bssid);

private:
    std::array<MacAddressEdit *, 4> peers_{};
};

} // namespace trb
