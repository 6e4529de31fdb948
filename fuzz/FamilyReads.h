#pragma once
// One read of one family of the device library against the fake agent, then every getter of
// the family on what it read, each checked: the result code is one of the library's, a read
// the agent gave reason to fail does not succeed, every text ends in its slot, lists are no
// longer than the buffer given and than what the agent sent, bytes the library does not own
// stay as they were. A broken rule aborts, so that the fuzzer reports it.
#include <cstddef>
#include <cstdint>

#include "FakeAgent.h"
#include "TRB4820apHelp.h"

namespace trb::fuzz {

struct CallChoice {
    uint8_t family = 0;
    uint8_t options = 0; // 1 wait mode, 2 its 20 ms time-out, 4 read twice, 0x18 capacity, 0x20 band 2
    uint16_t groups = 0; // the groups to read, where a family has them; 0: the handle's own
};

class FamilyReads {
public:
    static constexpr int kChoices = 26;

    FamilyReads(APHANDLE session, FakeAgent &agent) : session_(session), agent_(agent) {}
    void run(const CallChoice &choice);

private:
    template <typename Look> void withHandle(APHANDLE handle, uint32_t allGroups, Look look);
    int read(APHANDLE handle); // the result code
    void checkOutcome(int code, const FakeAgent::Verdict &verdict, const char *what) const;
    int32_t capacityFor(int32_t total) const;
    int band() const { return choice_.options & 0x20 ? 2 : 1; }
    template <typename Row, typename Fetch> std::vector<Row> listed(const char *what, Fetch fetch, std::size_t extra = 0);

    void deviceInfo();
    void paneStatus();
    void arp();
    void admin();
    void wireless();
    void wirelessBand(APHANDLE handle, int band);
    void wirelessSsid(APHANDLE handle, int band, int ssid);
    void statistics();
    void intrusion();
    void apArray();
    void time();
    void dhcp();
    void qos();
    void vlan();
    void schedule();
    void tftp();
    void filter();
    void filterBand(APHANDLE handle, int band);
    void log();
    void command();
    void monitor(int kind);
    void monitorRows(APHANDLE monitor, int kind);
    template <typename First, typename Second> void monitorPairs(APHANDLE monitor, const char *what);

    const APHANDLE session_;
    FakeAgent &agent_;
    CallChoice choice_;
    std::size_t received_ = 0; // varbinds the open handle may have been sent
};

} // namespace trb::fuzz
