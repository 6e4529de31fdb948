#pragma once
// Installs itself as the file dialog service for its lifetime: answers each dialog with the
// next queued path (an empty queue cancels) and records what was asked.
#include "FileDialogService.h"

#include <QList>
#include <QQueue>

namespace trb {

class ScriptedFileDialogs final : public FileDialogService {
public:
    ScriptedFileDialogs() { FileDialogService::install(this); }
    ~ScriptedFileDialogs() override { FileDialogService::install(nullptr); }
    ScriptedFileDialogs(const ScriptedFileDialogs &) = delete;
    ScriptedFileDialogs &operator=(const ScriptedFileDialogs &) = delete;

    void queueAnswer(const QString &path) { answers_.enqueue(path); }
    QString ask(QWidget *, const FileDialogRequest &request) override
    {
        asked_.append(request);
        return answers_.isEmpty() ? QString() : answers_.dequeue();
    }
    const QList<FileDialogRequest> &asked() const { return asked_; }

private:
    QQueue<QString> answers_;
    QList<FileDialogRequest> asked_;
};

} // namespace trb
