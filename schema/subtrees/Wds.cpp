#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {
constexpr const char *kBands = "trbWdsBandTable";
constexpr const char *kPeers = "trbWdsPeerTable";
ObjectDef peerColumn(ObjectDef object) { return Column(kPeers, std::move(object)); }
} // namespace

Subtree wds()
{
    return {
        {Group("trbWds", {12}, "The WDS links of the radio: the channel each band works on and the state of "
                               "each configured peer.")},
        {
            Table(kBands, "trbWdsBandEntry", {12, 1}, {"trbWdsBandIndex"})
                .describe("The channel and frequency WDS uses on each band."),
            Table(kPeers, "trbWdsPeerEntry", {12, 2}, {"trbWdsPeerBand", "trbWdsPeerIndex"})
                .describe("The four WDS peer slots of each band (trbRadioWdsPeer1..4) and their link state."),
        },
        {
            Index(kBands, "trbWdsBandIndex", {12, 1, 1, 1}, 1, 2).describe("Band: 1 = 2.4 GHz, 2 = 5 GHz."),
            Column(kBands, Int("trbWdsBandChannel", {12, 1, 1, 2}, 0, 165)).describe("Channel in use."),
            Column(kBands, Text("trbWdsBandFrequency", {12, 1, 1, 3}, 0, 16))
                .describe("Centre frequency of the channel in GHz, e.g. 2.437."),

            Index(kPeers, "trbWdsPeerBand", {12, 2, 1, 1}, 1, 2).describe("Band: 1 = 2.4 GHz, 2 = 5 GHz."),
            Index(kPeers, "trbWdsPeerIndex", {12, 2, 1, 2}, 1, 4).describe("Peer slot."),
            peerColumn(Mac("trbWdsPeerMac", {12, 2, 1, 3})).describe("MAC address of the peer; all zeros when unused."),
            peerColumn(Text("trbWdsPeerName", {12, 2, 1, 4}, 0, 32)).describe("Name the peer announces."),
            peerColumn(Text("trbWdsPeerAuthentication", {12, 2, 1, 5}, 0, 64))
                .describe("Authentication of the link; 0 when there is no link."),
            peerColumn(Int("trbWdsPeerSignal", {12, 2, 1, 6}, 0, 100))
                .describe("Signal strength in percent; 0 when there is no link."),
            peerColumn(Text("trbWdsPeerStatus", {12, 2, 1, 7}, 0, 32))
                .describe("empty (slot unused), connected or disconnected."),
        },
    };
}

} // namespace trb::schema::subtrees
