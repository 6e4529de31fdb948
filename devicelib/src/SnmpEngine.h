#pragma once
// The library's Net-SNMP engine: owns every Net-SNMP session and PDU, sends requests through the
// single-session API and reports each request exactly once through its onDone (called with the
// engine lock held; it must not wait for anyone). Net-SNMP has no locking of its own, so one
// lock serialises every call into it. Its I/O thread drives the requests handed over through a
// queue and a wake-up pipe; a caller that waits for its request drives that one itself, which
// spares two thread hand-offs per blocking read.
#include <compare>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "HandleState.h"
#include "TableWalk.h"
#include "SnmpValue.h"

struct snmp_pdu;
struct snmp_session;

namespace trb::devicelib {



struct RequestResult {
    int code = 0;
    std::string text;
    std::map<Oid, SnmpValue> values; // Set: the values written; Walk: the table
    // Get: the value of the request's OID i at position i, answered[i] false for one the device
    // left out. By position, so a read costs no lookups and no copies of its OIDs.
    std::vector<SnmpValue> ordered;
    std::vector<uint8_t> answered;
};

struct Request {
    enum class Kind { Get, Set, Walk };
    Kind kind = Kind::Get;
    uint32_t session = 0;
    uint32_t timeoutMs = 0;       // the whole request, spread over the tries; 0 = the session's
    bool useWriteCommunity = false; // a read that carries secrets, which only the write community may see
    std::vector<Oid> oids;        // Get: objects; Walk: table columns
    // Instead of oids: OIDs that outlive the request (a handle's cached read plan), not copied.
    std::shared_ptr<const std::vector<Oid>> sharedOids;
    const std::vector<Oid> &objectIds() const { return sharedOids ? *sharedOids : oids; }
    std::vector<Varbind> varbinds; // Set; Walk: set first (a device that fills the table when asked)
    std::function<void(RequestResult &&)> onDone;
};

class SnmpEngine {
public:
    static constexpr std::size_t kMaxVarbinds = 30;

    ~SnmpEngine();
    bool start();
    // Completes every request in flight with AP_ERR_SHUTDOWN, closes the sessions, joins.
    void stop();
    // Opens (or reopens) the Net-SNMP sessions of a session handle; waits for the I/O thread.
    int configure(uint32_t session, const SessionConfig &config);
    void closeSession(uint32_t session);
    // False once the engine is stopping: the request is then not taken and onDone not called.
    bool submit(std::unique_ptr<Request> request);
    // Runs the request on the calling thread and returns once its onDone has run: here, or on the
    // thread that took its answer or stopped the engine. Requests submitted before it go first.
    // False, without onDone, once the engine is stopping.
    bool runHere(std::unique_ptr<Request> request);

private:
    struct NetKey {
        bool write;
        uint32_t tryTimeoutMs;
        int retries;
        auto operator<=>(const NetKey &) const = default;
    };
    struct Link {
        SessionConfig config;
        std::map<NetKey, void *> open;
    };
    struct Active {
        std::unique_ptr<Request> request;
        void *net = nullptr;
        int pending = 0;
        int repetitions = 0;
        RequestResult result;
        std::size_t answeredCount = 0; // Get: objects answered so far
        std::unique_ptr<TableWalk> walk;
        bool setBeforeWalk = false; // a walk's SET has not been answered yet
        std::thread::id driver;     // the caller driving it; none: the I/O thread
        int driverWake = -1;        // that caller's eventfd, if it has one
    };
    struct Ticket {
        SnmpEngine *engine;
        uint64_t requestId;
        void *net;
        std::size_t first = 0; // Get: the request's OIDs [first, first + count) went in this PDU
        std::size_t count = 0;
        bool finished = false;
    };

    void run();
    bool runTasks();
    void takeTasks();
    std::vector<void *> netsDrivenByIoThread() const;
    void forgetFinishedTickets();
    void runDeferred();

    uint64_t startRequest(std::unique_ptr<Request> request, std::thread::id driver = {}, int driverWake = -1);
    void *netSession(uint32_t session, const NetKey &key, std::string &error);
    NetKey keyFor(const Request &request, const Link &link) const;
    void sendGet(uint64_t id, std::size_t first, std::size_t count);
    void sendSet(uint64_t id);
    void sendWalkStep(uint64_t id);
    bool send(uint64_t id, snmp_pdu *pdu, std::size_t first = 0, std::size_t count = 0);

    static int onNetSnmpEvent(int op, snmp_session *session, int reqid, snmp_pdu *pdu, void *magic);
    void handleEvent(Ticket &ticket, int op, snmp_pdu *pdu);
    void onGetAnswer(uint64_t id, Active &active, const Ticket &ticket, snmp_pdu *pdu);
    void retryInHalves(uint64_t id, Active &active, const Ticket &ticket);
    void onSetAnswer(uint64_t id, Active &active, snmp_pdu *pdu);
    void onSetBeforeWalkAnswer(uint64_t id, Active &active, snmp_pdu *pdu);
    void onWalkAnswer(uint64_t id, Active &active, snmp_pdu *pdu);
    void complete(uint64_t id, int code, std::string text);
    void closeLink(uint32_t session, const char *why);
    void shutdownAll();

    std::thread thread_;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;

    std::mutex mutex_; // guards tasks_ and accepting_; taken inside engineMutex_, never around it
    std::deque<std::function<void()>> tasks_;
    bool accepting_ = false;

    // Held by the thread that drives Net-SNMP; guards Net-SNMP and everything below.
    std::mutex engineMutex_;
    bool stopNow_ = false;
    uint64_t nextId_ = 1;
    std::map<uint32_t, Link> links_;
    std::map<uint64_t, Active> active_;
    std::map<Ticket *, std::unique_ptr<Ticket>> tickets_;
    std::vector<std::function<void()>> deferred_; // sends that must wait until Net-SNMP returns
};

} // namespace trb::devicelib
