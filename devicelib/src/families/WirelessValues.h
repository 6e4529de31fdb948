#pragma once
// The wireless family's values by object and instance, as the handle's last read holds them.
// The caller holds the handle's lock.
#include <cstdint>
#include <string>

#include "HandleState.h"

namespace trb::devicelib {

class WirelessValues {
public:
    explicit WirelessValues(const HandleState &state) : state_(state) {}

    // An integer object's value; 0 when the last read did not carry it.
    int64_t number(const char *object, const Oid &index = {}) const;
    // A text as read: strings as they are, IpAddress dotted, MacAddress as 12 hex digits; ""
    // when the last read did not carry it.
    std::string text(const char *object, const Oid &index = {}) const;
    // Copies text(object, index) into a slot of `size` bytes (bounded, NUL-terminated).
    void copyText(const char *object, const Oid &index, char *slot, std::size_t size) const;

    // The binding of an object's instance; throws std::logic_error when the family has none.
    static const Binding &bindingOf(const char *object, const Oid &index);

    static bool validBand(int band) { return band == 1 || band == 2; }
    static bool validSsid(int ssid) { return ssid >= 0 && ssid <= 7; }

private:
    const SnmpValue *find(const char *object, const Oid &index) const;

    const HandleState &state_;
};

} // namespace trb::devicelib
