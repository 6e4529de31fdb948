#include "SnmpEngine.h"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <future>
#include <set>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "ErrorText.h"
#include "SessionWait.h"
#include "TRB4820apHelp.h"
#include "TableWalk.h"

namespace trb::devicelib {
namespace {

constexpr int kMaxRepetitions = 16; // rows per GETBULK asked for; the agent may answer fewer

// An OID in Net-SNMP's form, without a heap copy.
struct NetOid {
    explicit NetOid(const Oid &id) : length(std::min<std::size_t>(id.size(), MAX_OID_LEN))
    {
        std::copy_n(id.begin(), length, name);
    }
    oid name[MAX_OID_LEN];
    std::size_t length;
};

SnmpValue toValue(const netsnmp_variable_list &v)
{
    SnmpValue value;
    value.type = v.type;
    switch (v.type) {
    case ASN_INTEGER:
        value.integer = v.val.integer ? *v.val.integer : 0;
        break;
    case ASN_GAUGE:
    case ASN_COUNTER:
    case ASN_TIMETICKS:
        value.integer = v.val.integer ? int64_t(uint32_t(*v.val.integer)) : 0;
        break;
    case ASN_OCTET_STR:
    case ASN_IPADDRESS:
        if (v.val.string)
            value.bytes.assign(reinterpret_cast<const char *>(v.val.string), v.val_len);
        break;
    default:
        break;
    }
    return value;
}

// The code of an answer's error-status. SNMP's run from 1 (tooBig) to 18 (inconsistentName); any
// other value an agent sends is no status, and must read neither as success nor as another code.
int statusCode(long errstat)
{
    return errstat >= SNMP_ERR_TOOBIG && errstat <= SNMP_ERR_INCONSISTENTNAME ? int(AP_ERR_SNMP_STATUS + errstat)
                                                                               : int(AP_ERR_BAD_RESPONSE);
}

std::vector<Varbind> varbindsOf(const netsnmp_pdu *pdu)
{
    std::vector<Varbind> list;
    for (const netsnmp_variable_list *v = pdu->variables; v; v = v->next_variable)
        list.push_back({Oid(v->name, v->name + v->name_length), toValue(*v)});
    return list;
}

bool addValue(netsnmp_pdu *pdu, const Varbind &vb)
{
    const NetOid name(vb.oid);
    const SnmpValue &value = vb.value;
    if (value.type == asn::OctetString || value.type == asn::IpAddress)
        return snmp_pdu_add_variable(pdu, name.name, name.length, value.type,
                                     value.bytes.data(), value.bytes.size()) != nullptr;
    long number = long(value.integer);
    return snmp_pdu_add_variable(pdu, name.name, name.length, value.type, &number, sizeof number) != nullptr;
}

// A calling thread's own eventfd, by which another thread tells it that its request has ended.
struct CallerWake {
    CallerWake() : fd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~CallerWake()
    {
        if (fd >= 0)
            close(fd);
    }
    static int descriptor()
    {
        thread_local CallerWake wake;
        return wake.fd;
    }
    static void drain(int fd)
    {
        uint64_t count;
        (void)!read(fd, &count, sizeof count);
    }
    static void signal(int fd)
    {
        const uint64_t one = 1;
        (void)!write(fd, &one, sizeof one);
    }
    int fd;
};

} // namespace

SnmpEngine::~SnmpEngine() { stop(); }

bool SnmpEngine::start()
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
    {
        std::lock_guard lock(mutex_);
        accepting_ = true;
    }
    stopNow_ = false;
    thread_ = std::thread([this] { run(); });
    return true;
}

void SnmpEngine::stop()
{
    if (!thread_.joinable())
        return;
    {
        // The stop task is the last one taken: nothing queued after it would ever run.
        std::lock_guard lock(mutex_);
        accepting_ = false;
        tasks_.push_back([this] { stopNow_ = true; });
        char byte = 1;
        (void)!write(wakeWrite_, &byte, 1);
    }
    thread_.join();
    close(wakeRead_);
    close(wakeWrite_);
    wakeRead_ = wakeWrite_ = -1;
}

int SnmpEngine::configure(uint32_t session, const SessionConfig &config)
{
    auto result = std::make_shared<std::promise<int>>();
    auto future = result->get_future();
    std::unique_lock lock(mutex_);
    if (!accepting_)
        return AP_ERR_NOT_INITIALISED;
    tasks_.push_back([this, session, config, result] {
        closeLink(session, "session reconfigured");
        links_[session].config = config;
        std::string error;
        NetKey key{false, config.timeoutMs, config.retries};
        if (!netSession(session, key, error)) {
            links_.erase(session);
            result->set_value(AP_ERR_SEND);
            return;
        }
        result->set_value(AP_OK);
    });
    char byte = 1;
    (void)!write(wakeWrite_, &byte, 1);
    lock.unlock();
    return future.get(); // the I/O thread takes every task queued before its stop task
}

