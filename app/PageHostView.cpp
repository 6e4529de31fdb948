#include "PageHostView.h"

#include <QApplication>

#include "MainFrame.h"
#include "PopupPage.h"
#include "StatusPane.h"

namespace trb {

PageHostView::PageHostView(MainFrame *frame) : QWidget(frame), statusPane_(new StatusPane(frame, this))
{
    setObjectName(QStringLiteral("pageHostView"));
    statusPane_->move(0, 0);
    statusPane_->show();
}

PageHostView::~PageHostView()
{
    // Page windows are top-level windows of their own; those still open go with the view.
    for (QPointer<PopupPage> &page : pages_)
        delete page.data();
    const auto others = QApplication::topLevelWidgets();
    for (QWidget *window : others) {
        if (auto *page = qobject_cast<PopupPage *>(window))
            delete page;
    }
}

} // namespace trb
