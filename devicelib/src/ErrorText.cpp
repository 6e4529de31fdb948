#include "ErrorText.h"

#include <iterator>

#include "TRB4820apHelp.h"
#include "ValueConversion.h"

namespace trb::devicelib {

const char *ErrorText::statusName(int status)
{
    static const char *const names[] = {
        "noError",       "tooBig",           "noSuchName",         "badValue",
        "readOnly",      "genErr",           "noAccess",           "wrongType",
        "wrongLength",   "wrongEncoding",    "wrongValue",         "noCreation",
        "inconsistentValue", "resourceUnavailable", "commitFailed", "undoFailed",
        "authorizationError", "notWritable",  "inconsistentName",
    };
    if (status < 0 || status >= int(std::size(names)))
        return "";
    return names[status];
}

std::string ErrorText::of(int code)
{
    switch (code) {
    case AP_OK:
        return "Success";
    case AP_ERR_NOT_INITIALISED:
        return "Device library not initialised";
    case AP_ERR_BAD_HANDLE:
        return "Invalid handle";
    case AP_ERR_BAD_ARGUMENT:
        return "Invalid argument";
    case AP_ERR_TIMEOUT:
        return "Request timed out";
    case AP_ERR_SEND:
        return "Request could not be sent";
    case AP_ERR_SHUTDOWN:
        return "Request cancelled: device library shut down";
    case AP_ERR_BAD_RESPONSE:
        return "Bad response from the device";
    case AP_ERR_NOT_WRITABLE:
        return "Nothing to write";
    case AP_ERR_BAD_TYPE:
        return "Value of the wrong type from the device";
    case -600:
        return "No device handle";
    default:
        break;
    }
    if (code >= AP_ERR_SNMP_STATUS && code < AP_ERR_SNMP_STATUS + 100) {
        const char *name = statusName(code - AP_ERR_SNMP_STATUS);
        // A table that is full answers a new row with resourceUnavailable.
        if (code == AP_ERR_SNMP_STATUS + 13)
            return std::string("SNMP error: ") + name + " (the device has no room for another entry)";
        if (*name)
            return std::string("SNMP error: ") + name;
        return "SNMP error " + std::to_string(code - AP_ERR_SNMP_STATUS);
    }
    return "Unknown error " + std::to_string(code);
}

std::string ErrorText::success(const char *what)
{
    return std::string(what) + " OK. Receive at " + localClockText() + ".";
}

} // namespace trb::devicelib
