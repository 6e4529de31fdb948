#include "PageHostView.h"

#include <QApplication>
#include <QPointer>

#include <vector>

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
    // Deleting a page deletes its own top-level windows (its wait dialog) too: hold them weakly.
    std::vector<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        windows.emplace_back(window);
    for (const QPointer<QWidget> &window : windows) {
        if (auto *page = qobject_cast<PopupPage *>(window.data()))
            delete page;
    }
}

} // namespace trb
