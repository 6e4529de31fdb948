#pragma once
// Texts of the library's result codes and of its completion reports.
#include <string>

namespace trb::devicelib {

class ErrorText {
public:
    // The text of a result code; never empty.
    static std::string of(int code);
    // "Get OK. Receive at 12:00:01." style report of a successful request.
    static std::string success(const char *what);
    // An SNMP error-status name ("tooBig", "noSuchName" ...), or "" when unknown.
    static const char *statusName(int status);
};

} // namespace trb::devicelib
