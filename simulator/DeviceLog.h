#pragma once
// The device's log: what happened and when, by the device's own clock. It lives in RAM, keeps
// the newest entries only, and is sent to the PC as text, one entry a line:
//   "2026-12-08 14:20:00 | [info] System started"
// Lines written while a SET is in progress are held until the SET commits, so a SET that is
// undone leaves no trace. Lines are added on the agent's thread, where transfer completions run
// too: the clock reads the device's state.
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace trb::sim {

enum class LogPriority { Info, Notice, Warning, Error };

class DeviceLog {
public:
    struct Entry {
        std::string time;
        LogPriority priority;
        std::string message;
    };
    using Clock = std::function<std::string()>; // the device's time as text

    static constexpr std::size_t kDefaultCapacity = 512;

    explicit DeviceLog(Clock clock, std::size_t capacity = kDefaultCapacity);

    void add(LogPriority priority, const std::string &message);
    // A line of the SET in progress: it joins the log on commitHeld, never on dropHeld.
    void hold(LogPriority priority, const std::string &message);
    void commitHeld();
    void dropHeld();
    void clear();

    std::size_t size() const;
    std::vector<Entry> entries() const;
    // The log as the file the device sends: every entry a line, oldest first.
    std::string text() const;

    static const char *priorityName(LogPriority priority);
    // One line of the file, without its line end. Line breaks in the message become blanks.
    static std::string lineOf(const Entry &entry);

private:
    void append(Entry entry);

    Clock clock_;
    std::size_t capacity_;
    mutable std::mutex mutex_;
    std::deque<Entry> entries_;
    std::vector<Entry> held_;
};

} // namespace trb::sim
