#pragma once
// The writes the device accepted that only its running configuration holds: Save And Active
// keeps them across a reboot, Discard Changes, a reboot, a factory reset or a configuration
// upload throws them away. Kept in a file of the user's own (mode 0600) per device address,
// so a crash of the module loses none; secrets are journalled as "changed", never their values.
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

namespace trb {

class ChangeJournal : public QObject {
    Q_OBJECT
public:
    struct Entry {
        QString page;
        QString label; // as the page shows it
        QString oldValue;
        QString newValue;
        QDateTime time;
    };
    // What a secret's old and new value read as.
    static inline const char kSecretText[] = "changed";

    // Reads what an earlier run left in `filePath` (an unreadable file counts as empty).
    explicit ChangeJournal(const QString &filePath, QObject *parent = nullptr);
    ~ChangeJournal() override;

    // The journal the pages add to; none while no main window set one (tests of single pages).
    static ChangeJournal *Current();
    static void SetCurrent(ChangeJournal *journal);
    // The user's state directory's file for this device address.
    static QString FilePathFor(const QString &deviceAddress);

    const QList<Entry> &entries() const { return entries_; }
    int count() const { return int(entries_.size()); }
    const QString &filePath() const { return filePath_; }

    void Add(const QList<Entry> &entries);
    // Empties the journal; `reason` says why (the device saved, discarded, rebooted ...).
    void Clear(const QString &reason);
    // The device's up time from the status poll, in hundredths of a second: one that ran back,
    // or fell behind the time passed since the last one (also across runs of the module), means
    // a restart lost the changes.
    void NoteDeviceUpTime(uint32_t ticks);

    static inline const char kSavedReason[] = "Changes saved on the device.";
    static inline const char kDiscardedReason[] = "Changes discarded on the device.";
    static inline const char kRebootedReason[] = "Unsaved changes lost: the device restarted.";
    static inline const char kFactoryResetReason[] = "Unsaved changes lost: the device was reset to its factory settings.";
    static inline const char kUploadReason[] = "Unsaved changes replaced: a configuration file was loaded into the device.";

signals:
    void changed();
    void cleared(const QString &reason);

private:
    void Load();
    // Writes the whole journal to a temporary file and renames it over the old one.
    bool Store() const;

    struct UpTimeSample {
        uint32_t ticks;
        QDateTime at;
    };
    // Whether `ticks`, read now, can only follow `last` across a restart of the device.
    static bool RestartedSince(const UpTimeSample &last, uint32_t ticks, const QDateTime &now);

    QString filePath_;
    QList<Entry> entries_;
    std::optional<UpTimeSample> lastUpTime_;
};

} // namespace trb