void SnmpEngine::closeSession(uint32_t session)
{
    std::lock_guard lock(mutex_);
    if (!accepting_)
        return;
    tasks_.push_back([this, session] { closeLink(session, "session closed"); });
    char byte = 1;
    (void)!write(wakeWrite_, &byte, 1);
}

bool SnmpEngine::submit(std::unique_ptr<Request> request)
{
    std::lock_guard lock(mutex_);
    if (!accepting_)
        return false;
    auto shared = std::make_shared<std::unique_ptr<Request>>(std::move(request));
    tasks_.push_back([this, shared] { startRequest(std::move(*shared)); });
    char byte = 1;
    (void)!write(wakeWrite_, &byte, 1);
    return true;
}

void SnmpEngine::run()
{
    std::unique_lock lock(engineMutex_);
    while (runTasks()) {
        runDeferred();
        SessionWait wait;
        wait.watchDescriptor(wakeRead_);
        for (void *net : netsDrivenByIoThread())
            wait.watchSession(net);
        lock.unlock();
        wait.wait();
        lock.lock();
        for (auto &[id, link] : links_)
            for (auto &[key, net] : link.open)
                wait.readSession(net);
        for (auto &[id, link] : links_)
            for (auto &[key, net] : link.open)
                snmp_sess_timeout(net);
        forgetFinishedTickets();
    }
    // Take what was queued before stop() closed the door, then end everything in flight.
    runTasks();
    shutdownAll();
}

bool SnmpEngine::runHere(std::unique_ptr<Request> request)
{
    const int wake = CallerWake::descriptor();
    std::unique_lock lock(engineMutex_);
    {
        std::lock_guard tasks(mutex_);
        if (!accepting_)
            return false;
    }
    // What was submitted before goes out before; the I/O thread still wakes for the byte its
    // submit wrote, and then watches the requests it was given.
    takeTasks();
    const uint64_t id = startRequest(std::move(request), std::this_thread::get_id(), wake);
    while (active_.count(id)) {
        runDeferred();
        if (!active_.count(id))
            break;
        void *net = active_.at(id).net;
        SessionWait wait;
        if (wake >= 0)
            wait.watchDescriptor(wake);
        else
            wait.endWithin(timeval{0, 20000}); // no descriptor to be woken by: look again soon
        wait.watchSession(net);
        lock.unlock();
        wait.wait();
        if (wait.ready(wake))
            CallerWake::drain(wake);
        lock.lock();
        if (!active_.count(id))
            break; // another thread completed it (took its answer, or closed its session)
        wait.readSession(net);
        snmp_sess_timeout(net);
        forgetFinishedTickets();
    }
    runDeferred(); // sends of other requests that its answers asked for
    return true;
}

bool SnmpEngine::runTasks()
{
    char drain[64];
    while (read(wakeRead_, drain, sizeof drain) > 0) {
    }
    takeTasks();
    return !stopNow_;
}

void SnmpEngine::takeTasks()
{
    std::deque<std::function<void()>> tasks;
    {
        std::lock_guard lock(mutex_);
        tasks.swap(tasks_);
    }
    for (auto &task : tasks)
        task();
}

std::vector<void *> SnmpEngine::netsDrivenByIoThread() const
{
    std::vector<void *> nets;
    for (const auto &[id, active] : active_)
        if (active.driver == std::thread::id() &&
            std::find(nets.begin(), nets.end(), active.net) == nets.end())
            nets.push_back(active.net);
    return nets;
}

void SnmpEngine::forgetFinishedTickets()
{
    for (auto it = tickets_.begin(); it != tickets_.end();)
        it = it->second->finished ? tickets_.erase(it) : std::next(it);
}

void SnmpEngine::runDeferred()
{
    // A deferred send may defer another: run until none is left.
    for (std::size_t i = 0; i < deferred_.size(); ++i) {
        auto task = std::move(deferred_[i]);
        task();
    }
    deferred_.clear();
}

SnmpEngine::NetKey SnmpEngine::keyFor(const Request &request, const Link &link) const
{
    const bool sets = request.kind == Request::Kind::Set || !request.varbinds.empty();
    NetKey key{sets || request.useWriteCommunity, link.config.timeoutMs,
               link.config.retries};
    if (request.timeoutMs)
        key.tryTimeoutMs = std::max<uint32_t>(10, request.timeoutMs / uint32_t(link.config.retries + 1));
    return key;
}

