#pragma once

class QScrollArea;
class QWidget;

namespace trb {

// Scrolls a page whose content is larger than its window: 60-pixel line steps, page steps
// of the visible size, positions clamped to 0 .. content - visible.
class ScrollLayout {
public:
    static constexpr int kLineStep = 60;

    explicit ScrollLayout(QScrollArea *area);

    void SetContentSize(int width, int height);
    int contentWidth() const { return contentWidth_; }
    int contentHeight() const { return contentHeight_; }
    int visibleWidth() const;
    int visibleHeight() const;
    int scrollX() const;
    int scrollY() const;

    // Negative counts scroll up or left.
    void ScrollLines(int horizontal, int vertical);
    void ScrollPages(int horizontal, int vertical);

private:
    QScrollArea *area_;
    int contentWidth_ = 0;
    int contentHeight_ = 0;
};

} // namespace trb
