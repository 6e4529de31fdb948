#pragma once
// What a page shows of the device's settings at one moment: each named field's text and each
// list's rows, so that two moments tell what a write changed, in the page's own words.
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include "ChangeJournal.h"

class QWidget;

namespace trb {

class ShownSettings {
public:
    static ShownSettings Of(const QWidget &page);

    // Fields whose text differs (secrets as "changed"), for `pageTitle`; also those of a closed
    // section or of another mode, which the page fills from the device all the same.
    // Without `rowEditors`, the fields of a form that writes list rows are left out: the rows
    // the lists gained or lost say what such a write did.
    QList<ChangeJournal::Entry> FieldChangesSince(const ShownSettings &before, const QString &pageTitle,
                                                  const QDateTime &time, bool rowEditors = true) const;
    // Rows a list lost (old value) and gained (new value), paired in their order.
    QList<ChangeJournal::Entry> RowChangesSince(const ShownSettings &before, const QString &pageTitle,
                                                const QDateTime &time) const;

private:
    struct Field {
        QString label;
        QString value;
        bool secret = false;
        bool editsRows = false; // in the form of a button that writes list rows
    };
    struct List {
        QString label;
        QStringList rows;
    };
    void Take(const QWidget &page, QWidget *widget);

    QMap<QString, Field> fields_; // by the object path below the page
    QMap<QString, List> lists_;
};

} // namespace trb