void *SnmpEngine::netSession(uint32_t session, const NetKey &key, std::string &error)
{
    auto linkIt = links_.find(session);
    if (linkIt == links_.end()) {
        error = "session not configured";
        return nullptr;
    }
    Link &link = linkIt->second;
    if (auto it = link.open.find(key); it != link.open.end())
        return it->second;
    std::string peer = link.config.peer;
    std::string community = key.write ? link.config.writeCommunity : link.config.readCommunity;
    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.version = SNMP_VERSION_2c;
    settings.peername = peer.data();
    settings.community = reinterpret_cast<u_char *>(community.data());
    settings.community_len = community.size();
    settings.timeout = long(key.tryTimeoutMs) * 1000;
    settings.retries = key.retries;
    void *net = snmp_sess_open(&settings);
    if (!net) {
        error = "cannot open a session to " + peer;
        return nullptr;
    }
    link.open.emplace(key, net);
    return net;
}

uint64_t SnmpEngine::startRequest(std::unique_ptr<Request> request, std::thread::id driver, int driverWake)
{
    uint64_t id = nextId_++;
    Active &active = active_[id];
    active.request = std::move(request);
    active.driver = driver;
    active.driverWake = driverWake;
    auto linkIt = links_.find(active.request->session);
    std::string error;
    if (linkIt != links_.end())
        active.net = netSession(active.request->session, keyFor(*active.request, linkIt->second), error);
    if (!active.net) {
        complete(id, AP_ERR_SEND, ErrorText::of(AP_ERR_SEND) + ": " + (error.empty() ? "session not configured" : error));
        return id;
    }
    switch (active.request->kind) {
    case Request::Kind::Get: {
        const auto &oids = active.request->objectIds();
        if (oids.empty()) {
            complete(id, AP_OK, ErrorText::success("Get"));
            return id;
        }
        active.result.ordered.resize(oids.size());
        active.result.answered.assign(oids.size(), 0);
        // Every chunk goes out at once: the whole read costs one round trip.
        for (std::size_t first = 0; first < oids.size(); first += kMaxVarbinds) {
            sendGet(id, first, std::min(kMaxVarbinds, oids.size() - first));
            if (!active_.count(id))
                return id;
        }
        break;
    }
    case Request::Kind::Set:
        sendSet(id);
        break;
    case Request::Kind::Walk:
        active.walk = std::make_unique<TableWalk>(active.request->objectIds());
        active.repetitions = kMaxRepetitions;
        active.setBeforeWalk = !active.request->varbinds.empty();
        if (active.setBeforeWalk)
            sendSet(id);
        else
            sendWalkStep(id);
        break;
    }
    return id;
}

void SnmpEngine::sendGet(uint64_t id, std::size_t first, std::size_t count)
{
    const std::vector<Oid> &oids = active_.at(id).request->objectIds();
    netsnmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_GET);
    for (std::size_t i = first; i < first + count; ++i) {
        const NetOid name(oids[i]);
        snmp_add_null_var(pdu, name.name, name.length);
    }
    send(id, pdu, first, count);
}

void SnmpEngine::sendSet(uint64_t id)
{
    Active &active = active_.at(id);
    netsnmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_SET);
    for (const Varbind &vb : active.request->varbinds) {
        if (!addValue(pdu, vb)) {
            snmp_free_pdu(pdu);
            complete(id, AP_ERR_BAD_ARGUMENT, ErrorText::of(AP_ERR_BAD_ARGUMENT));
            return;
        }
    }
    send(id, pdu);
}

void SnmpEngine::sendWalkStep(uint64_t id)
{
    Active &active = active_.at(id);
    std::vector<Oid> start = active.walk->nextRequest();
    netsnmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_GETBULK);
    pdu->non_repeaters = 0; // the PDU's default here is -1, which the agent refuses
    pdu->max_repetitions = std::max(1, active.repetitions);
    for (const Oid &o : start) {
        const NetOid name(o);
        snmp_add_null_var(pdu, name.name, name.length);
    }
    send(id, pdu);
}

