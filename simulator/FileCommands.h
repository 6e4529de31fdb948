#pragma once
// The device's side of file transfers: a write of the direction fetches a file from the PC (or
// stores the ACL file there), a command applies the fetched file once it has arrived (firmware
// image, language pack, certificate, key, configuration, ACL file) or stores the configuration
// file; the outcome is the status text the module polls.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "SnmpValue.h"
#include "transfer/FileMover.h"

namespace trb::sim {

class Device;

class FileCommands {
public:
    using Bytes = std::vector<uint8_t>;
    enum Direction { FromPc = 2, ConfigToPc = 3, AclToPc = 5 };
    enum Command { ApplyImage = 1, SendConfig = 2, ApplyConfig = 3, Finish = 4, ApplyCertificate = 7,
                   ApplyKey = 8, ApplyAcl = 9 };

    static constexpr const char *kModel = "TRB-4820";

    explicit FileCommands(Device &device);

    // Whether `name` is the direction or the command, which act rather than only store.
    bool handles(const Oid &name) const { return name == directionOid_ || name == commandOid_; }
    void write(const Oid &name, const SnmpValue &value);
    std::string status() const;

private:
    void startFetch();
    void fetched(const FileMover::Result &result, Bytes file);
    void run(long command);
    void applyFetched(long command);
    void finish();
    // Each returns the status text of its outcome.
    const char *applyImage(const Bytes &file);
    const char *applyCertificate(const Bytes &file);
    const char *applyKey(const Bytes &file);
    const char *applyConfig(const Bytes &file);
    const char *applyAcl(const Bytes &file);
    // Stores a file on the PC; the status follows its outcome.
    void send(Bytes file);
    // Shows `value` in `object` and saves it with the state; false, with nothing changed, when
    // the state file cannot be written.
    bool install(const char *object, const std::string &value);
    void setStatus(const char *status);
    std::string text(const char *object) const;

    Device &device_;
    Oid directionOid_, commandOid_, statusOid_;
    bool fetching_ = false;
    uint64_t fetchNumber_ = 0;   // a new fetch makes an older one's completion stale
    std::optional<Bytes> file_;  // the fetched file, until a command applies it
    std::optional<long> waiting_; // a command that came while the file was on its way
    bool finishWaiting_ = false;  // a finish that came after it
};

} // namespace trb::sim
