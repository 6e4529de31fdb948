#pragma once
#include <QStringList>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace trb {

class DataExchange;

// Advanced > Performance: the radio parameters of the band the device serves.
class PerformancePage : public PopupPage {
    Q_OBJECT
public:
    explicit PerformancePage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Advanced \\ Performance";

    struct Controls {
        QComboBox *band = nullptr; // hidden: the page works on the device's current band
        QComboBox *radio = nullptr;
        QComboBox *wirelessMode = nullptr;
        QComboBox *dataRate = nullptr;
        QLineEdit *beacon = nullptr;
        QLineEdit *dtim = nullptr;
        QComboBox *transmitPower = nullptr;
        QComboBox *wmm = nullptr;
        QLabel *ackLabel = nullptr;
        QLineEdit *ack = nullptr;
        QComboBox *shortGi = nullptr;
        QComboBox *igmp = nullptr;
        QComboBox *connectionLimit = nullptr;
        QLineEdit *userLimit = nullptr;
        QComboBox *utilization = nullptr; // hidden on this model
        QComboBox *multicastRate = nullptr;
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }

    // The drop-down indexes and numbers of the record; the rate texts stay in the record.
    struct Values {
        int radio = 0; // 0 On, 1 Off
        int wirelessMode = -1;
        int beacon = 0, dtim = 0, ack = 0, userLimit = 0;
        int transmitPower = 0, wmm = 0, shortGi = 0, igmp = 0, connectionLimit = 0, utilization = 0;
    };
    // modeIndex: the "Wireless Mode " entry of the record's code.
    static Values FromRecord(const apPerformanceRecord &record, int modeIndex);
    // Everything but the wireless mode code and the rate texts.
    static void ToRecord(const Values &values, apPerformanceRecord &record);
    // Whether the primary SSID's security rules out 802.11n (WEP on, TKIP, 802.1x).
    static bool SecurityExcludes11n(int type, const apSecurityBlock &block);

    void Save();

    int ReadOnShow() override;
    void OnReadDone() override;
    void UpdateEnabling() override;

private:
    void BuildControls();
    void LoadBand(int band);
    void FillRates(const apPerformanceRecord &record);
    void ApplyApModeRules();
    void Apply11nRule();
    void OnWirelessModeChosen();
    void Exchange(DataExchange &dx, Values &values);


    Controls c_;
    apPerformanceRecord record_{};
    int band_ = 1;
    int bandCount_ = 1;
    int apMode_ = 0;
    bool restricted_ = false;
    QStringList multicastList_;
};

} // namespace trb
