#include "InnerScrollArea.h"

#include <QEvent>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace trb {

InnerScrollArea::InnerScrollArea(std::initializer_list<QWidget *> parts, const char *name)
{
    auto *inner = new QWidget;
    auto *stack = new QVBoxLayout(inner);
    stack->setContentsMargins(0, 0, 0, 0);
    for (QWidget *part : parts)
        stack->addWidget(part);
    setObjectName(QString::fromLatin1(name));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // its width always fits: see minimumSizeHint
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(true);
    setWidget(inner);
    inner->setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    inner->installEventFilter(this);
}

int InnerScrollArea::scrollBarWidth() const { return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this); }

QSize InnerScrollArea::sizeHint() const
{
    const QSize inner = widget()->sizeHint();
    return {inner.width() + scrollBarWidth(), inner.height()};
}

// As wide as the content with a scroll bar beside it, so nothing is cut on the right.
QSize InnerScrollArea::minimumSizeHint() const
{
    const QSize inner = widget()->minimumSizeHint();
    return {inner.width() + scrollBarWidth(), std::min(kMinimumHeight, widget()->sizeHint().height())};
}

int InnerScrollArea::GiveWay(int pageHeight, int room)
{
    const int whole = sizeHint().height();
    const int pageWithItWhole = pageHeight - std::min(whole, maximumHeight()) + whole;
    const int height = std::clamp(whole - (pageWithItWhole - room), minimumSizeHint().height(), whole);
    setMaximumHeight(height == whole ? QWIDGETSIZE_MAX : height); // unchanged: no new layout pass
    return pageWithItWhole - whole + height;
}

bool InnerScrollArea::eventFilter(QObject *watched, QEvent *event)
{
    // The content's needs changed (a panel shown or hidden): the page lays itself out again.
    if (watched == widget() && event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

} // namespace trb
