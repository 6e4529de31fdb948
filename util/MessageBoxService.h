#pragma once
// Every message the module shows to the user goes through this service, so tests can
// install a recorder that captures the texts and answers the confirmations.
#include <QString>

class QWidget;

namespace trb {

inline const char kApplicationTitle[] = "TRB-4820";

enum class MessageIcon { None, Information, Exclamation, Error, Question };
// SaveCloseCancel: "Save And Active" answers Yes, "Close Anyway" No.
enum class MessageButtons { Ok, OkCancel, YesNo, SaveCloseCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class MessageBoxService {
public:
    virtual ~MessageBoxService() = default;
    virtual MessageAnswer show(QWidget *parent, const QString &text, const QString &title,
                               MessageIcon icon, MessageButtons buttons) = 0;

    // The service in use: the installed one, else one that shows real message boxes.
    static MessageBoxService &current();
    // Installs a replacement (not owned); nullptr goes back to real message boxes.
    static void install(MessageBoxService *service);
};

// Shorthand for the common case: the application title and an OK button.
MessageAnswer ShowMessageBox(const QString &text, MessageIcon icon = MessageIcon::None,
                             const QString &title = QString::fromLatin1(kApplicationTitle),
                             MessageButtons buttons = MessageButtons::Ok, QWidget *parent = nullptr);

} // namespace trb
