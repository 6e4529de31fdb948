#pragma once
#include <QString>
#include <QWidget>

class QRadioButton;

namespace trb {

// Two radio buttons side by side that exclude each other ("Disable"/"Enable ",
// "Manual"/"Periodical Key Change"); the first is chosen at the start.
class RadioPair : public QWidget {
public:
    // Each button is named objectName and, for assistive tools, its text without blanks.
    RadioPair(const QString &firstText, const QString &firstName, const QString &secondText,
              const QString &secondName, QWidget *parent = nullptr);
    QRadioButton *first() const { return first_; }
    QRadioButton *second() const { return second_; }

private:
    QRadioButton *first_;
    QRadioButton *second_;
};

} // namespace trb
