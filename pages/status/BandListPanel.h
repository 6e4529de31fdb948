#pragma once
// One band's list on the client and WDS information pages: a header line the page fills with
// its labels, a "Refresh" button and the list, whose rows go in the way these pages add them.
#include <QStringList>
#include <QWidget>

#include <utility>
#include <vector>

class QHBoxLayout;
class QPushButton;

namespace trb {

class RecordListCtrl;

class BandListPanel : public QWidget {
    Q_OBJECT
public:
    using Column = std::pair<const char *, int>; // title, width (0 hides the column)

    // `name` prefixes the object names of the panel's controls ("clientPanel1" ...).
    BandListPanel(const QString &name, const std::vector<Column> &columns, QWidget *parent = nullptr);

    QHBoxLayout *header() const { return header_; }
    QPushButton *refresh() const { return refresh_; }
    RecordListCtrl *list() const { return list_; }

    // Each row goes in at position 1 (the first at 0): the first row stays on top and later ones
    // follow newest first. Every column but the first is centred.
    void AddRow(const QStringList &cells);
    int rowCount() const;
    void Clear();

private:
    QHBoxLayout *header_;
    QPushButton *refresh_;
    RecordListCtrl *list_;
};

} // namespace trb
