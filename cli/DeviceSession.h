#pragma once
// One device through the device library: objects read and written by name, the device-wide
// commands and the TFTP commands. Every call returns when the device has answered or the
// session's time-out has run out; the text of a failure is the library's or the device's own.
#include <cstdint>
#include <string>
#include <vector>

#include "Communities.h"
#include "DeviceAddress.h"
#include "ObjectValue.h"
#include "TRB4820apHelp.h"

namespace trb::ctl {

struct Outcome {
    int code = AP_OK;
    std::string text;

    bool Ok() const { return code == AP_OK; }
    // Nothing came back: the device is off, unreachable or does not know the community.
    bool NoAnswer() const { return code == AP_ERR_TIMEOUT; }
    static Outcome Failed(int code, std::string text) { return {code, std::move(text)}; }
};

struct SessionSettings {
    Communities communities;
    int timeoutMs = 1500; // per try
    int retries = 1;
};

class DeviceSession {
public:
    DeviceSession(const DeviceAddress &address, const SessionSettings &settings);
    ~DeviceSession();
    DeviceSession(const DeviceSession &) = delete;
    DeviceSession &operator=(const DeviceSession &) = delete;

    // Whether the session could be opened (an unknown host cannot).
    const Outcome &Opened() const { return opened_; }

    // Values in the order asked for; a failed value fails the whole read.
    Outcome Read(const std::vector<ObjectInstance> &objects, std::vector<std::string> &texts,
                 std::vector<devicelib::SnmpValue> *raw = nullptr);
    // By name, for the program's own fixed lists.
    Outcome ReadNamed(const std::vector<std::string> &names, std::vector<std::string> &texts,
                      std::vector<devicelib::SnmpValue> *raw = nullptr);
    // All values in one request; the device takes all of them or none.
    Outcome Write(const std::vector<devicelib::Varbind> &values);
    // 0 restart, 2 save and activate, 3 discard (apSysCommand's numbers).
    Outcome Command(int command, int waitMs);
    // Where the device's TFTP client goes, and what it does there, in one set request.
    Outcome StartTransfer(const std::string &pcAddress, const std::string &fileName, int direction, int command);
    Outcome TransferCommand(int command, int waitMs);

private:
    static Outcome Report(int code, const std::string &text);
    static Outcome CodeOnly(int code);

    APHANDLE session_ = 0;
    Outcome opened_;
};

} // namespace trb::ctl
