#pragma once
#include <QPointer>
#include <QWidget>

#include <array>

#include "PageCatalog.h"
#include "PopupPage.h"

namespace trb {

class MainFrame;
class StatusPane;

// The main window's view: the status pane, and the most recently opened page of each kind.
class PageHostView : public QWidget {
    Q_OBJECT
public:
    explicit PageHostView(MainFrame *frame);
    ~PageHostView() override;

    StatusPane *statusPane() const { return statusPane_; }
    PopupPage *page(PageKind kind) const { return pages_[static_cast<int>(kind)]; }
    void Remember(PageKind kind, PopupPage *page) { pages_[static_cast<int>(kind)] = page; }

private:
    StatusPane *statusPane_;
    std::array<QPointer<PopupPage>, kPageKindCount> pages_;
};

} // namespace trb
