#pragma once
// The neighbours a site survey found: channel, signal, BSSID, security and SSID.
#include <QGroupBox>

#include <vector>

#include "TRB4820apRecords.h"

class QPushButton;

namespace trb {

class RecordListCtrl;

class SiteSurveyPanel : public QGroupBox {
    Q_OBJECT
public:
    struct Neighbour {
        int channel = 0;
        int signal = 0;
        QString bssid, security, ssid;
    };

    explicit SiteSurveyPanel(QWidget *parent = nullptr);

    RecordListCtrl *list() const { return list_; }
    QPushButton *scanButton() const { return scan_; }

    // Replaces the rows with the neighbours of `band` (other bands' records are skipped).
    void Show(const std::vector<apWdsSurveyRecord> &records, int band);
    void Show(const std::vector<apClientSurveyRecord> &records, int band);
    void Clear();
    const Neighbour &neighbour(int row) const { return shown_.at(std::size_t(row)); }

signals:
    void neighbourChosen(int row);

private:
    void ShowNeighbours(std::vector<Neighbour> neighbours);

    RecordListCtrl *list_;
    QPushButton *scan_;
    std::vector<Neighbour> shown_;
};

} // namespace trb
