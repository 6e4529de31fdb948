#pragma once
#include <QScrollArea>

#include <initializer_list>

namespace trb {

// A part of a page that scrolls inside itself when the page has no room for it whole, so that
// what follows it (lists, the page's buttons) stays in view. It asks for its content's whole
// height and gives way down to a few rows before the page scrolls itself.
class InnerScrollArea : public QScrollArea {
public:
    static constexpr int kMinimumHeight = 200;

    // The parts, stacked one under the other, are what scrolls.
    InnerScrollArea(std::initializer_list<QWidget *> parts, const char *name);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // Lowers itself, no lower than its minimum, until a page pageHeight high with it whole
    // would fit in room; returns the page's height then.
    int GiveWay(int pageHeight, int room);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int scrollBarWidth() const;
};

} // namespace trb
