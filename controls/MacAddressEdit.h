#pragma once
// An overtype field that only ever holds a MAC address in colon form.
#include <QLineEdit>

namespace trb {

// The field keeps "XX:XX:XX:XX:XX:XX": typing overwrites digits, Delete and Backspace
// turn digits into "0", and neither the length nor the colons ever change.
class MacAddressEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kTextLimit = 17;
    static constexpr int kWidth = 110;
    static constexpr int kHeight = 20;
    static inline const QString kEmptyForm = QStringLiteral("00:00:00:00:00:00");

    explicit MacAddressEdit(QWidget *parent = nullptr);

    // Accepts "" (shown as the empty form), 12 hex digits, or 17 characters with colons;
    // exactly "000000000000" leaves the field empty. Anything else is refused with a
    // warning and the field keeps its text. Hides QLineEdit::setText on purpose: call it
    // through a MacAddressEdit pointer.
    bool setText(const QString &text);

    static bool IsColonPosition(int position);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void ResetIfEmpty();
    void FitFontToWidth();
    void TypeCharacter(QChar character);
    void DeleteForward();
    void DeleteBackward();
    void ZeroSelection();
    void PasteMac();
    void ReplaceAt(int position, QChar character);
    bool IsNavigationKey(const QKeyEvent *event) const;
};

} // namespace trb
