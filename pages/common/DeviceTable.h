#pragma once
// Device tables on the pages: the two-call read (count first, then the rows into a buffer the
// page owns), and one column description per list that both sets the list's columns up and
// fills its rows, so a list's titles, widths and fields stand in one place.
#include <QString>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "ActionIconListCtrl.h"
#include "RecordListCtrl.h"
#include "RecordText.h"

namespace trb {

// The index a record carries when it is a new entry rather than an edited row.
inline constexpr uint32_t kNewEntryIndex = 65535;

// `query` is the library's list call with the page's handle bound: query(header) -> result.
// The first call learns the count, the second fills zero-filled rows; the buffer is freed with
// the returned vector. A failed call gives an empty table.
template <typename Row, typename Header, typename Query>
std::vector<Row> ReadTable(Query &&query)
{
    Header header{};
    if (query(header) != 0 || header.count == 0)
        return {};
    std::vector<Row> rows(header.count); // value-initialised: all bytes zero
    header.rows = rows.data();
    if (query(header) != 0)
        return {};
    rows.resize(std::min<std::size_t>(header.count, rows.size()));
    return rows;
}

enum class ColumnRole { Text, EditIcon, DeleteIcon };

template <typename Row>
struct RecordColumn {
    QString title;
    int width;
    std::function<QString(const Row &)> text;
    ColumnRole role = ColumnRole::Text;

    RecordColumn(const char *title, int width, std::function<QString(const Row &)> text)
        : title(QString::fromLatin1(title)), width(width), text(std::move(text)) {}
    // A number field.
    RecordColumn(const char *title, int width, uint32_t Row::*word)
        : RecordColumn(title, width, [word](const Row &row) { return QString::number(row.*word); }) {}
    RecordColumn(const char *title, int width, int32_t Row::*word)
        : RecordColumn(title, width, [word](const Row &row) { return QString::number(row.*word); }) {}
    // A text slot.
    template <std::size_t N>
    RecordColumn(const char *title, int width, char (Row::*slot)[N])
        : RecordColumn(title, width, [slot](const Row &row) { return RecordText(row.*slot); }) {}
    // The "Edit" or "Delete" column of an icon list.
    RecordColumn(const char *title, int width, ColumnRole role)
        : title(QString::fromLatin1(title)), width(width), text([](const Row &) { return QString(); }),
          role(role) {}
};

// Inserts the columns; on an icon list the edit and delete columns show their icons.
template <typename Row>
void SetUpColumns(RecordListCtrl &list, std::span<const RecordColumn<Row>> columns)
{
    auto *icons = qobject_cast<ActionIconListCtrl *>(&list);
    for (const RecordColumn<Row> &column : columns) {
        const int at = list.InsertColumn(-1, column.title, column.width);
        if (icons && column.role == ColumnRole::EditIcon)
            icons->SetEditColumn(at);
        if (icons && column.role == ColumnRole::DeleteIcon)
            icons->SetDeleteColumn(at);
    }
}

// Replaces the list's rows with one record row per table row, in order.
template <typename Row>
void FillRecordList(RecordListCtrl &list, const std::vector<Row> &rows,
                    std::span<const RecordColumn<Row>> columns)
{
    list.DeleteAllRows();
    for (const Row &row : rows) {
        const int at = list.InsertRecordRow(-1, columns.empty() ? QString() : columns[0].text(row));
        for (std::size_t column = 1; column < columns.size(); ++column)
            list.SetCellText(at, int(column), columns[column].text(row));
    }
}

} // namespace trb
