#pragma once
// One function per subtree below the base; ObjectSchema.cpp joins them in this order.
#include "SchemaRows.h"

namespace trb::schema::subtrees {

rows::Subtree system();   // 1 trbSystem: device-wide scalars
rows::Subtree lan();      // 2 trbLan: the wired interface's address settings
rows::Subtree bands();    // 3 trbBandTable, 4 trbSsidTable
rows::Subtree commands(); // 5 trbCommands: device commands
rows::Subtree clients();  // 6 trbClientTable: associated stations
rows::Subtree admin();    // 7 trbAdmin: administrative access
rows::Subtree arp();      // 8 trbArp: ARP spoofing prevention
rows::Subtree wireless(); // 9 trbWireless: radio, SSID and security settings
rows::Subtree survey();   // 10 trbSurvey: site surveys and the wired-side MAC list
rows::Subtree statistics(); // 11 trbStatistics: traffic counters
rows::Subtree wds();      // 12 trbWds: WDS links
rows::Subtree intrusion(); // 13 trbIntrusion: detected access points and their classification
rows::Subtree apArray();  // 14 trbApArrayConfig: AP array membership, synchronization, scans
rows::Subtree schedule(); // 19 trbSchedule: wireless schedule rules
rows::Subtree timeConfig(); // 15 trbTime: time server, time zone and daylight saving
rows::Subtree dhcp();     // 16 trbDhcp: DHCP server, static bindings and leases
rows::Subtree qos();      // 18 trbQos: QoS switches and classification rules
rows::Subtree vlan();     // 17 trbVlan: VLANs, their member ports and the port VIDs
rows::Subtree tftp();     // 20 trbTftp: file transfers to and from the PC

} // namespace trb::schema::subtrees
