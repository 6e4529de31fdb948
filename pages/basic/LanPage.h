#pragma once
#include "PopupPage.h"

class QComboBox;
class QPushButton;

namespace trb {

class IpAddressEdit;

// Basic > LAN: how the access point gets its own address (static or by DHCP).
class LanPage : public PopupPage {
    Q_OBJECT
public:
    explicit LanPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Basic \\ LAN";
    static constexpr int kStaticIndex = 0;

    QComboBox *modeCombo() const { return modeCombo_; }
    IpAddressEdit *ipEdit() const { return ipEdit_; }
    IpAddressEdit *maskEdit() const { return maskEdit_; }
    IpAddressEdit *gatewayEdit() const { return gatewayEdit_; }
    QPushButton *saveButton() const { return saveButton_; }

    // Checks the fields and, when they pass, sends them to the device.
    void Save();

    int ReadOnShow() override;
    void OnReadDone() override;
    void LayoutContent() override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void BuildControls();
    void ApplyEnablingRule();
    bool CopyFieldsForSave(int &mode, QString &ip, QString &mask, QString &gateway);

    QComboBox *modeCombo_;
    IpAddressEdit *ipEdit_;
    IpAddressEdit *maskEdit_;
    IpAddressEdit *gatewayEdit_;
    QPushButton *saveButton_;
};

} // namespace trb