bool SnmpEngine::send(uint64_t id, netsnmp_pdu *pdu, std::size_t first, std::size_t count)
{
    Active &active = active_.at(id);
    auto ticket = std::make_unique<Ticket>(Ticket{this, id, active.net, first, count});
    Ticket *raw = ticket.get();
    tickets_.emplace(raw, std::move(ticket));
    ++active.pending;
    if (snmp_sess_async_send(active.net, pdu, &SnmpEngine::onNetSnmpEvent, raw) == 0) {
        // Net-SNMP may already have reported SEND_FAILED through the callback; one report only.
        snmp_free_pdu(pdu);
        if (!raw->finished) {
            raw->finished = true;
            complete(id, AP_ERR_SEND, ErrorText::of(AP_ERR_SEND));
        }
        return false;
    }
    return true;
}

int SnmpEngine::onNetSnmpEvent(int op, snmp_session *, int, snmp_pdu *pdu, void *magic)
{
    auto *ticket = static_cast<Ticket *>(magic);
    if (op == NETSNMP_CALLBACK_OP_RESEND || op == NETSNMP_CALLBACK_OP_CONNECT)
        return 1;
    if (ticket->finished)
        return 1;
    ticket->finished = true;
    ticket->engine->handleEvent(*ticket, op, pdu);
    return 1;
}

void SnmpEngine::handleEvent(Ticket &ticket, int op, snmp_pdu *pdu)
{
    auto it = active_.find(ticket.requestId);
    if (it == active_.end())
        return; // the request already ended (another PDU failed, or it was cancelled)
    Active &active = it->second;
    --active.pending;
    if (op == NETSNMP_CALLBACK_OP_TIMED_OUT) {
        // An agent may drop an answer too big for a datagram instead of saying tooBig. When
        // another part of the same read was answered, the device is up: ask again in halves.
        bool deviceAnswered = active.answeredCount > 0;
        if (active.request->kind == Request::Kind::Get && ticket.count > 1 && deviceAnswered) {
            retryInHalves(ticket.requestId, active, ticket);
            return;
        }
        // The same for a table step: one more try, one row at a time (costs one time-out more
        // when the device is really gone).
        if (active.request->kind == Request::Kind::Walk && !active.setBeforeWalk && active.repetitions > 1) {
            active.repetitions = 1;
            uint64_t id = ticket.requestId;
            deferred_.push_back([this, id] {
                if (active_.count(id))
                    sendWalkStep(id);
            });
            return;
        }
        complete(ticket.requestId, AP_ERR_TIMEOUT, ErrorText::of(AP_ERR_TIMEOUT));
        return;
    }
    if (op != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || !pdu) {
        complete(ticket.requestId, AP_ERR_SEND, ErrorText::of(AP_ERR_SEND));
        return;
    }
    switch (active.request->kind) {
    case Request::Kind::Get:
        onGetAnswer(ticket.requestId, active, ticket, pdu);
        break;
    case Request::Kind::Set:
        onSetAnswer(ticket.requestId, active, pdu);
        break;
    case Request::Kind::Walk:
        if (active.setBeforeWalk)
            onSetBeforeWalkAnswer(ticket.requestId, active, pdu);
        else
            onWalkAnswer(ticket.requestId, active, pdu);
        break;
    }
}

void SnmpEngine::onGetAnswer(uint64_t id, Active &active, const Ticket &ticket, snmp_pdu *pdu)
{
    if (pdu->errstat == SNMP_ERR_TOOBIG && ticket.count > 1) {
        retryInHalves(id, active, ticket);
        return;
    }
    if (pdu->errstat != SNMP_ERR_NOERROR) {
        complete(id, statusCode(pdu->errstat), ErrorText::of(statusCode(pdu->errstat)));
        return;
    }
    // A GET answer lists the objects in the order asked; anything else is not taken.
    const std::vector<Oid> &oids = active.request->objectIds();
    std::size_t position = ticket.first;
    for (const netsnmp_variable_list *v = pdu->variables; v && position < ticket.first + ticket.count;
         v = v->next_variable, ++position) {
        const Oid &asked = oids[position];
        if (asked.size() == v->name_length && std::equal(asked.begin(), asked.end(), v->name)) {
            active.result.ordered[position] = toValue(*v);
            active.result.answered[position] = 1;
            ++active.answeredCount;
        }
    }
    if (active.pending == 0)
        complete(id, AP_OK, ErrorText::success("Get"));
}

void SnmpEngine::retryInHalves(uint64_t id, Active &active, const Ticket &ticket)
{
    // Sent once Net-SNMP has returned from the callback that asked for it.
    const std::size_t first = ticket.first, half = ticket.count / 2, rest = ticket.count - half;
    active.pending += 2; // held until the halves are sent
    deferred_.push_back([this, id, first, half, rest] {
        auto it = active_.find(id);
        if (it == active_.end())
            return;
        it->second.pending -= 2;
        sendGet(id, first, half);
        if (active_.count(id))
            sendGet(id, first + half, rest);
    });
}

