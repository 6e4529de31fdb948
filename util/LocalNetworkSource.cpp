#include "LocalNetworkSource.h"

#include "SystemNetworkSource.h"

namespace trb {
namespace {

const LocalNetworkSource *installed = nullptr;

} // namespace

const LocalNetworkSource &LocalNetworkSource::Current()
{
    static const SystemNetworkSource system;
    return installed ? *installed : system;
}

void LocalNetworkSource::Install(const LocalNetworkSource *source) { installed = source; }

} // namespace trb
