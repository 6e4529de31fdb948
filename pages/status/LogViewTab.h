#pragma once
#include <QList>
#include <QWidget>

#include "LogLineParser.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace trb {

// The "Log View" tab: the device's log as a list, its count, and the Clear and Refresh buttons
// (the page acts on them).
class LogViewTab : public QWidget {
    Q_OBJECT
public:
    explicit LogViewTab(QWidget *parent = nullptr);

    struct Controls {
        QLabel *total = nullptr; // the count, a plain number after "Total Log: "
        QPushButton *clear = nullptr;
        QPushButton *refresh = nullptr;
        QTableWidget *list = nullptr;
    };
    const Controls &controls() const { return c_; }

    // The list emptied, then `lines` in order; the count follows.
    void ShowLines(const QList<LogLine> &lines);
    const QList<LogLine> &lines() const { return lines_; }
    int rowCount() const;
    // The width the three columns share.
    int listWidth() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void FitColumns();

    Controls c_;
    QList<LogLine> lines_;
};

} // namespace trb
