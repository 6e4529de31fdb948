#pragma once
// The TRB-4820 device library: SNMPv2c access to one access point, with group handles
// whose values are exchanged through fixed-layout records (TRB4820apRecords.h).
// Plain C++ interface; no Qt. Every function may be called from any thread.
#include <cstdint>

#include "TRB4820apRecords.h"

extern "C" {

typedef uint32_t APHANDLE; // 0 = none

// Completion of a get or set request. Called on the library's I/O thread: zero or more
// times with more != 0 (progress text), then exactly once with more == 0.
// value: 0 on success, else the error code; text: a human-readable report, valid only
// during the call. "Receive at HH:MM:SS." ends the text of every successful report.
typedef int (*apRequestCallback)(uint32_t value, uint32_t more, const char *text, void *context,
                                 uint32_t reserved);

// Completion of a table refresh (apSysMonitorRefresh), with the same rule for more.
// When more == 0, apSysMonitorQueryInfor may be called (on any thread) to take the rows.
typedef int (*apMonitorCallback)(APHANDLE monitor, uint32_t more, uint32_t reserved1, void *context,
                                 uint32_t reserved2);

// Request modes.
enum {
    AP_MODE_WAIT = 0,      // return when done; the fifth argument, when nonzero, is the time-out in ms
    AP_MODE_CALLBACK = 2,  // return at once; the callback reports completion
    AP_MODE_BLOCKING = 4,  // return when done
};

// Result codes (0 = success).
enum {
    AP_OK = 0,
    AP_ERR_NOT_INITIALISED = 1,
    AP_ERR_BAD_HANDLE = 2,
    AP_ERR_BAD_ARGUMENT = 3,
    AP_ERR_TIMEOUT = 4,        // text contains "timed out"
    AP_ERR_SEND = 5,           // the request could not be sent (unknown host, socket error)
    AP_ERR_SHUTDOWN = 6,       // the library was shut down with the request in flight
    AP_ERR_BAD_RESPONSE = 7,   // the agent answered with something unusable
    AP_ERR_NOT_WRITABLE = 8,   // nothing staged for a set, or the group is read-only
    AP_ERR_SNMP_STATUS = 1000, // + SNMP error-status of the response (noSuchName 2, badValue 3 ...)
};

int apInitSnmpLibrary(void);
int apUninitSnmpLibrary(void);

// Session: opened once, then configured. `address` is "host" or "host:port"; a port in the
// address overrides `port`. timeout is in units of 10 ms (150 = 1.5 s); retries after the first try.
APHANDLE apSnmpOpenSession(int version, const char *name);
int apSnmpSetSession(APHANDLE session, int port, const char *readCommunity,
                     const char *writeCommunity, int timeout, const char *address, int retries);

int apHandleClose(APHANDLE handle);

// Selects which groups of the handle's family the next request carries (bits per family,
// TRB4820apRecords.h). forWrite: 0 before a read, 1 before a write.
int apStyleModify(APHANDLE handle, uint32_t groupMask, int forWrite);

int apSnmpSendGetRequest(APHANDLE handle, apRequestCallback callback, void *context, int mode,
                         uint32_t timeoutMs);
int apSnmpSendSetRequest(APHANDLE handle, apRequestCallback callback, void *context, int mode,
                         uint32_t timeoutMs);

// Writes the code's text (at most 255 characters and a NUL) into buffer[256].
int apSnmpGetErrorMsg(int code, char *buffer);

// Device tables. kind selects the table set (0 clients, ...), selector the table within it.
APHANDLE apSysMonitorOpen(APHANDLE session, int kind, int reserved);
int apSysMonitorRefresh(APHANDLE monitor, int selector, apMonitorCallback callback, void *context,
                        int mode);
// query points at an apMonitorQuery1 or apMonitorQuery2 (by kind). With null row pointers it
// fills the counts; with buffers of count x row size it fills the rows (at most count each).
int apSysMonitorQueryInfor(APHANDLE monitor, void *query);

// Device information (group 0) and LAN settings (group 2), selected by the record's first word.
APHANDLE apSysDeviceInforOpen(APHANDLE session, int reserved);
int apSysDeviceGetInfor(APHANDLE handle, void *record);
int apSysDeviceSetInfor(APHANDLE handle, const void *record);

// Device commands: 0 restart, 1 factory defaults, 2 save and activate, 3 discard changes,
// 4 clear language pack. Stages the command for the next set request; wait is its time-out in ms.
APHANDLE apSysCommandObjOpen(APHANDLE session, int reserved);
int apSysCommand(APHANDLE handle, int command, int wait);

// Front-panel status.
APHANDLE apDeviceStatusOpen(APHANDLE session, int reserved);
int apAdvPaneStatusGet(APHANDLE handle, void *record);

} // extern "C"
