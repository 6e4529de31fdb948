#pragma once
#include <QIcon>

namespace trb {

// The module's icon, drawn by us: an access point with its radio waves.
QIcon ApplicationIcon();

} // namespace trb
