#include "RecordingMessageBox.h"

namespace trb {

RecordingMessageBox::RecordingMessageBox() : previous_(&MessageBoxService::current())
{
    MessageBoxService::install(this);
}

RecordingMessageBox::~RecordingMessageBox()
{
    // current() falls back to real boxes; keep any recorder that was installed before us.
    MessageBoxService::install(previous_);
}

MessageAnswer RecordingMessageBox::show(QWidget *parent, const QString &text,
                                        const QString &title, MessageIcon icon,
                                        MessageButtons buttons)
{
    const MessageAnswer answer = answerFor(buttons);
    shown_.append({text, title, icon, buttons, parent, answer});
    return answer;
}

QStringList RecordingMessageBox::texts() const
{
    QStringList result;
    for (const Shown &message : shown_)
        result << message.text;
    return result;
}

MessageAnswer RecordingMessageBox::answerFor(MessageButtons buttons)
{
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    const MessageAnswer fallback =
        buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    return answers_.isEmpty() ? fallback : answers_.dequeue();
}

} // namespace trb
