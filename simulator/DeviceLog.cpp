#include "DeviceLog.h"

#include <algorithm>

namespace trb::sim {

DeviceLog::DeviceLog(Clock clock, std::size_t capacity) : clock_(std::move(clock)), capacity_(std::max<std::size_t>(capacity, 1)) {}

void DeviceLog::add(LogPriority priority, const std::string &message)
{
    Entry entry{clock_(), priority, message};
    std::lock_guard lock(mutex_);
    append(std::move(entry));
}

void DeviceLog::hold(LogPriority priority, const std::string &message)
{
    Entry entry{clock_(), priority, message};
    std::lock_guard lock(mutex_);
    held_.push_back(std::move(entry));
}

void DeviceLog::commitHeld()
{
    std::lock_guard lock(mutex_);
    for (Entry &entry : held_)
        append(std::move(entry));
    held_.clear();
}

void DeviceLog::dropHeld()
{
    std::lock_guard lock(mutex_);
    held_.clear();
}

void DeviceLog::clear()
{
    std::lock_guard lock(mutex_);
    entries_.clear();
}

// The caller holds the lock. The oldest entries make room.
void DeviceLog::append(Entry entry)
{
    entries_.push_back(std::move(entry));
    while (entries_.size() > capacity_)
        entries_.pop_front();
}

std::size_t DeviceLog::size() const
{
    std::lock_guard lock(mutex_);
    return entries_.size();
}

std::vector<DeviceLog::Entry> DeviceLog::entries() const
{
    std::lock_guard lock(mutex_);
    return {entries_.begin(), entries_.end()};
}

std::string DeviceLog::text() const
{
    std::string text;
    for (const Entry &entry : entries())
        text += lineOf(entry) + "\n";
    return text;
}

const char *DeviceLog::priorityName(LogPriority priority)
{
    switch (priority) {
    case LogPriority::Info: return "info";
    case LogPriority::Notice: return "notice";
    case LogPriority::Warning: return "warning";
    case LogPriority::Error: return "error";
    }
    return "info";
}

std::string DeviceLog::lineOf(const Entry &entry)
{
    std::string message = entry.message;
    std::replace_if(message.begin(), message.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return entry.time + " | [" + priorityName(entry.priority) + "] " + message;
}

} // namespace trb::sim
