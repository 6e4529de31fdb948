#include "LogViewTab.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "FormRows.h"

namespace trb {

LogViewTab::LogViewTab(QWidget *parent) : QWidget(parent)
{
    c_.total = Named(new QLabel(QStringLiteral("0")), "totalLogLabel", "Total Log");
    c_.clear = PageButton(QStringLiteral("Clear"), "clearLogButton");
    c_.refresh = PageButton(QStringLiteral("Refresh"), "refreshLogButton");
    c_.list = Named(new QTableWidget(0, 3), "logList", "Log");
    c_.list->setHorizontalHeaderLabels({QStringLiteral("Time"), QStringLiteral("Priority"), QStringLiteral("Message")});
    c_.list->setShowGrid(true);
    c_.list->setSelectionBehavior(QAbstractItemView::SelectRows);
    c_.list->setSelectionMode(QAbstractItemView::SingleSelection);
    c_.list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c_.list->verticalHeader()->hide();
    c_.list->horizontalHeader()->setStretchLastSection(false);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Total Log: ")));
    top->addWidget(c_.total);
    top->addStretch(1);
    top->addWidget(c_.clear);
    top->addWidget(c_.refresh);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(c_.list, 1);
}

void LogViewTab::ShowLines(const QList<LogLine> &lines)
{
    lines_ = lines;
    c_.list->setRowCount(0);
    c_.list->setRowCount(int(lines.size()));
    for (int row = 0; row < lines.size(); ++row) {
        const LogLine &line = lines[row];
        c_.list->setItem(row, 0, new QTableWidgetItem(line.time));
        c_.list->setItem(row, 1, new QTableWidgetItem(line.priority));
        c_.list->setItem(row, 2, new QTableWidgetItem(line.message));
    }
    c_.total->setText(QString::number(lines.size()));
}

int LogViewTab::rowCount() const { return c_.list->rowCount(); }

int LogViewTab::listWidth() const { return c_.list->width() - 2 * c_.list->frameWidth(); }

void LogViewTab::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FitColumns();
}

// A quarter for the time, an eighth for the priority, five eighths for the message, of the width
// inside the list's frame.
void LogViewTab::FitColumns()
{
    const int width = listWidth();
    c_.list->setColumnWidth(0, width / 4);
    c_.list->setColumnWidth(1, width / 8);
    c_.list->setColumnWidth(2, width * 5 / 8);
}

} // namespace trb
