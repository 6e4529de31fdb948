#pragma once
#include "PopupPage.h"

namespace trb {

// Stands in for a menu entry whose page is not built yet: says so, reads nothing.
class PlaceholderPage : public PopupPage {
    Q_OBJECT
public:
    explicit PlaceholderPage(const QString &pageTitle, QWidget *parent = nullptr);
    int ReadOnShow() override { return 0; }
};

} // namespace trb
