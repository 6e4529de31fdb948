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
rows::Subtree timeConfig(); // 15 trbTime: time server, time zone and daylight saving

} // namespace trb::schema::subtrees
