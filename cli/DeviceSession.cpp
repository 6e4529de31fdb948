#include "DeviceSession.h"

#include <memory>

#include "LibraryState.h"

namespace trb::ctl {
namespace {

using devicelib::Request;
using devicelib::RequestResult;

// Runs a request on this thread, as the library's blocking calls do.
RequestResult RunHere(std::unique_ptr<Request> request)
{
    RequestResult result;
    result.code = AP_ERR_SHUTDOWN;
    request->onDone = [&result](RequestResult &&done) { result = std::move(done); };
    if (!devicelib::LibraryState::instance().engine.runHere(std::move(request)))
        result.code = AP_ERR_NOT_INITIALISED;
    return result;
}

int KeepText(uint32_t, uint32_t more, const char *text, void *context, uint32_t)
{
    if (more == 0 && text)
        *static_cast<std::string *>(context) = text;
    return 0;
}

// A blocking set on a group handle, with the device's own text of how it went.
Outcome SendSet(APHANDLE handle, uint32_t timeoutMs)
{
    std::string text;
    const int code = apSnmpSendSetRequest(handle, KeepText, &text, AP_MODE_BLOCKING, timeoutMs);
    return {code, text};
}

std::string TextOf(int code)
{
    char text[256] = {};
    apSnmpGetErrorMsg(code, text);
    return text;
}

} // namespace

DeviceSession::DeviceSession(const DeviceAddress &address, const SessionSettings &settings)
{
    session_ = apSnmpOpenSession(2, address.text.c_str());
    const int code = session_ ? apSnmpSetSession(session_, address.port, settings.communities.read.c_str(),
                                                 settings.communities.write.c_str(),
                                                 std::max(1, settings.timeoutMs / 10), address.text.c_str(),
                                                 settings.retries)
                              : AP_ERR_NOT_INITIALISED;
    if (code != AP_OK)
        opened_ = Outcome::Failed(code, code == AP_ERR_SEND ? "unknown host " + address.host : TextOf(code));
}

DeviceSession::~DeviceSession()
{
    if (session_)
        apHandleClose(session_);
}

Outcome DeviceSession::Report(int code, const std::string &text)
{
    return {code, code == AP_OK || !text.empty() ? text : TextOf(code)};
}

Outcome DeviceSession::CodeOnly(int code) { return {code, code == AP_OK ? std::string() : TextOf(code)}; }

Outcome DeviceSession::Read(const std::vector<ObjectInstance> &objects, std::vector<std::string> &texts,
                            std::vector<devicelib::SnmpValue> *raw)
{
    if (!opened_.Ok())
        return opened_;
    auto request = std::make_unique<Request>();
    request->kind = Request::Kind::Get;
    request->session = session_;
    for (const ObjectInstance &object : objects) {
        request->oids.push_back(object.Oid());
        // Secrets are served to the write community only.
        request->useWriteCommunity = request->useWriteCommunity || object.object->secret;
    }
    RequestResult result = RunHere(std::move(request));
    if (result.code != AP_OK)
        return Report(result.code, result.text);
    texts.clear();
    for (std::size_t i = 0; i < objects.size(); ++i) {
        std::string error = "the device has no such object";
        std::string text;
        if (i < result.answered.size() && result.answered[i]) {
            error.clear();
            text = ObjectValue::Format(*objects[i].object, result.ordered[i], error);
        }
        if (!error.empty())
            return Outcome::Failed(AP_ERR_BAD_RESPONSE, objects[i].name + ": " + error);
        texts.push_back(text);
        if (raw)
            raw->push_back(result.ordered[i]);
    }
    return {};
}

Outcome DeviceSession::ReadNamed(const std::vector<std::string> &names, std::vector<std::string> &texts,
                                 std::vector<devicelib::SnmpValue> *raw)
{
    std::vector<ObjectInstance> objects;
    for (const std::string &name : names) {
        std::string error;
        auto object = ObjectValue::ParseName(name, error);
        if (!object)
            return Outcome::Failed(AP_ERR_BAD_ARGUMENT, error);
        objects.push_back(*object);
    }
    return Read(objects, texts, raw);
}

Outcome DeviceSession::Write(const std::vector<devicelib::Varbind> &values)
{
    if (!opened_.Ok())
        return opened_;
    auto request = std::make_unique<Request>();
    request->kind = Request::Kind::Set;
    request->session = session_;
    request->varbinds = values;
    const RequestResult result = RunHere(std::move(request));
    return Report(result.code, result.text);
}

Outcome DeviceSession::Command(int command, int waitMs)
{
    if (!opened_.Ok())
        return opened_;
    const APHANDLE handle = apSysCommandObjOpen(session_, 0);
    const int code = apSysCommand(handle, command, waitMs);
    const Outcome outcome = code == AP_OK ? SendSet(handle, 0) : CodeOnly(code);
    apHandleClose(handle);
    return Report(outcome.code, outcome.text);
}

Outcome DeviceSession::StartTransfer(const std::string &pcAddress, const std::string &fileName, int direction,
                                     int command)
{
    if (!opened_.Ok())
        return opened_;
    const APHANDLE handle = apSysCommandTftpOpen(session_, 0);
    int code = apAdvTFTPSettings(handle, pcAddress.c_str(), fileName.c_str(), direction);
    if (code == AP_OK)
        code = apAdvTFTPUpgradeCmd(handle, 0, command);
    const Outcome outcome = code == AP_OK ? SendSet(handle, 0) : CodeOnly(code);
    apHandleClose(handle);
    return Report(outcome.code, outcome.text);
}

Outcome DeviceSession::TransferCommand(int command, int waitMs)
{
    if (!opened_.Ok())
        return opened_;
    const APHANDLE handle = apSysCommandTftpOpen(session_, 0);
    const int code = apAdvTFTPUpgradeCmd(handle, 0, command);
    const Outcome outcome = code == AP_OK ? SendSet(handle, uint32_t(waitMs)) : CodeOnly(code);
    apHandleClose(handle);
    return Report(outcome.code, outcome.text);
}

} // namespace trb::ctl
