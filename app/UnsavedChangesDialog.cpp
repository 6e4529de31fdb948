#include "UnsavedChangesDialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ChangeJournal.h"
#include "FormRows.h"

namespace trb {

UnsavedChangesDialog::UnsavedChangesDialog(const ChangeJournal &journal, QWidget *parent)
    : QDialog(parent), list_(new QTreeWidget), save_(PageButton(QStringLiteral("Save And Active"), "saveAndActiveButton")),
      discard_(PageButton(QStringLiteral("Discard Changes"), "discardChangesButton"))
{
    setObjectName(QStringLiteral("unsavedChangesDialog"));
    setWindowTitle(QString::fromLatin1(kTitle));
    auto *note = new QLabel(QStringLiteral("The device holds these changes until it restarts. Save And Active keeps them; "
                                           "Discard Changes returns to the saved configuration."));
    note->setWordWrap(true);
    Named(list_, QStringLiteral("unsavedChangesList"), QStringLiteral("Unsaved changes"));
    list_->setColumnCount(4);
    list_->setHeaderLabels({QStringLiteral("Setting"), QStringLiteral("Old Value"), QStringLiteral("New Value"),
                            QStringLiteral("Time")});
    list_->setRootIsDecorated(true);
    list_->setUniformRowHeights(true);
    auto *close = PageButton(QStringLiteral("Close"), "closeButton");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(list_, 1);
    layout->addLayout(ButtonRow({save_, discard_, close}));
    connect(save_, &QPushButton::clicked, this, [this] { Choose(Choice::SaveAndActive); });
    connect(discard_, &QPushButton::clicked, this, [this] { Choose(Choice::Discard); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    Fill(journal);
    resize(640, 360);
}

void UnsavedChangesDialog::Fill(const ChangeJournal &journal)
{
    QHash<QString, QTreeWidgetItem *> pages;
    for (const ChangeJournal::Entry &entry : journal.entries()) {
        QTreeWidgetItem *&page = pages[entry.page];
        if (!page) {
            page = new QTreeWidgetItem(list_, {entry.page});
            page->setFirstColumnSpanned(true);
        }
        new QTreeWidgetItem(page, {entry.label, entry.oldValue, entry.newValue,
                                   entry.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
    }
    list_->expandAll();
    for (int column = 0; column < list_->columnCount(); ++column)
        list_->resizeColumnToContents(column);
}

void UnsavedChangesDialog::Choose(Choice choice)
{
    choice_ = choice;
    accept();
}

} // namespace trb
