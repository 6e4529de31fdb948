#include "IpAddressEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace trb {
namespace {

// 0 to 255, no leading sign; an empty octet is allowed while typing.
const QRegularExpression kOctetPattern(QStringLiteral("^(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])?$"));

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

// Wide enough for "255" in any style; the field stays compact like an address should.
constexpr int kOctetWidth = 44;

} // namespace

IpAddressEdit::IpAddressEdit(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_StyledBackground);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *validator = new QRegularExpressionValidator(kOctetPattern, this);
    for (int i = 0; i < 4; ++i) {
        auto *octet = new QLineEdit(this);
        octet->setValidator(validator);
        octet->setAlignment(Qt::AlignCenter);
        octet->setMaxLength(3);
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

// A full octet moves on to the next box, as typing an address expects.
void IpAddressEdit::OctetEdited(int index)
{
    QLineEdit *octet = octets_[index];
    if (index < 3 && octet->text().size() == 3 && octet->cursorPosition() == 3) {
        octets_[index + 1]->setFocus();
        octets_[index + 1]->selectAll();
    }
}

int IpAddressEdit::IndexOf(QObject *octet) const
{
    for (int i = 0; i < 4; ++i)
        if (octets_[i] == octet)
            return i;
    return -1;
}

// "." or space jumps to the next octet; Backspace in an empty octet goes back one.
bool IpAddressEdit::eventFilter(QObject *watched, QEvent *event)
{
    const int index = IndexOf(watched);
    if (index < 0 || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->key() == Qt::Key_Period || key->key() == Qt::Key_Space) && index < 3) {
        if (!octets_[index]->text().isEmpty()) {
            octets_[index + 1]->setFocus();
            octets_[index + 1]->selectAll();
        }
        return true;
    }
    if (key->key() == Qt::Key_Backspace && index > 0 && octets_[index]->cursorPosition() == 0
        && !octets_[index]->hasSelectedText()) {
        octets_[index - 1]->setFocus();
        octets_[index - 1]->end(false);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace trb
