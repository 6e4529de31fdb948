#pragma once
// The texts the device writes into its log for what managers do to it.
#include <string>

#include "ObjectSchema.h"
#include "SnmpValue.h"

namespace trb::sim::LogLines {

// "Setting trbLanIpAddress changed to 10.0.0.5"; a secret's value is never written.
// `name` is the full instance OID, which places a table column's row in the text.
std::string settingChanged(const schema::ObjectDef &object, const Oid &name, const SnmpValue &value);
std::string rowAdded(const schema::TableDef &table, const Oid &index);
std::string rowRemoved(const schema::TableDef &table, const Oid &index);
// The device command's line (Device::Command codes); empty for idle and unknown codes.
std::string command(long code);
std::string stationAssociated(const std::string &macOctets, int64_t band);

} // namespace trb::sim::LogLines
