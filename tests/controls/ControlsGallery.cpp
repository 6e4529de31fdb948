// Renders each control offscreen to PNG files for a look by eye:
//   controls_gallery [directory]   (default /tmp; files controls-*.png)
#include "ActionIconListCtrl.h"
#include "ActionIcons.h"
#include "LockedColumnHeader.h"
#include "MacAddressEdit.h"
#include "RecordListCtrl.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

using namespace trb;

namespace {

void Save(QWidget &widget, const QString &directory, const QString &name)
{
    widget.show();
    QApplication::processEvents();
    const QString path = directory + QStringLiteral("/controls-") + name + QStringLiteral(".png");
    if (!widget.grab().save(path))
        qWarning("could not write %s", qPrintable(path));
    else
        qInfo("%s", qPrintable(path));
}

void RenderMacEdits(const QString &directory)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    for (const QString &text : {QString(), QStringLiteral("00a0c5123456"),
                                QStringLiteral("FF:EE:DD:CC:BB:AA"), QStringLiteral("000000000000")}) {
        auto *row = new QHBoxLayout;
        row->addWidget(new QLabel(text.isEmpty() ? QStringLiteral("\"\"") : text));
        auto *edit = new MacAddressEdit;
        edit->setText(text);
        row->addWidget(edit);
        layout->addLayout(row);
    }
    Save(window, directory, QStringLiteral("macedit"));
    // Three times larger, to check the text is neither clipped nor scrolled.
    window.grab().scaled(window.size() * 3).save(directory + QStringLiteral("/controls-macedit-x3.png"));
}

void RenderRecordList(const QString &directory)
{
    RecordListCtrl list;
    list.resize(560, 200);
    const QList<QPair<QString, int>> columns = {{"Index", 45},    {"Host Name", 105},
                                                {"MAC Address", 115}, {"IP Address", 105},
                                                {"Edit", 60},     {"Delete", 60}};
    for (const auto &[title, width] : columns)
        list.InsertColumn(-1, title, width);
    list.SetLinkColumns(4, 5);
    list.lockedHeader()->AddLockedColumn(0);
    list.SetCheckBoxes(true);
    const QStringList hosts = {"printer", "nas\r\nbackup\r\nshare", "camera & door", "laptop"};
    for (int row = 0; row < hosts.size(); ++row) {
        list.InsertRecordRow(row, QString::number(row + 1));
        list.SetCellText(row, 1, hosts[row]);
        list.SetCellText(row, 2, QStringLiteral("00:11:22:33:44:5%1").arg(row));
        list.SetCellText(row, 3, QStringLiteral("192.168.1.%1").arg(10 + row));
        list.SetCellIcon(row, 4, ActionIcons::EditIcon(16));
        list.SetCellIcon(row, 5, ActionIcons::DeleteIcon(16));
        list.SetRowChecked(row, row % 2 == 0);
    }
    list.selectRow(1);
    Save(list, directory, QStringLiteral("recordlist"));
}

void RenderActionIconList(const QString &directory)
{
    ActionIconListCtrl list;
    list.resize(720, 260);
    const QList<QPair<QString, int>> columns = {{"VID", 40},   {"VLAN Name", 70},
                                                {"Untag VLAN Ports", 280},
                                                {"Tag VLAN Ports", 180}, {"Edit", 65},
                                                {"Delete", 65}};
    for (const auto &[title, width] : columns)
        list.InsertColumn(-1, title, width);
    list.SetEditColumn(4);
    list.SetDeleteColumn(5);
    list.InsertRecordRow(0, QStringLiteral("1"));
    list.SetCellText(0, 1, QStringLiteral("default"));
    list.SetCellText(0, 2, QStringLiteral("Mgmt, LAN, Primary, S-1, S-2, S-3,\r\nW-1, W-2, W-3, W-4"));
    list.InsertRecordRow(1, QStringLiteral("20"));
    list.SetCellText(1, 1, QStringLiteral("guests"));
    list.SetCellText(1, 3, QStringLiteral("LAN"));
    list.InsertRecordRow(2, QStringLiteral("30"));
    list.SetCellText(2, 1, QStringLiteral("cameras"));
    list.SetCellText(2, 2, QStringLiteral("S-1"));
    list.selectRow(0);
    Save(list, directory, QStringLiteral("actioniconlist"));
}

void RenderIcons(const QString &directory)
{
    QImage sheet(32 + 16 + 128 * 2 + 40, 140, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.drawPixmap(5, 5, ActionIcons::DeleteIcon());
    painter.drawPixmap(5, 45, ActionIcons::EditIcon());
    painter.drawPixmap(5, 85, ActionIcons::DeleteIcon(16));
    painter.drawPixmap(25, 85, ActionIcons::EditIcon(16));
    painter.drawPixmap(50, 5, ActionIcons::DeleteIcon(128));
    painter.drawPixmap(185, 5, ActionIcons::EditIcon(128));
    painter.end();
    const QString path = directory + QStringLiteral("/controls-icons.png");
    sheet.save(path);
    qInfo("%s", qPrintable(path));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");
    RenderMacEdits(directory);
    RenderRecordList(directory);
    RenderActionIconList(directory);
    RenderIcons(directory);
    return 0;
}
