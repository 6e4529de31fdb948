#pragma once
// Binding rows that a family file declares next to its calls.
#include <vector>

#include "RecordBindings.h"

namespace trb::devicelib {

void addArpBindings(std::vector<Binding> &list);
void addAdminBindings(std::vector<Binding> &list);

} // namespace trb::devicelib
