// The session and the requests every family shares: start and end of the library, the one
// session, handles, group selection, get and set requests, error texts.
#include "TRB4820apHelp.h"

#include <netdb.h>
#include <arpa/inet.h>

#include <cstring>

#include "ErrorText.h"
#include "FamilyCalls.h"
#include "HandleReads.h"

using namespace trb::devicelib;

namespace {

// "host", "host:port" or "udp:host:port" to "udp:a.b.c.d:port"; 0 or an error code.
int resolvePeer(const char *address, int defaultPort, std::string &peer)
{
    std::string text(address);
    if (text.rfind("udp:", 0) == 0)
        text.erase(0, 4);
    std::string host = text;
    long port = defaultPort;
    if (auto colon = text.find(':'); colon != std::string::npos) {
        if (text.find(':', colon + 1) != std::string::npos)
            return AP_ERR_BAD_ARGUMENT; // IPv6 is not spoken by the device
        host = text.substr(0, colon);
        std::string digits = text.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
            return AP_ERR_BAD_ARGUMENT;
        port = std::stol(digits);
    }
    if (host.empty() || port < 1 || port > 65535)
        return AP_ERR_BAD_ARGUMENT;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo *found = nullptr;
    // Resolved here, on the caller's thread, so a slow name lookup never stalls the I/O thread.
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        return AP_ERR_SEND;
    char dotted[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &reinterpret_cast<sockaddr_in *>(found->ai_addr)->sin_addr, dotted, sizeof dotted);
    freeaddrinfo(found);
    peer = std::string("udp:") + dotted + ":" + std::to_string(port);
    return AP_OK;
}

} // namespace

extern "C" {

int apInitSnmpLibrary(void) { return lib().init(); }

int apUninitSnmpLibrary(void) { return lib().uninit(); }

APHANDLE apSnmpOpenSession(int, const char *)
{
    if (!lib().running())
        return 0;
    return lib().handles.add(std::make_shared<HandleState>(Family::Session, 0));
}

int apSnmpSetSession(APHANDLE session, int port, const char *readCommunity, const char *writeCommunity,
                     int timeout, const char *address, int retries)
{
    if (!lib().running())
        return AP_ERR_NOT_INITIALISED;
    auto state = familyHandle(session, Family::Session);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!readCommunity || !writeCommunity || !address || !*address || timeout <= 0 || retries < 0 ||
        retries > 10)
        return AP_ERR_BAD_ARGUMENT;
    SessionConfig config;
    if (int code = resolvePeer(address, port, config.peer))
        return code;
    config.readCommunity = readCommunity;
    config.writeCommunity = writeCommunity;
    config.timeoutMs = uint32_t(timeout) * 10;
    config.retries = retries;
    int code = lib().engine.configure(session, config);
    std::lock_guard lock(state->mutex);
    state->configured = code == AP_OK;
    if (code == AP_OK)
        state->config = config;
    return code;
}

int apHandleClose(APHANDLE handle)
{
    if (!lib().running())
        return AP_ERR_NOT_INITIALISED;
    auto state = lib().handles.remove(handle);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    {
        std::lock_guard lock(state->mutex);
        state->closed = true;
        state->fillsOnRead.clear();
    }
    if (state->family == Family::Session)
        lib().engine.closeSession(handle);
    return AP_OK;
}

int apStyleModify(APHANDLE handle, uint32_t groupMask, int)
{
    auto state = lib().handles.find(handle);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    uint32_t known = knownGroups(state->family);
    if (groupMask == 0 || (groupMask & ~known))
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    state->groupMask = groupMask;
    return AP_OK;
}

int apSnmpSendGetRequest(APHANDLE handle, apRequestCallback callback, void *context, int mode,
                         uint32_t timeoutMs)
{
    std::shared_ptr<HandleState> state;
    if (const int refused = checkGroupRequest(handle, mode, state))
        return refused;
    auto request = std::make_unique<Request>();
    request->session = state->session;
    request->timeoutMs = timeoutMs;
    std::shared_ptr<const ReadPlan> plan;
    decltype(state->fillsOnRead) fills;
    {
        std::lock_guard lock(state->mutex);
        plan = HandleReads::prepare(state->family, state->groupMask, *request);
        fills.swap(state->fillsOnRead);
    }
    auto store = [state, plan, fills = std::move(fills)](RequestResult &result) {
        HandleReads::store(*state, *plan, result);
        if (result.code != AP_OK)
            return;
        std::lock_guard lock(state->mutex);
        if (state->closed)
            return;
        for (const auto &fill : fills)
            fill.second(state->lastRead);
    };
    return runRequest(std::move(request), mode, store, requestNotifier(callback, context));
}

int apSnmpSendSetRequest(APHANDLE handle, apRequestCallback callback, void *context, int mode,
                         uint32_t timeoutMs)
{
    std::shared_ptr<HandleState> state;
    if (const int refused = checkGroupRequest(handle, mode, state))
        return refused;
    auto request = std::make_unique<Request>();
    request->kind = Request::Kind::Set;
    request->session = state->session;
    {
        std::lock_guard lock(state->mutex);
        for (const StagedValue &staged : state->staged)
            if (staged.groupBit & state->groupMask)
                request->varbinds.push_back({staged.oid, staged.value});
        if (request->varbinds.empty())
            return AP_ERR_NOT_WRITABLE;
        state->staged.clear(); // a staged command must never run twice
        request->timeoutMs = timeoutMs ? timeoutMs : state->stagedTimeoutMs;
    }
    auto store = [state](RequestResult &result) { HandleReads::storeWritten(*state, result); };
    return runRequest(std::move(request), mode, store, requestNotifier(callback, context));
}

int apSnmpGetErrorMsg(int code, char *buffer)
{
    if (!buffer)
        return AP_ERR_BAD_ARGUMENT;
    std::string text = ErrorText::of(code);
    std::size_t length = std::min<std::size_t>(text.size(), 255);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return AP_OK;
}

} // extern "C"
