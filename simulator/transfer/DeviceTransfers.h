#pragma once
// The device's file transfers: each runs on a worker thread so the agent keeps answering, and
// its completion runs later on the agent's thread (poll), where it may change the device.
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "FileMover.h"

namespace trb::sim {

class DeviceTransfers {
public:
    using Bytes = std::vector<uint8_t>;
    using FetchDone = std::function<void(const FileMover::Result &, Bytes)>;
    using StoreDone = std::function<void(const FileMover::Result &)>;

    explicit DeviceTransfers(uint16_t serverPort = 69);
    DeviceTransfers(const DeviceTransfers &) = delete;
    DeviceTransfers &operator=(const DeviceTransfers &) = delete;
    ~DeviceTransfers();

    // Without a mover every transfer fails ("no TFTP client").
    void setMover(std::unique_ptr<FileMover> mover);
    void setServerPort(uint16_t port) { port_ = port; }
    uint16_t serverPort() const { return port_; }

    // Queue a transfer; `done` runs in a later poll().
    void fetch(const std::string &host, const std::string &name, FetchDone done);
    void store(const std::string &host, const std::string &name, Bytes data, StoreDone done);

    // Runs the completions of finished transfers; called by the agent's loop.
    void poll();
    // True while a transfer is queued, running or waiting for poll().
    bool busy() const;
    // Waits until nothing is queued or running (tests).
    void waitIdle();

private:
    using Job = std::function<std::function<void()>()>; // runs on the worker, returns the completion
    void enqueue(Job job);
    void work();

    uint16_t port_;
    std::shared_ptr<FileMover> mover_;
    mutable std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::deque<Job> jobs_;
    std::deque<std::function<void()>> completions_;
    bool running_ = false;
    bool stopping_ = false;
    std::thread worker_;
};

} // namespace trb::sim
