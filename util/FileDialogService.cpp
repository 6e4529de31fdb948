#include "FileDialogService.h"

#include <QFileDialog>

namespace trb {
namespace {

class RealFileDialogs final : public FileDialogService {
public:
    QString ask(QWidget *parent, const FileDialogRequest &request) override
    {
        QFileDialog dialog(parent);
        dialog.setNameFilters(QtNameFilters(request.filter));
        if (request.mode == FileDialogRequest::Mode::Open) {
            dialog.setFileMode(QFileDialog::ExistingFile);
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
        } else {
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }
};

FileDialogService *installed = nullptr;

} // namespace

FileDialogService &FileDialogService::current()
{
    static RealFileDialogs real;
    return installed ? *installed : real;
}

void FileDialogService::install(FileDialogService *service) { installed = service; }

QString AskOpenFile(QWidget *parent, const QString &filter)
{
    return FileDialogService::current().ask(parent, {FileDialogRequest::Mode::Open, filter, false});
}

QString AskSaveFile(QWidget *parent, const QString &filter)
{
    return FileDialogService::current().ask(parent, {FileDialogRequest::Mode::Save, filter, true});
}

QStringList QtNameFilters(const QString &filter)
{
    // Qt takes the patterns from the last parentheses of each entry, so the entry shows the
    // description and then the pattern the menu pairs it with.
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed().replace(u';', u' ');
        if (description.isEmpty() || pattern.isEmpty())
            continue;
        const QString shown = description.endsWith(u'(' + pattern + u')') ? description
                                                                           : description + QStringLiteral(" (") + pattern + u')';
        result << shown;
    }
    return result;
}

} // namespace trb
