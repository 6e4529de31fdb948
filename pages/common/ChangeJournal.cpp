#include "ChangeJournal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>

#include <algorithm>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trb {
namespace {

QPointer<ChangeJournal> current;

// How far an up time may lag the clock of this PC before it counts as a restart: the poll's own
// delays, and two clocks that drift apart over days.
constexpr qint64 kUpTimeSlackTicks = 500;
constexpr qint64 kDriftPerTicks = 1000;

QJsonObject ToJson(const ChangeJournal::Entry &entry)
{
    return {{"page", entry.page}, {"label", entry.label}, {"old", entry.oldValue},
            {"new", entry.newValue}, {"time", entry.time.toUTC().toString(Qt::ISODateWithMs)}};
}

ChangeJournal::Entry FromJson(const QJsonObject &object)
{
    return {object.value("page").toString(), object.value("label").toString(),
            object.value("old").toString(), object.value("new").toString(),
            QDateTime::fromString(object.value("time").toString(), Qt::ISODateWithMs)};
}

bool WriteOwnerOnly(const QString &path, const QByteArray &bytes)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    ::fchmod(fd, 0600); // a file left by someone else's umask gets ours
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n <= 0)
            break;
        written += n;
    }
    const bool ok = written == bytes.size() && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

} // namespace

ChangeJournal::ChangeJournal(const QString &filePath, QObject *parent) : QObject(parent), filePath_(filePath)
{
    Load();
}

ChangeJournal::~ChangeJournal()
{
    if (current == this)
        current = nullptr;
}

ChangeJournal *ChangeJournal::Current() { return current; }

void ChangeJournal::SetCurrent(ChangeJournal *journal) { current = journal; }

QString ChangeJournal::FilePathFor(const QString &deviceAddress)
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    QString name = deviceAddress;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return base + QStringLiteral("/trb4820/unsaved-") + name + QStringLiteral(".json");
}

void ChangeJournal::Add(const QList<Entry> &entries)
{
    if (entries.isEmpty())
        return;
    entries_ += entries;
    Store();
    emit changed();
}

void ChangeJournal::Clear(const QString &reason)
{
    if (entries_.isEmpty())
        return;
    entries_.clear();
    Store();
    emit changed();
    emit cleared(reason);
}

bool ChangeJournal::RestartedSince(const UpTimeSample &last, uint32_t ticks, const QDateTime &now)
{
    if (ticks < last.ticks)
        return true;
    const qint64 passedTicks = std::max<qint64>(0, last.at.msecsTo(now) / 10);
    const qint64 expected = qint64(last.ticks) + passedTicks;
    return qint64(ticks) + kUpTimeSlackTicks + passedTicks / kDriftPerTicks < expected;
}

void ChangeJournal::NoteDeviceUpTime(uint32_t ticks)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const bool restarted = lastUpTime_ && RestartedSince(*lastUpTime_, ticks, now);
    const bool firstSample = !lastUpTime_;
    lastUpTime_ = UpTimeSample{ticks, now};
    if (restarted)
        Clear(QString::fromLatin1(kRebootedReason));
    else if (firstSample && !entries_.isEmpty())
        Store(); // a journal from before the device's time was known now has it
}

void ChangeJournal::Load()
{
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    for (const QJsonValue &entry : root.value("entries").toArray())
        entries_.append(FromJson(entry.toObject()));
    const QJsonObject upTime = root.value("upTime").toObject();
    const QDateTime at = QDateTime::fromString(upTime.value("at").toString(), Qt::ISODateWithMs);
    if (at.isValid())
        lastUpTime_ = UpTimeSample{uint32_t(upTime.value("ticks").toDouble()), at};
}

bool ChangeJournal::Store() const
{
    if (filePath_.isEmpty())
        return false;
    if (entries_.isEmpty())
        return QFile::remove(filePath_) || !QFileInfo::exists(filePath_);
    QJsonArray entries;
    for (const Entry &entry : entries_)
        entries.append(ToJson(entry));
    QJsonObject root{{"entries", entries}};
    if (lastUpTime_)
        root.insert("upTime", QJsonObject{{"ticks", double(lastUpTime_->ticks)},
                                          {"at", lastUpTime_->at.toString(Qt::ISODateWithMs)}});
    const QFileInfo info(filePath_);
    if (!QDir().mkpath(info.path()))
        return false;
    QFile::setPermissions(info.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString temporary = filePath_ + QStringLiteral(".new");
    if (!WriteOwnerOnly(temporary, QJsonDocument(root).toJson()))
        return false;
    return ::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(filePath_).constData()) == 0;
}

} // namespace trb
