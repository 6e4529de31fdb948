#pragma once
// Every file dialog the module opens goes through this service, so tests can answer them.
// Filters are written as the device menus have them: "Config File(*.dcf)|*.dcf||".
#include <QString>
#include <QStringList>

class QWidget;

namespace trb {

struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString filter;              // "|"-separated description/pattern pairs; empty: no filter
    bool confirmOverwrite = true; // Save: ask before replacing an existing file
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString ask(QWidget *parent, const FileDialogRequest &request) = 0;

    static FileDialogService &current();
    // Installs a replacement (not owned); nullptr goes back to real dialogs.
    static void install(FileDialogService *service);
};

// An existing file to read; empty when cancelled.
QString AskOpenFile(QWidget *parent, const QString &filter);
// A file to write, confirming before an existing one is replaced; empty when cancelled.
QString AskSaveFile(QWidget *parent, const QString &filter);
// "All Files(*.*)|*.*|Config File(*.dcf)|*.dcf||" as Qt name filters.
QStringList QtNameFilters(const QString &filter);

} // namespace trb
