#pragma once
// The values one wireless Set call writes, each checked against its object (range, enumeration,
// length, address form). One bad value spoils the call: then nothing is staged.
#include <cstdint>
#include <string_view>
#include <vector>

#include "HandleState.h"

namespace trb::devicelib {

class WirelessStaging {
public:
    void number(const char *object, const Oid &index, int64_t value);
    void text(const char *object, const Oid &index, std::string_view value);
    // Dotted IPv4; "" stands for 0.0.0.0.
    void ip(const char *object, const Oid &index, std::string_view value);
    // 12 hex digits.
    void mac(const char *object, const Oid &index, std::string_view value);
    // A check of the caller's own failed.
    void refuse() { ok_ = false; }
    bool ok() const { return ok_; }

    // AP_OK with everything staged for the next set, or AP_ERR_BAD_ARGUMENT with nothing staged.
    int stageInto(HandleState &state);

private:
    void add(const char *object, const Oid &index, SnmpValue value);

    std::vector<StagedValue> values_;
    bool ok_ = true;
};

} // namespace trb::devicelib
