#pragma once
// Values the whole module shares for the life of the process. All are used on the
// user-interface thread only.
#include "TRB4820apHelp.h"

namespace trb {

// The one SNMP session, opened at start-up; every page opens its group handles from it.
inline APHANDLE sessionHandle = 0;

// 1: files move through the module's own TFTP server; 0: through the platform's FTP home.
inline int localTransferMode = 1;

// 1 while a file transfer runs; the status poll skips its ticks meanwhile.
inline int transferInProgress = 0;

} // namespace trb
