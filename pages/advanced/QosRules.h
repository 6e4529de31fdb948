#pragma once
// The QoS rule form's values and their codecs to and from the library's rule record, and the
// texts the rule list shows. Pure: no controls, no device.
#include <QString>

#include "TRB4820apRecords.h"

namespace trb {

struct QosRuleForm {
    QString name;
    int priorityIndex = 0; // drop-down: 0 Background .. 3 Voice (the device counts the other way)
    int protocolIndex = 0; // 0 Any, 1 TCP, 2 UDP, 3 Both, 4 ICMP, 5 Other
    int protocolNumber = 256;
    QString host1Start, host1End; // "" = any
    int host1PortStart = 0, host1PortEnd = 0; // 0 = any
    QString host2Start, host2End;
    int host2PortStart = 0, host2PortEnd = 0;
};

namespace QosRules {

inline constexpr int kProtocolOther = 5;

// The number a protocol choice stands for; 0 for "Other" (the user's number) or no choice.
int ProtocolNumberOf(int protocolIndex);
// TCP, UDP and Both have ports.
bool ProtocolHasPorts(int protocolIndex);

// The record "Add" sends for the rule at `index`: empty addresses as 0.0.0.0, an empty end taking
// the start, ports only where the protocol has them, and the counts.
apQosRule ToRecord(const QosRuleForm &form, int index);
// The form "Edit" shows: a range with 0.0.0.0 at either end shown empty.
QosRuleForm FromRecord(const apQosRule &rule);

// Whether two dotted addresses form a range the device takes: in order, in one /24.
bool IsIpRange(const QString &start, const QString &end);

// List texts.
QString PriorityText(int priority);
// "start - end", or "Any" for a range that starts at 0.0.0.0.
QString Host1RangeText(const apQosRule &rule);
QString Host2RangeText(const apQosRule &rule);
QString ProtocolPortsText(const apQosRule &rule);

} // namespace QosRules
} // namespace trb
