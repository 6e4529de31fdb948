#include "ListCopy.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QSaveFile>
#include <QStringList>
#include <QTableView>

#include <algorithm>

#include "FileDialogService.h"
#include "MessageBoxService.h"
#include "RecordListCtrl.h"

namespace trb {
namespace {

constexpr char kAttachedProperty[] = "listCopyAttached";

bool IsCopiedColumn(const QTableView &view, int column)
{
    if (auto *list = qobject_cast<const RecordListCtrl *>(&view))
        return list->isTextColumn(column);
    return !view.isColumnHidden(column) && view.columnWidth(column) > 0;
}

QString Cell(QString text, ListCopy::Format format)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\n', u' ').replace(u'\r', u' ');
    if (format == ListCopy::Format::Tabs)
        return text.replace(u'\t', u' ');
    if (!text.contains(u',') && !text.contains(u'"') && text.trimmed() == text)
        return text;
    return u'"' + text.replace(QLatin1String("\""), QLatin1String("\"\"")) + u'"';
}

} // namespace

ListCopy::ListCopy(QTableView *view) : QObject(view), view_(view)
{
    auto *copy = new QAction(QStringLiteral("Copy"), view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    auto *copyAll = new QAction(QStringLiteral("Copy All"), view);
    auto *save = new QAction(QStringLiteral("Save as CSV..."), view);
    connect(copy, &QAction::triggered, this, &ListCopy::CopySelected);
    connect(copyAll, &QAction::triggered, this, &ListCopy::CopyAll);
    connect(save, &QAction::triggered, this, &ListCopy::SaveCsv);
    view->addActions({copy, copyAll, save});
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    view->installEventFilter(this);
}

// The view copies only its current cell on Ctrl+C; the whole row is taken here instead.
bool ListCopy::eventFilter(QObject *watched, QEvent *event)
{
    const bool shortcut = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
    if (watched != view_ || !shortcut || !static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy))
        return QObject::eventFilter(watched, event);
    event->accept();
    if (event->type() == QEvent::KeyPress)
        CopySelected();
    return true;
}

void ListCopy::Attach(QTableView *view)
{
    if (view->property(kAttachedProperty).toBool())
        return;
    view->setProperty(kAttachedProperty, true);
    new ListCopy(view);
}

QString ListCopy::Text(const QTableView &view, const QList<int> &rows, Format format)
{
    const QAbstractItemModel *model = view.model();
    if (!model)
        return {};
    const QChar separator = format == Format::Tabs ? u'\t' : u',';
    QList<int> columns;
    for (int column = 0; column < model->columnCount(); ++column)
        if (IsCopiedColumn(view, column))
            columns << column;
    const auto line = [&](auto textOf) {
        QStringList cells;
        for (int column : columns)
            cells << Cell(textOf(column), format);
        return cells.join(separator) + QLatin1String("\r\n");
    };
    QString text = line([&](int column) { return model->headerData(column, Qt::Horizontal).toString(); });
    QList<int> taken = rows;
    if (taken.isEmpty())
        for (int row = 0; row < model->rowCount(); ++row)
            taken << row;
    for (int row : taken)
        text += line([&](int column) { return model->index(row, column).data().toString(); });
    return text;
}

void ListCopy::CopySelected()
{
    QList<int> rows;
    if (view_->selectionModel())
        for (const QModelIndex &index : view_->selectionModel()->selectedRows())
            rows << index.row();
    std::sort(rows.begin(), rows.end());
    QGuiApplication::clipboard()->setText(Text(*view_, rows, Format::Tabs));
}

void ListCopy::CopyAll() { QGuiApplication::clipboard()->setText(Text(*view_, {}, Format::Tabs)); }

void ListCopy::SaveCsv()
{
    const QString path = AskSaveFile(view_->window(), QStringLiteral("CSV File(*.csv)|*.csv||"));
    if (path.isEmpty())
        return;
    QSaveFile file(path); // the old file stays whole until the new one is complete
    const QByteArray csv = Text(*view_, {}, Format::Csv).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(csv) != csv.size() || !file.commit())
        ShowMessageBox(QStringLiteral("Cannot write file %1: %2").arg(path, file.errorString()), MessageIcon::Error);
}

} // namespace trb
