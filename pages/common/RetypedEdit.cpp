#include "RetypedEdit.h"

#include <QFocusEvent>

namespace trb {

RetypedEdit::RetypedEdit(Echo echo, QWidget *parent) : QLineEdit(parent)
{
    if (echo == Masked)
        setEchoMode(QLineEdit::Password);
}

void RetypedEdit::focusInEvent(QFocusEvent *event)
{
    switch (event->reason()) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        clear();
        break;
    default:
        break;
    }
    QLineEdit::focusInEvent(event);
}

} // namespace trb
