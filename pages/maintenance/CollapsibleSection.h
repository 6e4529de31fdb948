#pragma once
#include <QWidget>

class QCheckBox;

namespace trb {

// A page section under a grey check-box heading: ticked it opens to its full height, unticked it
// shrinks to the heading, and the sections below it in the page's column move with it.
class CollapsibleSection : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClosedHeight = 40;

    CollapsibleSection(const QString &heading, int openHeight, const QString &objectName, QWidget *parent = nullptr);

    QCheckBox *heading() const { return heading_; }
    // The section's controls go here.
    QWidget *body() const { return body_; }
    bool isOpen() const;
    void SetOpen(bool open);

private:
    void ApplyOpen(bool open);

    QCheckBox *heading_;
    QWidget *body_;
    int openHeight_;
};

} // namespace trb
