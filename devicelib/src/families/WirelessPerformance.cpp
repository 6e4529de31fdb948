// The performance record of a band: radio parameters. Words 0 and 4 (band count, AP mode) are
// the caller's and left alone; the wireless mode code travels with the radio group, the rest with
// the performance group.
#include "TRB4820apHelp.h"

#include "WirelessCalls.h"

using namespace trb::devicelib;

namespace {

// Integer words of the record and the per-band object each one is.
struct Word {
    uint32_t apPerformanceRecord::*field;
    const char *object;
};
constexpr Word kWords[] = {
    {&apPerformanceRecord::beaconInterval, "trbRadioBeaconInterval"},
    {&apPerformanceRecord::dtimInterval, "trbRadioDtimInterval"},
    {&apPerformanceRecord::transmitPower, "trbRadioTransmitPower"},
    {&apPerformanceRecord::ackTimeout, "trbRadioAckTimeout"},
    {&apPerformanceRecord::wirelessMode, "trbRadioWirelessMode"},
    {&apPerformanceRecord::shortGi, "trbRadioShortGi"},
    {&apPerformanceRecord::wmm, "trbRadioWmm"},
    {&apPerformanceRecord::igmpSnooping, "trbRadioIgmpSnooping"},
    {&apPerformanceRecord::connectionLimit, "trbRadioConnectionLimit"},
    {&apPerformanceRecord::userLimit, "trbRadioUserLimit"},
    {&apPerformanceRecord::utilization, "trbRadioUtilization"},
};
constexpr const char *kRadioState = "trbBandRadioState"; // on(1), off(2); the record: 1 on, 0 off

// Each band has its own three wireless mode codes.
bool modeOfBand(int band, uint32_t code)
{
    return band == 1 ? (code == 6 || code == 3 || code == 2) : (code == 9 || code == 7 || code == 8);
}

} // namespace

extern "C" {

int apWirelessGetPerformance(APHANDLE handle, int band, int, apPerformanceRecord *record)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    if (!record)
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    const WirelessValues values(*state);
    for (const Word &word : kWords)
        record->*word.field = uint32_t(values.number(word.object, bandIndex(band)));
    record->radioOn = values.number(kRadioState, bandIndex(band)) == 1 ? 1 : 0;
    values.copyText("trbRadioDataRate", bandIndex(band), record->dataRate, sizeof record->dataRate);
    values.copyText("trbRadioMulticastRate", bandIndex(band), record->multicastRate, sizeof record->multicastRate);
    return AP_OK;
}

int apWirelessSetPerformance(APHANDLE handle, int band, int, const apPerformanceRecord *record)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    if (!record)
        return AP_ERR_BAD_ARGUMENT;
    WirelessStaging staging;
    for (const Word &word : kWords)
        staging.number(word.object, bandIndex(band), int32_t(record->*word.field));
    if (!modeOfBand(band, record->wirelessMode) || record->radioOn > 1)
        staging.refuse();
    staging.number(kRadioState, bandIndex(band), record->radioOn == 1 ? 1 : 2);
    staging.text("trbRadioDataRate", bandIndex(band), slotText(record->dataRate, sizeof record->dataRate));
    staging.text("trbRadioMulticastRate", bandIndex(band),
                 slotText(record->multicastRate, sizeof record->multicastRate));
    return staging.stageInto(*state);
}

} // extern "C"
