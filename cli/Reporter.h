#pragma once
// What the user sees of a run: progress on standard error (live lines on a terminal, one line
// per event otherwise), results on standard output (a table at the end, or one JSON object per
// device as it finishes), and a summary naming every failed device with its error.
#include <chrono>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "DeviceAddress.h"
#include "DeviceResult.h"

namespace trb::ctl {

class Reporter {
public:
    enum class Mode { Terminal, Lines, Json };

    Reporter(Mode mode, std::vector<std::string> columns, std::FILE *out = stdout, std::FILE *err = stderr);

    // Terminal when standard error is one, unless JSON is asked for.
    static Mode ModeFor(bool json);

    // How many devices the run has: the terminal's summary line counts those still waiting.
    void Expect(std::size_t devices) { expected_ = devices; }
    void Started(const DeviceAddress &device);
    void Step(const DeviceAddress &device, const std::string &text);
    // Bytes moved by the device's transfer (shown on a terminal only).
    void Progress(const std::string &deviceText, uint64_t bytes, uint64_t total);
    void Finished(const DeviceAddress &device, const DeviceResult &result);
    void Note(const std::string &text);

    // The table (unless JSON) and the summary; 0 when every device succeeded, else 1.
    int Summarize(const std::vector<DeviceAddress> &devices);

private:
    void Event(const std::string &line);
    void Redraw();
    void EraseLive();

    Mode mode_;
    std::vector<std::string> columns_;
    std::FILE *out_;
    std::FILE *err_;
    std::mutex mutex_;
    std::map<std::string, std::string> inFlight_; // device text -> what it is doing
    std::map<std::string, std::chrono::steady_clock::time_point> movingSince_; // its transfer's start
    std::size_t expected_ = 0;
    std::map<std::string, DeviceResult> results_;
    int liveLines_ = 0;
    std::chrono::steady_clock::time_point lastDraw_{};
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace trb::ctl
