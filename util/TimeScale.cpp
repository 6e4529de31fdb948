#include "TimeScale.h"

#include <QByteArray>
#include <QtGlobal>

#include <cmath>

namespace trb {

double TimeScale()
{
    bool ok = false;
    const double factor = qEnvironmentVariable("TRB4820_TIME_SCALE").toDouble(&ok);
    return ok && factor > 0 && std::isfinite(factor) ? factor : 1.0;
}

int ScaledMilliseconds(int milliseconds)
{
    const double scaled = std::round(milliseconds * TimeScale());
    if (milliseconds > 0 && scaled < 1)
        return 1;
    return scaled > 2e9 ? 2000000000 : static_cast<int>(scaled);
}

} // namespace trb
