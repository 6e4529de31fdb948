#include "MacAddressEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QStyleOptionFrame>

namespace trb {

namespace {

bool IsPlainMac(const QString &text)
{
    static const QRegularExpression plain(QStringLiteral("^[0-9A-Fa-f]{12}$"));
    return plain.match(text).hasMatch();
}

bool IsColonMac(const QString &text)
{
    static const QRegularExpression colon(
        QStringLiteral("^[0-9A-Fa-f]{2}(:[0-9A-Fa-f]{2}){5}$"));
    return colon.match(text).hasMatch();
}

bool IsHexDigit(QChar character)
{
    // ASCII only: QChar::isDigit() would also take the digits of other scripts.
    return (character >= u'0' && character <= u'9') || (character >= u'a' && character <= u'f')
        || (character >= u'A' && character <= u'F');
}

} // namespace

MacAddressEdit::MacAddressEdit(QWidget *parent) : QLineEdit(parent)
{
    setAccessibleName(tr("MAC address"));
    // Drops and middle-click pastes would insert text past the overtype rules.
    setAcceptDrops(false);
    setMaxLength(kTextLimit);
    setFixedSize(kWidth, kHeight);
    FitFontToWidth();
    QLineEdit::setText(kEmptyForm);
}

void MacAddressEdit::FitFontToWidth()
{
    // The whole address must show in 110 pixels without scrolling; shrink the font if the
    // platform's default is too wide. Frame and the line edit's own margins take the rest.
    QStyleOptionFrame option;
    initStyleOption(&option);
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
    const int available = kWidth - 2 * frame - 2 * 2 - 1;
    QFont fitted = font();
    for (;;) {
        const QFontMetrics metrics(fitted);
        int widestDigit = 0;
        for (QChar digit : QStringLiteral("0123456789ABCDEF"))
            widestDigit = std::max(widestDigit, metrics.horizontalAdvance(digit));
        const int needed = 12 * widestDigit + 5 * metrics.horizontalAdvance(u':');
        if (needed <= available || fitted.pointSizeF() <= 6.0)
            break;
        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
    }
    if (fitted != font())
        setFont(fitted);
}

bool MacAddressEdit::IsColonPosition(int position)
{
    return position == 2 || position == 5 || position == 8 || position == 11 || position == 14;
}

bool MacAddressEdit::setText(const QString &text)
{
    const QString upper = text.toUpper();
    QString shown;
    if (upper.isEmpty()) {
        shown = kEmptyForm;
    } else if (upper == QStringLiteral("000000000000")) {
        shown.clear(); // the page's way of showing "no address"
    } else if (IsPlainMac(upper)) {
        shown = upper;
        for (int position : {2, 5, 8, 11, 14})
            shown.insert(position, u':');
    } else if (IsColonMac(upper)) {
        shown = upper;
    } else {
        qWarning("MacAddressEdit: \"%s\" is not a MAC address; the field keeps its text",
                 qUtf8Printable(text));
        return false;
    }
    setMaxLength(kTextLimit);
    QLineEdit::setText(shown);
    return true;
}

void MacAddressEdit::ResetIfEmpty()
{
    // Anything but the 17-character form (only reachable through QLineEdit::setText)
    // is treated like an empty field, so the overtype rules always have a full text.
    if (text().size() == kTextLimit)
        return;
    setMaxLength(kTextLimit);
    QLineEdit::setText(kEmptyForm);
    setFixedSize(kWidth, kHeight);
    setCursorPosition(0);
}

void MacAddressEdit::ReplaceAt(int position, QChar character)
{
    QString changed = text();
    changed[position] = character;
    QLineEdit::setText(changed);
    emit textEdited(changed);
}

void MacAddressEdit::TypeCharacter(QChar character)
{
    if (!IsHexDigit(character))
        return;
    int position = cursorPosition();
    if (hasSelectedText()) {
        position = selectionStart();
        deselect();
    }
    if (position > kTextLimit - 1)
        return;
    if (IsColonPosition(position))
        ++position;
    ReplaceAt(position, character.toUpper());
    int caret = position + 1;
    if (IsColonPosition(caret))
        ++caret;
    setCursorPosition(caret);
}

void MacAddressEdit::DeleteForward()
{
    const int position = cursorPosition();
    if (position >= text().size())
        return;
    if (!IsColonPosition(position))
        ReplaceAt(position, u'0');
    setCursorPosition(position + 1);
}

void MacAddressEdit::DeleteBackward()
{
    const int position = cursorPosition() - 1;
    if (position < 0)
        return;
    if (!IsColonPosition(position))
        ReplaceAt(position, u'0');
    setCursorPosition(position);
}

void MacAddressEdit::ZeroSelection()
{
    const int start = selectionStart();
    const int end = start + selectedText().size();
    QString changed = text();
    for (int position = start; position < end; ++position) {
        if (!IsColonPosition(position))
            changed[position] = u'0';
    }
    QLineEdit::setText(changed);
    setCursorPosition(start);
    emit textEdited(changed);
}

void MacAddressEdit::PasteMac()
{
    const QString pasted = QApplication::clipboard()->text().trimmed().toUpper();
    // A paste replaces the whole address, and only with a whole address.
    if (pasted != QStringLiteral("000000000000") && (IsPlainMac(pasted) || IsColonMac(pasted))
        && setText(pasted))
        emit textEdited(text());
}

bool MacAddressEdit::IsNavigationKey(const QKeyEvent *event) const
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

void MacAddressEdit::keyPressEvent(QKeyEvent *event)
{
    ResetIfEmpty();
    if (IsNavigationKey(event) || event->matches(QKeySequence::Copy)
        || event->matches(QKeySequence::SelectAll)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (isReadOnly()) {
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        if (hasSelectedText())
            ZeroSelection();
        else if (event->key() == Qt::Key_Delete)
            DeleteForward();
        else
            DeleteBackward();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteMac();
        event->accept();
        return;
    }
    const bool commandModifier = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    const QString typed = event->text();
    if (!commandModifier && !typed.isEmpty() && typed.at(0).isPrint()) {
        for (QChar character : typed)
            TypeCharacter(character);
        event->accept();
        return;
    }
    // Enter, Escape, Tab and shortcuts go to the page; cut, undo and the like never
    // reach the line edit because they would break the fixed form.
    event->ignore();
}

void MacAddressEdit::inputMethodEvent(QInputMethodEvent *event)
{
    ResetIfEmpty();
    for (QChar character : event->commitString())
        TypeCharacter(character);
    event->accept();
}

void MacAddressEdit::focusInEvent(QFocusEvent *event)
{
    ResetIfEmpty();
    QLineEdit::focusInEvent(event);
}

void MacAddressEdit::focusOutEvent(QFocusEvent *event)
{
    ResetIfEmpty();
    QLineEdit::focusOutEvent(event);
}

void MacAddressEdit::mouseReleaseEvent(QMouseEvent *event)
{
    // X11 pastes the selection on a middle click; that would insert free text.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void MacAddressEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copy = menu.addAction(tr("&Copy"), this, &QLineEdit::copy);
    copy->setEnabled(hasSelectedText());
    QAction *paste = menu.addAction(tr("&Paste"), this, [this] {
        ResetIfEmpty();
        PasteMac();
    });
    paste->setEnabled(!isReadOnly() && isEnabled());
    menu.addSeparator();
    menu.addAction(tr("Select &All"), this, &QLineEdit::selectAll);
    menu.exec(event->globalPos());
}

} // namespace trb
