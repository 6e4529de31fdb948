#include "DataExchange.h"

#include "MessageBoxService.h"

#include <QLineEdit>

namespace trb {

void DataExchange::fail(const QString &message)
{
    failed_ = true;
    QWidget *parent = lastControl_ ? lastControl_->window() : nullptr;
    ShowMessageBox(message, MessageIcon::Exclamation, QString::fromLatin1(kApplicationTitle),
                   MessageButtons::Ok, parent);
    // The box runs its own event loop: the control may be gone when it returns.
    QWidget *control = lastControl_;
    if (!control)
        return;
    control->setFocus(Qt::OtherFocusReason);
    if (QLineEdit *edit = lastLineEdit())
        edit->selectAll();
}

QLineEdit *DataExchange::lastLineEdit() const
{
    if (!lastControl_)
        return nullptr;
    if (auto *edit = qobject_cast<QLineEdit *>(lastControl_.data()))
        return edit;
    // A composite field (an address field of octet edits) hands its focus to a line edit.
    return qobject_cast<QLineEdit *>(lastControl_->focusProxy());
}

} // namespace trb
