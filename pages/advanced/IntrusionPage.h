#pragma once
#include <QString>

#include <vector>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace trb {

class RecordListCtrl;

// Advanced > Intrusion: detects the neighbouring access points and classifies them.
class IntrusionPage : public PopupPage {
    Q_OBJECT
public:
    explicit IntrusionPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Advanced \\ Intrusion";
    static inline const char kNoEntryText[] = "No entry click !";
    static inline const char kTooManyText[] =
        "At most 256 entries can be set at a time. Please check fewer entries and try again.";
    static constexpr int kMaxChecked = AP_INTRUSION_MAX_INDEXES;
    // More checked rows than this are a large change, sent with other style bits.
    static constexpr int kLargeChange = 48;

    struct Controls {
        QLabel *bandLabel = nullptr;
        QComboBox *band = nullptr; // hidden: the page works on the device's current band
        QPushButton *detect = nullptr;
        QComboBox *typeFilter = nullptr;
        QCheckBox *selectAll = nullptr;
        RecordListCtrl *list = nullptr;
        QPushButton *setValid = nullptr, *setNeighborhood = nullptr, *setRogue = nullptr, *setNew = nullptr;
        QRadioButton *markValid = nullptr, *markRogue = nullptr;
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }

    // apStyleModify bits of a reclassification to `code` of `checked` rows.
    static uint32_t StyleOf(int code, int checked);
    // Whether a record passes the type filter ("All" or a type name, any case).
    static bool PassesFilter(const apIntrusionRecord &record, const QString &filter);

    void Detect();
    void SetAs(int code);
    void Save();

    int ReadOnShow() override;
    void OnReadDone() override;
    void OnReadFailed() override;
    void OnWriteDone(int result) override;
    void OnMonitorDone(APHANDLE monitor, int result) override;
    void UpdateEnabling() override;
    // Fits the content again once the window's layout has settled, so the lists take the width.
    void LayoutContent() override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void BuildControls();
    QWidget *BuildListGroup();
    void LoadList(bool askBand);
    void FillByFilter();
    void CheckAll(bool checked);
    void CheckNewRows();
    bool StartRead();
    void EndDetection();
    // A read, a detection or a reclassification is on its way.
    bool RequestRunning() const;
    void SendReclassification(int code, int checked);
    bool HasNewEntries() const;

    Controls c_;
    std::vector<apIntrusionRecord> records_;
    int bandWord_ = 0;
    int band_ = 1;
    bool askBand_ = true;   // the next load asks the device for its band
    bool keepFilter_ = false; // a reload after a reclassification keeps the user's view
    bool reading_ = false;
    bool writing_ = false;
    // A detection: the scan, then the read of what it found, whose answer ends the wait.
    enum class Detection { None, Scanning, ReadingResult };
    Detection detection_ = Detection::None;
};

} // namespace trb
