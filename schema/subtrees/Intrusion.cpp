#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {
constexpr const char *kDetected = "trbIntrusionApTable";
constexpr uint32_t kMaxDetected = 510; // 255 a band
ObjectDef detected(ObjectDef object) { return Column(kDetected, std::move(object)).creatable().setting(); }
} // namespace

Subtree intrusion()
{
    return {
        {Group("trbIntrusion", {13}, "Intrusion detection: the access points the radio has detected, each "
                                     "with the administrator's classification.")},
        {Table(kDetected, "trbIntrusionApEntry", {13, 2}, {"trbIntrusionApBand", "trbIntrusionApIndex"})
             .describe("Access points detected so far, indexed by band and row. A detection adds the access "
                       "points it has not seen before (as new) and updates the others; rows and their "
                       "classification are part of the saved configuration. A row may also be registered "
                       "(createAndGo) or forgotten (destroy) through trbIntrusionApStatus.")
             .createdRows(kMaxDetected, "trbIntrusionApStatus")},
        {
            // Not a setting: a detection runs once and is never saved.
            Enum("trbIntrusionScan", {13, 1}, "idle(0),band2dot4gHz(1),band5gHz(2)").writable()
                .describe("Writing a band detects the access points the radio hears on it and updates "
                          "that band's rows of trbIntrusionApTable. Reads return idle."),
            Index(kDetected, "trbIntrusionApBand", {13, 2, 1, 1}, 1, 2)
                .describe("Band the access point was detected on: 1 = 2.4 GHz, 2 = 5 GHz."),
            Index(kDetected, "trbIntrusionApIndex", {13, 2, 1, 2}, 1, 255).describe("Row number within the band."),
            detected(Int("trbIntrusionApChannel", {13, 2, 1, 3}, 1, 165)).describe("Channel last heard on."),
            detected(Mac("trbIntrusionApBssid", {13, 2, 1, 4})).describe("BSSID of the access point."),
            detected(Text("trbIntrusionApSsid", {13, 2, 1, 5}, 0, 32))
                .describe("Network name last announced; empty when hidden."),
            detected(Text("trbIntrusionApLastSeen", {13, 2, 1, 6}, 0, 63))
                .describe("Local date and time of the last detection that heard it."),
            detected(Enum("trbIntrusionApState", {13, 2, 1, 7}, "online(1),offline(2)"))
                .describe("online when the last detection of its band heard it."),
            detected(Enum("trbIntrusionApType", {13, 2, 1, 8}, "new(1),valid(2),neighborhood(3),rogue(4)"))
                .describe("The administrator's classification; new until classified."),
            detected(RowStatus("trbIntrusionApStatus", {13, 2, 1, 9}))
                .describe("Registers (createAndGo) and forgets (destroy) a row; reads active."),
        },
    };
}

} // namespace trb::schema::subtrees
