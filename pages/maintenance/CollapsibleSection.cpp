#include "CollapsibleSection.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace trb {

CollapsibleSection::CollapsibleSection(const QString &heading, int openHeight, const QString &objectName,
                                       QWidget *parent)
    : QWidget(parent), heading_(new QCheckBox(heading)), body_(new QWidget), openHeight_(openHeight)
{
    setObjectName(objectName);
    heading_->setObjectName(objectName + QStringLiteral("Heading"));
    heading_->setAccessibleName(heading.trimmed());
    heading_->setStyleSheet(QStringLiteral("QCheckBox { background-color: rgb(200, 200, 200); }"));
    heading_->setMinimumHeight(24);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 4);
    layout->setSpacing(4);
    layout->addWidget(heading_);
    layout->addWidget(body_, 1);
    connect(heading_, &QCheckBox::toggled, this, &CollapsibleSection::ApplyOpen);
    ApplyOpen(false);
}

bool CollapsibleSection::isOpen() const { return heading_->isChecked(); }

void CollapsibleSection::SetOpen(bool open)
{
    heading_->setChecked(open);
    ApplyOpen(open); // also when the box already showed it
}

void CollapsibleSection::ApplyOpen(bool open)
{
    body_->setVisible(open);
    setFixedHeight(open ? openHeight_ : kClosedHeight);
}

} // namespace trb
