#pragma once
// Installs itself as the message service for its lifetime: records every message shown
// and answers confirmations from a queue.
//
//   RecordingMessageBox messages;
//   messages.queueAnswer(MessageAnswer::Cancel); // the next confirmation is cancelled
//   ... code under test ...
//   EXPECT_EQ(messages.texts(), QStringList{"Invalid IP Address!"});
#include "MessageBoxService.h"

#include <QList>
#include <QPointer>
#include <QQueue>
#include <QStringList>
#include <QWidget>

namespace trb {

class RecordingMessageBox final : public MessageBoxService {
public:
    struct Shown {
        QString text;
        QString title;
        MessageIcon icon;
        MessageButtons buttons;
        QPointer<QWidget> parent;
        MessageAnswer answer;
    };

    RecordingMessageBox();
    ~RecordingMessageBox() override;
    RecordingMessageBox(const RecordingMessageBox &) = delete;
    RecordingMessageBox &operator=(const RecordingMessageBox &) = delete;

    MessageAnswer show(QWidget *parent, const QString &text, const QString &title,
                       MessageIcon icon, MessageButtons buttons) override;

    // The answer to the next box that asks (OK/Cancel or Yes/No). Boxes with only an OK
    // button take nothing from the queue. An empty queue answers OK (Yes).
    void queueAnswer(MessageAnswer answer) { answers_.enqueue(answer); }

    const QList<Shown> &shown() const { return shown_; }
    QStringList texts() const;
    qsizetype count() const { return shown_.size(); }
    const Shown &last() const { return shown_.last(); }
    void clear() { shown_.clear(); }

private:
    MessageAnswer answerFor(MessageButtons buttons);

    QList<Shown> shown_;
    QQueue<MessageAnswer> answers_;
    MessageBoxService *previous_;
};

} // namespace trb
