#include "RadioPair.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

#include "FormRows.h"

namespace trb {
namespace {

QRadioButton *Radio(const QString &text, const QString &objectName)
{
    return Named(new QRadioButton(text), objectName, text.trimmed());
}

} // namespace

RadioPair::RadioPair(const QString &firstText, const QString &firstName, const QString &secondText,
                     const QString &secondName, QWidget *parent)
    : QWidget(parent), first_(Radio(firstText, firstName)), second_(Radio(secondText, secondName))
{
    auto *group = new QButtonGroup(this);
    group->addButton(first_);
    group->addButton(second_);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(first_);
    row->addWidget(second_);
    row->addStretch(1);
    first_->setChecked(true);
}

} // namespace trb
