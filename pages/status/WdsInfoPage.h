#pragma once
#include <QStringList>

#include <vector>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QLabel;

namespace trb {

class BandListPanel;

// Status > WDS Information: the WDS peers of the access point, with the band's channel.
class WdsInfoPage : public PopupPage {
    Q_OBJECT
public:
    explicit WdsInfoPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Status \\ WDS Information";

    struct Panel {
        BandListPanel *box = nullptr;
        QLabel *channel = nullptr;   // "36"
        QLabel *frequency = nullptr; // "(5.180GHz)"
    };
    // panel[0] is the one shown: the band the radio serves. panel[1] holds the other band.
    struct Controls {
        Panel panel[2];
    };
    const Controls &controls() const { return c_; }

    // The cells of a peer's row: index, name, MAC, authentication, signal, status. An unused
    // MAC, an authentication of "0" and a signal of 0 are shown empty.
    static QStringList RowTexts(const apWdsPeerRecord &record);
    // Whether the slot holds a peer at all (its status is not "empty").
    static bool IsShown(const apWdsPeerRecord &record);

    void RefreshPeers();

    int ReadOnShow() override;
    void OnReadDone() override;
    void OnMonitorDone(APHANDLE monitor, int result) override;

private:
    void BuildControls();
    void ShowPeers(const apWdsQuery &query, const std::vector<apWdsPeerRecord> &records);

    Controls c_;
    int band_ = 1;
};

} // namespace trb
