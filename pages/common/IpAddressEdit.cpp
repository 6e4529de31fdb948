#include "IpAddressEdit.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace trb {
namespace {

// 0 to 255, no leading sign; an empty octet is allowed while typing.
const QString kOctet = QStringLiteral("(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])");
const QRegularExpression kOctetPattern(QStringLiteral("^%1?$").arg(kOctet));
// What a box accepts: an octet, or a whole address pasted into it (spread over the boxes).
const QRegularExpression kOctetOrAddressPattern(QStringLiteral("^%1?$|^%1\\.%1\\.%1\\.%1$").arg(kOctet));
constexpr int kAddressMaxLength = 15;

bool ParseDotted(const QString &text, std::array<QString, 4> &octets)
{
    const QStringList parts = text.trimmed().split(u'.');
    if (parts.size() != 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        if (!kOctetPattern.match(parts[i]).hasMatch() || parts[i].isEmpty())
            return false;
        octets[i] = parts[i];
    }
    return true;
}

// Coming back from a menu or another window continues the same entry.
bool IsNewEntry(const QFocusEvent &focus)
{
    return focus.reason() != Qt::PopupFocusReason && focus.reason() != Qt::ActiveWindowFocusReason;
}

// Wide enough for "255" in any style; the field stays compact like an address should.
constexpr int kOctetWidth = 44;

} // namespace

IpAddressEdit::IpAddressEdit(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_StyledBackground);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *validator = new QRegularExpressionValidator(kOctetOrAddressPattern, this);
    for (int i = 0; i < 4; ++i) {
        auto *octet = new QLineEdit(this);
        octet->setValidator(validator);
        octet->setAlignment(Qt::AlignCenter);
        octet->setMaxLength(kAddressMaxLength);
        octet->setFixedWidth(kOctetWidth);
        octet->installEventFilter(this);
        connect(octet, &QLineEdit::textEdited, this, [this, i] { OctetEdited(i); });
        octets_[i] = octet;
        if (i > 0)
            layout->addWidget(new QLabel(QStringLiteral("."), this));
        layout->addWidget(octet);
    }
    layout->addStretch(1);
    setFocusProxy(octets_[0]);
    setFocusPolicy(Qt::StrongFocus);
}

QString IpAddressEdit::text() const
{
    if (isBlank())
        return {};
    QStringList parts;
    for (const QLineEdit *octet : octets_)
        parts << (octet->text().isEmpty() ? QStringLiteral("0") : octet->text());
    return parts.join(u'.');
}

void IpAddressEdit::setText(const QString &text)
{
    std::array<QString, 4> parts;
    if (!ParseDotted(text, parts) || text.trimmed() == QLatin1String("0.0.0.0")) {
        clear();
        return;
    }
    for (int i = 0; i < 4; ++i)
        octets_[i]->setText(QString::number(parts[i].toInt()));
}

void IpAddressEdit::clear()
{
    for (QLineEdit *octet : octets_)
        octet->clear();
}

bool IpAddressEdit::isBlank() const
{
    for (const QLineEdit *octet : octets_)
        if (!octet->text().isEmpty())
            return false;
    return true;
}

void IpAddressEdit::setFieldName(const QString &objectName, const QString &accessibleName)
{
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    for (int i = 0; i < 4; ++i) {
        octets_[i]->setObjectName(objectName + QStringLiteral("Octet%1").arg(i + 1));
        octets_[i]->setAccessibleName(accessibleName + QStringLiteral(" octet %1").arg(i + 1));
    }
}

// A pasted address fills every box; a full octet moves on to the next box.
void IpAddressEdit::OctetEdited(int index)
{
    QLineEdit *octet = octets_[index];
    entry_[index] = Entry::Typing;
    if (octet->text().contains(u'.')) {
        if (!PasteAddress(octet->text()))
            octet->undo(); // part of an address: nothing to take from it
        return;
    }
    if (index < 3 && octet->text().size() == 3 && octet->cursorPosition() == 3)
        AdvanceTo(index + 1, Entry::AutoAdvanced);
}

void IpAddressEdit::AdvanceTo(int index, Entry entry)
{
    octets_[index]->setFocus();
    octets_[index]->selectAll();
    entry_[index] = entry;
}

// Back into the previous box as if deleting the dot; after an automatic move there was no
// typed dot, so the digit before it goes.
void IpAddressEdit::BackspaceFrom(int index)
{
    QLineEdit *previous = octets_[index - 1];
    const bool takeDigit = entry_[index] == Entry::AutoAdvanced;
    previous->setFocus();
    previous->end(false);
    if (takeDigit)
        previous->backspace();
    entry_[index - 1] = Entry::Typing;
}

// A whole address replaces the field, wherever it was pasted; anything else is not an address.
bool IpAddressEdit::PasteAddress(const QString &text)
{
    std::array<QString, 4> parts;
    if (!ParseDotted(text, parts))
        return false;
    for (int i = 0; i < 4; ++i)
        octets_[i]->setText(QString::number(parts[i].toInt()));
    octets_[3]->setFocus();
    octets_[3]->end(false);
    entry_[3] = Entry::Typing;
    return true;
}

int IpAddressEdit::IndexOf(QObject *octet) const
{
    for (int i = 0; i < 4; ++i)
        if (octets_[i] == octet)
            return i;
    return -1;
}

bool IpAddressEdit::eventFilter(QObject *watched, QEvent *event)
{
    const int index = IndexOf(watched);
    if (index >= 0 && event->type() == QEvent::FocusIn && IsNewEntry(*static_cast<QFocusEvent *>(event)))
        entry_[index] = Entry::Entered;
    if (index >= 0 && event->type() == QEvent::KeyPress
        && OctetKeyPressed(index, *static_cast<QKeyEvent *>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

// "." or space after typed digits moves on (right after an automatic move it only stands
// for the dot already passed); Backspace at the start of a box goes back into the previous
// one; a pasted address fills the field. True when the key is handled here.
bool IpAddressEdit::OctetKeyPressed(int index, const QKeyEvent &key)
{
    QLineEdit *octet = octets_[index];
    if (key.key() == Qt::Key_Period || key.key() == Qt::Key_Space) {
        if (index < 3 && entry_[index] == Entry::Typing && !octet->text().isEmpty())
            AdvanceTo(index + 1, Entry::Entered);
        else if (entry_[index] == Entry::AutoAdvanced)
            entry_[index] = Entry::Entered;
        return true;
    }
    if (key.key() == Qt::Key_Backspace && index > 0 && octet->cursorPosition() == 0
        && !octet->hasSelectedText()) {
        BackspaceFrom(index);
        return true;
    }
    if (key.matches(QKeySequence::Paste))
        return PasteAddress(QGuiApplication::clipboard()->text());
    return false;
}

} // namespace trb