void SnmpEngine::onSetAnswer(uint64_t id, Active &active, snmp_pdu *pdu)
{
    if (pdu->errstat != SNMP_ERR_NOERROR) {
        int code = statusCode(pdu->errstat);
        std::string text = ErrorText::of(code);
        const auto &varbinds = active.request->varbinds;
        if (pdu->errindex >= 1 && std::size_t(pdu->errindex) <= varbinds.size()) {
            const Oid &bad = varbinds[pdu->errindex - 1].oid;
            text += " (object " + std::to_string(pdu->errindex) + " of " + std::to_string(varbinds.size());
            text += bad.size() > 9 ? ", ." + std::to_string(bad[8]) + "." + std::to_string(bad[9]) + ")" : ")";
        }
        complete(id, code, text);
        return;
    }
    for (const Varbind &vb : active.request->varbinds)
        active.result.values[vb.oid] = vb.value;
    complete(id, AP_OK, ErrorText::success("Set"));
}

void SnmpEngine::onSetBeforeWalkAnswer(uint64_t id, Active &active, snmp_pdu *pdu)
{
    if (pdu->errstat != SNMP_ERR_NOERROR) {
        onSetAnswer(id, active, pdu); // reports the refusal and the object refused
        return;
    }
    active.setBeforeWalk = false;
    deferred_.push_back([this, id] {
        if (active_.count(id))
            sendWalkStep(id);
    });
}

void SnmpEngine::onWalkAnswer(uint64_t id, Active &active, snmp_pdu *pdu)
{
    if (pdu->errstat == SNMP_ERR_TOOBIG && active.repetitions > 1) {
        active.repetitions /= 2;
        deferred_.push_back([this, id] {
            if (active_.count(id))
                sendWalkStep(id);
        });
        return;
    }
    if (pdu->errstat != SNMP_ERR_NOERROR) {
        complete(id, statusCode(pdu->errstat), ErrorText::of(statusCode(pdu->errstat)));
        return;
    }
    if (!active.walk->consume(varbindsOf(pdu))) {
        complete(id, AP_ERR_BAD_RESPONSE, ErrorText::of(AP_ERR_BAD_RESPONSE) + ": the table walk made no progress");
        return;
    }
    if (active.walk->done()) {
        active.result.values = active.walk->values();
        complete(id, AP_OK, ErrorText::success("Refresh"));
        return;
    }
    deferred_.push_back([this, id] {
        if (active_.count(id))
            sendWalkStep(id);
    });
}

void SnmpEngine::complete(uint64_t id, int code, std::string text)
{
    auto it = active_.find(id);
    if (it == active_.end())
        return;
    Active active = std::move(it->second);
    active_.erase(it);
    active.result.code = code;
    active.result.text = std::move(text);
    if (code != AP_OK) {
        active.result.values.clear();
        active.result.ordered.clear();
        active.result.answered.clear();
    }
    if (active.request->onDone)
        active.request->onDone(std::move(active.result));
    if (active.driverWake >= 0 && active.driver != std::this_thread::get_id())
        CallerWake::signal(active.driverWake);
}

void SnmpEngine::closeLink(uint32_t session, const char *why)
{
    std::vector<uint64_t> ended;
    for (auto &[id, active] : active_)
        if (active.request->session == session)
            ended.push_back(id);
    for (uint64_t id : ended)
        complete(id, AP_ERR_SHUTDOWN, std::string("Request cancelled: ") + why);
    auto it = links_.find(session);
    if (it == links_.end())
        return;
    std::set<void *> nets;
    for (auto &[key, net] : it->second.open)
        nets.insert(net);
    for (auto &[raw, ticket] : tickets_)
        if (nets.count(ticket->net))
            ticket->finished = true;
    for (void *net : nets)
        snmp_sess_close(net);
    links_.erase(it);
    for (auto t = tickets_.begin(); t != tickets_.end();)
        t = nets.count(t->second->net) ? tickets_.erase(t) : std::next(t);
}

void SnmpEngine::shutdownAll()
{
    std::vector<uint32_t> sessions;
    for (auto &[id, link] : links_)
        sessions.push_back(id);
    for (uint32_t session : sessions)
        closeLink(session, "device library shut down");
    std::vector<uint64_t> rest;
    for (auto &[id, active] : active_)
        rest.push_back(id);
    for (uint64_t id : rest)
        complete(id, AP_ERR_SHUTDOWN, ErrorText::of(AP_ERR_SHUTDOWN));
    tickets_.clear();
    deferred_.clear();
}

} // namespace trb::devicelib
