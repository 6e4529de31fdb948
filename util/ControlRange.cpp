#include "ControlRange.h"

#include <QVariant>
#include <QWidget>

namespace trb {

void SetControlId(QWidget *control, int id)
{
    if (control)
        control->setProperty(kControlIdProperty, id);
}

void EnableControlRange(QWidget *window, int firstId, int lastId, bool enable)
{
    if (!window)
        return;
    const QList<QWidget *> children = window->findChildren<QWidget *>();
    for (QWidget *child : children) {
        bool hasId = false;
        const int id = child->property(kControlIdProperty).toInt(&hasId);
        if (hasId && id >= firstId && id <= lastId)
            child->setEnabled(enable);
    }
}

} // namespace trb
