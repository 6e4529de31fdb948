#pragma once
#include <QLineEdit>

namespace trb {

// A key or secret field that the user types afresh: entering it (click, Tab, shortcut) empties
// it. Focus that a failed check or the window's activation brings leaves the text as typed.
class RetypedEdit : public QLineEdit {
public:
    enum Echo { Plain, Masked };
    explicit RetypedEdit(Echo echo = Plain, QWidget *parent = nullptr);

protected:
    void focusInEvent(QFocusEvent *event) override;
};

} // namespace trb
