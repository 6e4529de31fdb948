#pragma once
#include <QGroupBox>
#include <QString>
#include <QStringList>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace trb {

// The "Add Schedule Rule" form of the schedule page: name, SSID, days, time frame. It keeps the
// SSID names of the last read and checks what the user typed; the page decides what to send.
class ScheduleRuleForm : public QGroupBox {
    Q_OBJECT
public:
    explicit ScheduleRuleForm(QWidget *parent = nullptr);

    static constexpr int kDays = 7;
    static constexpr int kNameLimit = 32;

    struct Controls {
        QLineEdit *name = nullptr;
        QComboBox *index = nullptr;
        QLabel *ssid = nullptr;
        QRadioButton *allWeek = nullptr;
        QRadioButton *selectDays = nullptr;
        std::array<QCheckBox *, kDays> days{}; // Sunday first
        QCheckBox *allDay = nullptr;
        QLineEdit *startHour = nullptr;
        QLineEdit *startMinute = nullptr;
        QLineEdit *endHour = nullptr;
        QLineEdit *endMinute = nullptr;
        QCheckBox *overnight = nullptr;
        QPushButton *add = nullptr;
        QPushButton *clear = nullptr;
    };
    const Controls &controls() const { return c_; }

    // What the form holds once its checks have passed; times as HH:MM.
    struct Rule {
        QString name;
        int indexItem = 0;
        int days = 0; // 0 all week, else bits Sunday 1 ... Saturday 64
        bool allDay = false;
        QString start, end;
        bool overnight = false;
    };

    // The 16 SSID names of the last read and where the drop-down's items start among them.
    void SetSsidNames(const QStringList &names, int firstSsid);
    // New drop-down items, the first selected, the form emptied; the same items again leave the
    // form as it is.
    void FillIndex(const QStringList &items);
    // Select Day(s) with no day, empty name and times, the first SSID, not all day.
    void Clear();
    void EmptyTimes();
    // A row of the list into the form: its texts as the list shows them.
    void Load(const QString &name, const QString &indexText, const QString &daysText, const QString &timeFrame,
              bool overnight);
    // Runs the form's checks in order; false once one failed (its message shown, its field focused).
    bool Take(Rule &rule);

private:
    void BuildControls();
    void ShowSelectedSsid();
    void SelectAllWeek(bool allWeek);
    void SetAllDay(bool allDay);
    static QString TwoDigits(const QString &text);

    Controls c_;
    QStringList ssidNames_;
    int firstSsid_ = 0;
};

} // namespace trb
