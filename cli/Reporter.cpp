#include "Reporter.h"

#include <QJsonDocument>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>

namespace trb::ctl {
namespace {

int TerminalWidth(std::FILE *stream)
{
    winsize size{};
    if (::ioctl(::fileno(stream), TIOCGWINSZ, &size) == 0 && size.ws_col > 10)
        return size.ws_col;
    return 80;
}

std::string Megabytes(uint64_t bytes)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MiB", double(bytes) / (1024.0 * 1024.0));
    return text;
}

} // namespace

Reporter::Reporter(Mode mode, std::vector<std::string> columns, std::FILE *out, std::FILE *err)
    : mode_(mode), columns_(std::move(columns)), out_(out), err_(err)
{
}

Reporter::Mode Reporter::ModeFor(bool json)
{
    if (json)
        return Mode::Json;
    return ::isatty(STDERR_FILENO) ? Mode::Terminal : Mode::Lines;
}

void Reporter::Started(const DeviceAddress &device)
{
    std::lock_guard lock(mutex_);
    inFlight_[device.text] = "started";
    Event(device.text + ": started");
}

void Reporter::Step(const DeviceAddress &device, const std::string &text)
{
    std::lock_guard lock(mutex_);
    inFlight_[device.text] = text;
    if (text.rfind("sending ", 0) == 0 || text.rfind("receiving ", 0) == 0)
        movingSince_[device.text] = std::chrono::steady_clock::now();
    Event(device.text + ": " + text);
}

void Reporter::Progress(const std::string &deviceText, uint64_t bytes, uint64_t total)
{
    if (mode_ != Mode::Terminal)
        return;
    std::lock_guard lock(mutex_);
    auto it = inFlight_.find(deviceText);
    // Only while the file moves: the server's last report may come after the next step.
    if (it == inFlight_.end() || (it->second.rfind("sending ", 0) != 0 && it->second.rfind("receiving ", 0) != 0))
        return;
    const std::string base = it->second.substr(0, it->second.find(" ["));
    const auto now = std::chrono::steady_clock::now();
    const auto since = movingSince_.try_emplace(deviceText, now).first->second;
    const double seconds = std::chrono::duration<double>(now - since).count();
    std::string rate;
    if (seconds > 0.2)
        rate = ", " + Megabytes(uint64_t(double(bytes) / seconds)) + "/s";
    it->second = base + " [" + Megabytes(bytes) + (total ? " of " + Megabytes(total) : std::string()) + rate + "]";
    // Many transfers report every 64 KiB: a few redraws a second are enough to read.
    if (now - lastDraw_ >= std::chrono::milliseconds(200))
        Redraw();
}

void Reporter::Finished(const DeviceAddress &device, const DeviceResult &result)
{
    std::lock_guard lock(mutex_);
    inFlight_.erase(device.text);
    movingSince_.erase(device.text);
    results_[device.text] = result;
    if (mode_ == Mode::Json) {
        QJsonObject object = result.json;
        object.insert(QStringLiteral("device"), QString::fromStdString(device.text));
        object.insert(QStringLiteral("ok"), result.ok);
        if (!result.ok)
            object.insert(QStringLiteral("error"), QString::fromStdString(result.error));
        std::fprintf(out_, "%s\n", QJsonDocument(object).toJson(QJsonDocument::Compact).constData());
        std::fflush(out_);
        return;
    }
    Event(device.text + (result.ok ? ": done" : ": FAILED: " + result.error));
}

void Reporter::Note(const std::string &text)
{
    std::lock_guard lock(mutex_);
    EraseLive();
    std::fprintf(err_, "%s\n", text.c_str());
    Redraw();
}

void Reporter::Event(const std::string &line)
{
    if (mode_ == Mode::Json)
        return;
    if (mode_ == Mode::Lines) {
        std::fprintf(err_, "%s\n", line.c_str());
        std::fflush(err_);
        return;
    }
    // On a terminal only what ends stays on screen; the devices in flight are redrawn below.
    if (line.find(": done") != std::string::npos || line.find(": FAILED") != std::string::npos) {
        EraseLive();
        std::fprintf(err_, "%s\n", line.c_str());
    }
    Redraw();
}

void Reporter::EraseLive()
{
    if (mode_ == Mode::Terminal && liveLines_ > 0)
        std::fprintf(err_, "\033[%dA\r\033[J", liveLines_);
    liveLines_ = 0;
}

void Reporter::Redraw()
{
    if (mode_ != Mode::Terminal)
        return;
    EraseLive();
    const std::size_t width = std::size_t(TerminalWidth(err_) - 1);
    for (const auto &[device, text] : inFlight_) {
        std::string line = device + ": " + text;
        if (line.size() > width)
            line.resize(width);
        std::fprintf(err_, "%s\n", line.c_str());
        ++liveLines_;
    }
    const auto failed = std::size_t(std::count_if(results_.begin(), results_.end(), [](const auto &r) { return !r.second.ok; }));
    const std::size_t started = results_.size() + inFlight_.size();
    std::fprintf(err_, "%zu done, %zu failed, %zu in flight, %zu waiting\n", results_.size() - failed, failed,
                 inFlight_.size(), expected_ > started ? expected_ - started : 0);
    ++liveLines_;
    std::fflush(err_);
    lastDraw_ = std::chrono::steady_clock::now();
}

int Reporter::Summarize(const std::vector<DeviceAddress> &devices)
{
    std::lock_guard lock(mutex_);
    EraseLive();
    if (mode_ != Mode::Json) {
        std::vector<std::vector<std::string>> rows{{"DEVICE"}};
        rows[0].insert(rows[0].end(), columns_.begin(), columns_.end());
        for (const DeviceAddress &device : devices) {
            const auto it = results_.find(device.text);
            std::vector<std::string> row{device.text};
            if (it != results_.end() && it->second.ok)
                row.insert(row.end(), it->second.cells.begin(), it->second.cells.end());
            else
                row.push_back("FAILED");
            rows.push_back(row);
        }
        std::vector<std::size_t> widths;
        for (const auto &row : rows)
            for (std::size_t i = 0; i < row.size(); ++i) {
                widths.resize(std::max(widths.size(), row.size()));
                widths[i] = std::max(widths[i], row[i].size());
            }
        for (const auto &row : rows) {
            std::string line;
            for (std::size_t i = 0; i < row.size(); ++i)
                line += i + 1 < row.size() ? row[i] + std::string(widths[i] - row[i].size() + 2, ' ') : row[i];
            std::fprintf(out_, "%s\n", line.c_str());
        }
        std::fflush(out_);
    }
    int failed = 0;
    for (const DeviceAddress &device : devices)
        if (const auto it = results_.find(device.text); it == results_.end() || !it->second.ok)
            ++failed;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    std::fprintf(err_, "%zu %s: %zu succeeded, %d failed (%.1f s)\n", devices.size(), devices.size() == 1 ? "device" : "devices",
                 devices.size() - std::size_t(failed), failed, seconds);
    for (const DeviceAddress &device : devices) {
        const auto it = results_.find(device.text);
        if (it == results_.end())
            std::fprintf(err_, "  %s: not run\n", device.text.c_str());
        else if (!it->second.ok)
            std::fprintf(err_, "  %s: %s\n", device.text.c_str(), it->second.error.c_str());
    }
    std::fflush(err_);
    return failed == 0 ? 0 : 1;
}

} // namespace trb::ctl
