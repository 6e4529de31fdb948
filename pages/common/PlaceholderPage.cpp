#include "PlaceholderPage.h"

#include <QLabel>
#include <QVBoxLayout>

namespace trb {

PlaceholderPage::PlaceholderPage(const QString &pageTitle, QWidget *parent)
    : PopupPage(pageTitle, parent)
{
    auto *label = new QLabel(QStringLiteral("This page is not available yet in this version of "
                                            "the module."),
                             content());
    label->setObjectName(QStringLiteral("placeholderText"));
    label->setWordWrap(true);
    label->setGeometry(20, 20, 360, 40);
    ShowMessage(QString());
}

} // namespace trb
