#pragma once
#include <QString>

namespace trb {

// A file the module ships with it (the wait animation, the daylight-saving table): beside the
// program, as in the build tree, else in the data directory an installation puts it in. When
// neither holds it, the path beside the program, for the message that it is missing.
QString ShippedFile(const QString &name);
QString ShippedFile(const QString &name, const QString &programDirectory);

} // namespace trb
