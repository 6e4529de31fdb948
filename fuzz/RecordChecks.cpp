#include "RecordChecks.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace trb::fuzz {

void fail(const std::string &what)
{
    std::fprintf(stderr, "agent-answers: %s\n", what.c_str());
    std::abort();
}

void expectOk(int code, const char *call)
{
    if (code != AP_OK)
        fail(std::string(call) + " returned " + std::to_string(code));
}

bool knownCode(int code)
{
    return (code >= AP_OK && code <= AP_ERR_BAD_TYPE) || (code > AP_ERR_SNMP_STATUS && code <= AP_ERR_SNMP_STATUS + 18);
}

void macFormat(const char *what, const char *text)
{
    const std::size_t length = std::strlen(text);
    const bool hex = std::all_of(text, text + length, [](char c) { return std::isdigit(uint8_t(c)) || (c >= 'A' && c <= 'F'); });
    if ((length != 0 && length != 12) || !hex)
        fail(std::string(what) + ": MAC \"" + text + "\"");
}

bool peerList(const char *text)
{
    if (std::strlen(text) != 4 * 12 + 3)
        return false;
    for (int i = 0; i < 4 * 12 + 3; ++i)
        if (i % 13 == 12 ? text[i] != ' ' : !std::isxdigit(uint8_t(text[i])))
            return false;
    return true;
}

void checkRow(const apArpEntry &e)
{
    terminated("ARP entry", e.ipAddress, e.macAddress);
    macFormat("ARP entry", e.macAddress);
}
void checkRow(const apIntrusionRecord &r)
{
    terminated("detected access point", r.channel, r.bssid, r.bandText, r.ssid, r.lastSeen, r.type, r.status);
    macFormat("detected access point", r.bssid);
}
void checkRow(const apDhcpStaticEntry &e)
{
    terminated("static DHCP entry", e.hostName, e.mac, e.ipAddress, e.subnetMask, e.gateway, e.wins, e.dns,
               e.domainName);
    macFormat("static DHCP entry", e.mac);
}
void checkRow(const apQosRule &r) { terminated("QoS rule", r.name, r.host1Start, r.host1End, r.host2Start, r.host2End); }
void checkRow(const apVlanRecord &r) { terminated("VLAN", r.name, r.untagged, r.tagged); }
void checkRow(const apScheduleRule &r)
{
    terminated("schedule rule", r.name, r.daysText, r.timeFrame, r.ssidName, r.start, r.end);
}
void checkRow(const apFilterAclEntry &e)
{
    terminated("ACL entry", e.mac);
    macFormat("ACL entry", e.mac);
}
void checkRow(const apClientRecord &r)
{
    terminated("client", r.mac, r.phyMode, r.authentication, r.powerSave, r.ssid);
    macFormat("client", r.mac);
}
void checkRow(const apWdsPeerRecord &r)
{
    terminated("WDS peer", r.mac, r.authentication, r.name, r.status);
    macFormat("WDS peer", r.mac);
}
template <typename Survey> void checkSurvey(const Survey &r)
{
    terminated("survey row", r.bssid, r.security, r.ssid);
    macFormat("survey row", r.bssid);
}
void checkRow(const apClientSurveyRecord &r) { checkSurvey(r); }
void checkRow(const apWdsSurveyRecord &r) { checkSurvey(r); }
void checkRow(const apClientMacRecord &r)
{
    terminated("client MAC", r.mac);
    macFormat("client MAC", r.mac);
}
void checkRow(const apDhcpLeaseEntry &e)
{
    terminated("lease", e.hostName, e.mac, e.ipAddress, e.leaseTime);
    macFormat("lease", e.mac);
}
void checkRow(const apDhcpStaticLeaseEntry &e)
{
    terminated("static lease", e.hostName, e.mac, e.ipAddress);
    macFormat("static lease", e.mac);
}
void checkRow(const apArrayEntry &e)
{
    terminated("AP array", e.name, e.masterIp, e.mac);
    macFormat("AP array", e.mac);
}
void checkRow(const apArrayMember &m)
{
    terminated("AP array member", m.ipAddress, m.mac, m.location);
    macFormat("AP array member", m.mac);
}
void checkRow(const apVlanPortEntry &p) { terminated("VLAN port", p.portName, p.tagVids, p.untagVids, p.pvid); }

} // namespace trb::fuzz
