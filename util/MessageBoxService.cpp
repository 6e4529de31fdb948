#include "MessageBoxService.h"

#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

namespace trb {
namespace {

class WidgetMessageBox final : public MessageBoxService {
public:
    MessageAnswer show(QWidget *parent, const QString &text, const QString &title,
                       MessageIcon icon, MessageButtons buttons) override
    {
        QMessageBox box(toQtIcon(icon), title, text, toQtButtons(buttons), parent);
        if (buttons == MessageButtons::SaveCloseCancel) {
            box.button(QMessageBox::Yes)->setText(QStringLiteral("Save And Active"));
            box.button(QMessageBox::No)->setText(QStringLiteral("Close Anyway"));
            box.setDefaultButton(QMessageBox::Cancel);
        }
        switch (box.exec()) {
        case QMessageBox::Cancel: return MessageAnswer::Cancel;
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        default: return MessageAnswer::Ok;
        }
    }

private:
    static QMessageBox::Icon toQtIcon(MessageIcon icon)
    {
        switch (icon) {
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Exclamation: return QMessageBox::Warning;
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Question: return QMessageBox::Question;
        case MessageIcon::None: break;
        }
        return QMessageBox::NoIcon;
    }
    static QMessageBox::StandardButtons toQtButtons(MessageButtons buttons)
    {
        switch (buttons) {
        case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::SaveCloseCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::Ok: break;
        }
        return QMessageBox::Ok;
    }
};

// TRB4820_MESSAGES=stderr: print every message and answer OK, for runs without a user
// (start-up tests of the real program, benchmarks).
class StderrMessageBox final : public MessageBoxService {
public:
    MessageAnswer show(QWidget *, const QString &text, const QString &title, MessageIcon,
                       MessageButtons) override
    {
        std::fprintf(stderr, "message: %s: %s\n", qPrintable(title), qPrintable(text));
        return MessageAnswer::Ok;
    }
};

MessageBoxService *installed = nullptr;

} // namespace

MessageBoxService &MessageBoxService::current()
{
    static WidgetMessageBox widgets;
    static StderrMessageBox printed;
    static const bool toStderr = qgetenv("TRB4820_MESSAGES") == "stderr";
    if (installed)
        return *installed;
    return toStderr ? static_cast<MessageBoxService &>(printed) : widgets;
}

void MessageBoxService::install(MessageBoxService *service) { installed = service; }

MessageAnswer ShowMessageBox(const QString &text, MessageIcon icon, const QString &title,
                             MessageButtons buttons, QWidget *parent)
{
    return MessageBoxService::current().show(parent, text, title, icon, buttons);
}

} // namespace trb
