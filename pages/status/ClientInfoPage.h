#pragma once
#include <QStringList>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QLabel;

namespace trb {

class BandListPanel;

// Status > Client Information: the wireless stations associated with the access point.
class ClientInfoPage : public PopupPage {
    Q_OBJECT
public:
    explicit ClientInfoPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Status \\ Client Information";

    struct Panel {
        BandListPanel *box = nullptr;
        QLabel *band = nullptr;  // "(2.4GHz):" or "(5GHz):"
        QLabel *count = nullptr; // the rows in the list
    };
    // panel[0] is the one shown: the band the radio serves. panel[1] holds the other band.
    struct Controls {
        Panel panel[2];
    };
    const Controls &controls() const { return c_; }

    // The cells of a station's row: index, SSID, MAC, band letter, authentication, signal,
    // power-saving mode.
    static QStringList RowTexts(const apClientRecord &record);
    // "dot11a" -> "A" ... ; any other text unchanged.
    static QString BandLetter(const QString &phyMode);

    void RefreshStations();

    int ReadOnShow() override;
    void OnReadDone() override;
    void OnMonitorDone(APHANDLE monitor, int result) override;

private:
    void BuildControls();
    void ShowStations(const std::vector<apClientRecord> &records);

    Controls c_;
    int band_ = 1;
};

} // namespace trb
