#pragma once
// Copy and CSV export of what a device list shows: Ctrl+C and the context menu copy the
// selected row (all rows when none is selected) as tab-separated text under a header line;
// "Copy All" and "Save as CSV..." take every row. Only the columns the user reads are taken:
// no hidden column and no column of edit or delete icons, so nothing the list keeps out of
// sight (keys, passphrases) can leave through it.
#include <QList>
#include <QObject>
#include <QString>

class QTableView;

namespace trb {

class ListCopy : public QObject {
public:
    // Gives the list its Copy, Copy All and Save as CSV actions; once per list.
    static void Attach(QTableView *view);

    // The header line and the rows (every row when `rows` is empty), one line each, CRLF-ended.
    // Tab-separated: tabs and line breaks in a cell become spaces. Comma-separated: cells are
    // quoted where they must be.
    enum class Format { Tabs, Csv };
    static QString Text(const QTableView &view, const QList<int> &rows, Format format);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit ListCopy(QTableView *view);
    void CopySelected();
    void CopyAll();
    void SaveCsv();

    QTableView *view_;
};

} // namespace trb
