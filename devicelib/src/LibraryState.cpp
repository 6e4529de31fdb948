#include "LibraryState.h"

#include <cstdlib>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "TRB4820apHelp.h"

namespace trb::devicelib {

LibraryState &LibraryState::instance()
{
    static LibraryState state;
    return state;
}

int LibraryState::init()
{
    std::lock_guard lock(lifecycle_);
    if (running_)
        return AP_OK;
    // Net-SNMP is built without reentrant locking here: init_snmp runs once, on the thread
    // that calls this first (main, before other threads); later calls only restart our threads.
    static bool netSnmpReady = false;
    if (!netSnmpReady) {
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        // Objects are addressed by number from the schema: no MIB files are needed, and parsing
        // the system's would cost time and print warnings. Safe here: no other thread runs yet.
        setenv("MIBS", "", 0);
        init_snmp("trb4820aphelp");
        netSnmpReady = true;
    }
    if (!engine.start())
        return AP_ERR_SEND;
    completions.start();
    running_ = true;
    return AP_OK;
}

int LibraryState::uninit()
{
    std::lock_guard lock(lifecycle_);
    if (!running_)
        return AP_ERR_NOT_INITIALISED;
    if (completions.onQueueThread())
        return AP_ERR_BAD_ARGUMENT; // from inside a callback the queue could never be drained
    running_ = false;
    engine.stop();      // every request in flight completes with AP_ERR_SHUTDOWN ...
    completions.stop(); // ... and those completions are delivered before this returns
    handles.clear();
    return AP_OK;
}

bool LibraryState::running() const
{
    std::lock_guard lock(lifecycle_);
    return running_;
}

} // namespace trb::devicelib
