#include "QosRules.h"

#include "AddressValidation.h"
#include "RecordText.h"

namespace trb::QosRules {
namespace {

const char *const kAny = "0.0.0.0";
const int kProtocolNumbers[] = {256, 6, 17, 257, 1};
const char *const kProtocolNames[] = {"Any", "TCP", "UDP", "Both", "ICMP", "Other"};

int LastOctet(const QString &ip) { return int(IpToUint(ip) & 0xFF); }

using IpSlot = char[AP_QOS_IP_TEXT_SIZE];

// An empty start is "any"; an empty end takes the start.
void PutRange(const QString &start, const QString &end, IpSlot &startSlot, IpSlot &endSlot)
{
    const QString from = start.isEmpty() ? QString::fromLatin1(kAny) : start;
    SetRecordText(startSlot, from);
    SetRecordText(endSlot, end.isEmpty() ? from : end);
}

// Both ends shown empty when either is "any".
void TakeRange(const IpSlot &startSlot, const IpSlot &endSlot, QString &start, QString &end)
{
    start = RecordText(startSlot);
    end = RecordText(endSlot);
    if (start == QLatin1String(kAny) || end == QLatin1String(kAny)) {
        start.clear();
        end.clear();
    }
}

QString RangeText(const IpSlot &start, const IpSlot &end)
{
    const QString from = RecordText(start);
    if (from == QLatin1String(kAny))
        return QStringLiteral("Any");
    return QStringLiteral("%1 - %2").arg(from, RecordText(end));
}

QString PortsText(const QString &sofar, int start, int end)
{
    if (start == 0)
        return sofar + QStringLiteral(" / Any");
    return QStringLiteral("%1 / %2-%3").arg(sofar).arg(start).arg(end);
}

} // namespace

int ProtocolNumberOf(int protocolIndex)
{
    return protocolIndex >= 0 && protocolIndex < 5 ? kProtocolNumbers[protocolIndex] : 0;
}

bool ProtocolHasPorts(int protocolIndex) { return protocolIndex >= 1 && protocolIndex <= 3; }

apQosRule ToRecord(const QosRuleForm &form, int index)
{
    apQosRule rule{};
    rule.index = index;
    rule.enabled = 1;
    SetRecordText(rule.name, form.name);
    rule.priority = 3 - form.priorityIndex;
    rule.protocolNumber = form.protocolNumber;
    rule.protocol = form.protocolIndex;
    PutRange(form.host1Start, form.host1End, rule.host1Start, rule.host1End);
    PutRange(form.host2Start, form.host2End, rule.host2Start, rule.host2End);
    if (ProtocolHasPorts(form.protocolIndex)) { // ports left in greyed fields mean nothing
        rule.host1PortStart = form.host1PortStart;
        rule.host1PortEnd = form.host1PortEnd ? form.host1PortEnd : form.host1PortStart;
        rule.host2PortStart = form.host2PortStart;
        rule.host2PortEnd = form.host2PortEnd ? form.host2PortEnd : form.host2PortStart;
    }
    rule.host1Count = LastOctet(RecordText(rule.host1End)) - LastOctet(RecordText(rule.host1Start)) + 1;
    rule.host2Count = LastOctet(RecordText(rule.host2End)) - LastOctet(RecordText(rule.host2Start)) + 1;
    rule.host1PortCount = rule.host1PortEnd - rule.host1PortStart + 1;
    rule.host2PortCount = rule.host2PortEnd - rule.host2PortStart + 1;
    return rule;
}

QosRuleForm FromRecord(const apQosRule &rule)
{
    QosRuleForm form;
    form.name = RecordText(rule.name);
    form.priorityIndex = rule.priority >= 0 && rule.priority <= 3 ? 3 - rule.priority : 0;
    form.protocolIndex = rule.protocol >= 0 && rule.protocol <= kProtocolOther ? rule.protocol : 0;
    form.protocolNumber = rule.protocolNumber;
    TakeRange(rule.host1Start, rule.host1End, form.host1Start, form.host1End);
    TakeRange(rule.host2Start, rule.host2End, form.host2Start, form.host2End);
    form.host1PortStart = rule.host1PortStart;
    form.host1PortEnd = rule.host1PortEnd;
    form.host2PortStart = rule.host2PortStart;
    form.host2PortEnd = rule.host2PortEnd;
    return form;
}

bool IsIpRange(const QString &start, const QString &end)
{
    const quint32 from = IpToUint(start);
    const quint32 to = IpToUint(end);
    return from <= to && (from >> 8) == (to >> 8);
}

QString PriorityText(int priority)
{
    switch (priority) {
    case 0: return QStringLiteral("Voice");
    case 1: return QStringLiteral("Video");
    case 2: return QStringLiteral("Best Effort");
    default: return QStringLiteral("Backgroud");
    }
}

QString Host1RangeText(const apQosRule &rule) { return RangeText(rule.host1Start, rule.host1End); }
QString Host2RangeText(const apQosRule &rule) { return RangeText(rule.host2Start, rule.host2End); }

QString ProtocolPortsText(const apQosRule &rule)
{
    const bool known = rule.protocol >= 0 && rule.protocol <= kProtocolOther;
    const QString name = QString::fromLatin1(kProtocolNames[known ? rule.protocol : 0]);
    return PortsText(PortsText(name, rule.host1PortStart, rule.host1PortEnd), rule.host2PortStart, rule.host2PortEnd);
}

} // namespace trb::QosRules
