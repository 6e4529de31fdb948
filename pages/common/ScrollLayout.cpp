#include "ScrollLayout.h"

#include <QScrollArea>
#include <QScrollBar>

namespace trb {

ScrollLayout::ScrollLayout(QScrollArea *area) : area_(area)
{
    area_->setWidgetResizable(false);
    area_->horizontalScrollBar()->setSingleStep(kLineStep);
    area_->verticalScrollBar()->setSingleStep(kLineStep);
}

void ScrollLayout::SetContentSize(int width, int height)
{
    contentWidth_ = width;
    contentHeight_ = height;
    if (QWidget *content = area_->widget())
        content->resize(width, height); // the scroll area recomputes the bars and clamps
}

int ScrollLayout::visibleWidth() const { return area_->viewport()->width(); }
int ScrollLayout::visibleHeight() const { return area_->viewport()->height(); }
int ScrollLayout::scrollX() const { return area_->horizontalScrollBar()->value(); }
int ScrollLayout::scrollY() const { return area_->verticalScrollBar()->value(); }

void ScrollLayout::ScrollLines(int horizontal, int vertical)
{
    QScrollBar *h = area_->horizontalScrollBar();
    QScrollBar *v = area_->verticalScrollBar();
    h->setValue(h->value() + horizontal * kLineStep);
    v->setValue(v->value() + vertical * kLineStep);
}

void ScrollLayout::ScrollPages(int horizontal, int vertical)
{
    QScrollBar *h = area_->horizontalScrollBar();
    QScrollBar *v = area_->verticalScrollBar();
    h->setValue(h->value() + horizontal * visibleWidth());
    v->setValue(v->value() + vertical * visibleHeight());
}

} // namespace trb
