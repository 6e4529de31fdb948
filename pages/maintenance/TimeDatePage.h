#pragma once
#include <QDateTime>
#include <QStringList>

#include <array>

#include "DaylightSavingTable.h"
#include "PopupPage.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;

namespace trb {

class DataExchange;
class IpAddressEdit;

// Maintenance > Time and Date: the device's time zone and daylight saving, its time server, and
// a date and time to set by hand. Which zones know daylight saving comes from a table file.
class TimeDatePage : public PopupPage {
    Q_OBJECT
public:
    // `tablePath`: the daylight-saving table (tests give their own).
    explicit TimeDatePage(QWidget *parent = nullptr, const QString &tablePath = DaylightSavingTable::DefaultPath());

    static inline const char kTitle[] = "Maintenance \\ Time and Date";
    static inline const char kServerName[] = "time-a-g.nist.gov";
    static inline const char kServerAddress[] = "129.6.15.28";
    enum DstField { StartMonth, StartWeek, StartDay, StartHour, EndMonth, EndWeek, EndDay, EndHour, kDstFields };

    struct Controls {
        QLabel *currentTime = nullptr;
        QComboBox *zone = nullptr;
        QCheckBox *dst = nullptr;
        QLabel *dstOffsetLabel = nullptr;
        QComboBox *dstOffset = nullptr;
        std::array<QComboBox *, kDstFields> dstDates{};
        QCheckBox *ntp = nullptr;
        IpAddressEdit *server = nullptr;
        QPushButton *copyServer = nullptr;
        QComboBox *serverChoice = nullptr;
        QComboBox *year = nullptr, *month = nullptr, *day = nullptr;
        QComboBox *hour = nullptr, *minute = nullptr, *second = nullptr;
        QPushButton *copyPcTime = nullptr;
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }
    const DaylightSavingTable &daylightSaving() const { return table_; }

    // What apSysTimeConfigGet/Set carry, apart from the manual time.
    struct Values {
        bool ntp = false;
        QString server;
        QString currentTime;
        bool dst = false;
        int dstOffset = 0;
        QStringList dstDates; // the eight fields' texts
        int zone = 1;         // 1..75
    };
    static Values Read(APHANDLE handle);
    // The dates text split into its fields (trimmed, at ","), and back.
    static QStringList SplitDates(const QString &text);
    static QString JoinDates(const QStringList &fields);

    // Runs the page checks and, when they pass, sends everything.
    void Save();
    // The manual panel shows `at` (the PC's clock when the page uses it).
    void ShowManualTime(const QDateTime &at);

    int ReadOnShow() override;
    void OnReadDone() override;
    void UpdateEnabling() override;

private:
    void BuildControls();
    QWidget *BuildTimePanel();
    QWidget *BuildNtpPanel();
    QWidget *BuildManualPanel();
    QGridLayout *NewPanel(const QString &heading, QWidget *&panel);
    void Exchange(DataExchange &dx, Values &values);
    void SelectDates(const QStringList &fields);
    void RebuildDays();
    void CopyServer();
    bool DstAvailable() const;
    bool CheckDstDates();
    bool CheckServer();
    QString ManualText() const;

    Controls c_;
    DaylightSavingTable table_;
};

} // namespace trb
