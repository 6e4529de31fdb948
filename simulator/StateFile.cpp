#include "StateFile.h"

#include "RemoveIfUnlocked.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "CreatedRows.h"
#include "SetValidator.h"

namespace trb::sim {
namespace {

constexpr const char *kFormatLine = "format=trb4820-sim-state/1";
// save's temporaries are "<state file>.saving-" and mkstemp's six letters or digits: a name no
// one picks for a file of their own.
constexpr std::string_view kTemporaryInfix = ".saving-";
constexpr size_t kTemporaryRandomLength = 6;
constexpr const char *kLanguagePackKey = "languagePack";

std::string quote(const std::string &bytes)
{
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        }
    }
    return out + "\"";
}

std::optional<std::string> unquote(const std::string &text)
{
    if (text.size() < 2 || text.front() != '"' || text.back() != '"')
        return std::nullopt;
    std::string out;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        char c = text[i];
        if (c != '\\') {
            if (c == '"')
                return std::nullopt;
            out += c;
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        char next = text[++i];
        if (next == '"' || next == '\\') {
            out += next;
        } else if (next == 'x' && i + 3 < text.size()) {
            unsigned value = 0;
            auto [end, ec] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
            if (ec != std::errc() || end != text.data() + i + 3)
                return std::nullopt;
            out += static_cast<char>(value);
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    return out;
}

// Writes all of `data` to fd; false on any error.
bool writeAll(int fd, const std::string &data)
{
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string directoryOf(const std::string &path)
{
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool makeDirectories(const std::string &dir)
{
    if (dir.empty() || dir == "." || dir == "/")
        return true;
    struct stat st;
    if (::stat(dir.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    if (!makeDirectories(directoryOf(dir)))
        return false;
    return ::mkdir(dir.c_str(), 0755) == 0 || errno == EEXIST;
}

std::string fileNameOf(const std::string &path)
{
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::span<const DeviceFileLine> StateFile::deviceFiles()
{
    static const DeviceFileLine kLines[] = {
        {kLanguagePackKey, "trbLanguagePack", &SavedState::languagePack},
        {"firmwareVersion", "trbFirmwareVersion", &SavedState::firmwareVersion},
        {"sslCertificate", "trbSslCertificateSubject", &SavedState::certificateSubject},
        {"sslKey", "trbSslKeyFingerprint", &SavedState::keyFingerprint},
    };
    return kLines;
}

bool StateFile::isTemporaryName(const std::string &path, const std::string &fileName)
{
    const std::string prefix = fileNameOf(path) + std::string(kTemporaryInfix);
    if (fileName.size() != prefix.size() + kTemporaryRandomLength || fileName.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(fileName.begin() + prefix.size(), fileName.end(),
                       [](unsigned char c) { return std::isalnum(c) != 0; });
}

int StateFile::removeStaleTemporaries(const std::string &path)
{
    DIR *directory = ::opendir(directoryOf(path).c_str());
    if (!directory)
        return 0;
    int removed = 0;
    while (const dirent *entry = ::readdir(directory)) {
        if (isTemporaryName(path, entry->d_name) && trb::RemoveIfUnlocked(::dirfd(directory), entry->d_name))
            ++removed;
    }
    ::closedir(directory);
    return removed;
}

std::string StateFile::encode(const SnmpValue &value)
{
    if (value.asnType == ASN_IPADDRESS && value.bytes.size() == 4) {
        char text[INET_ADDRSTRLEN];
        inet_ntop(AF_INET, value.bytes.data(), text, sizeof text);
        return text;
    }
    if (value.asnType == ASN_OCTET_STR)
        return quote(value.bytes);
    return std::to_string(value.number);
}

std::optional<SnmpValue> StateFile::decode(const std::string &text, u_char asnType)
{
    SnmpValue value;
    value.asnType = asnType;
    if (asnType == ASN_IPADDRESS) {
        in_addr address;
        if (inet_pton(AF_INET, text.c_str(), &address) != 1)
            return std::nullopt;
        value.bytes.assign(reinterpret_cast<const char *>(&address), 4);
        return value;
    }
    if (asnType == ASN_OCTET_STR) {
        auto bytes = unquote(text);
        if (!bytes)
            return std::nullopt;
        value.bytes = *bytes;
        return value;
    }
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value.number);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string StateFile::keyOf(const schema::ObjectDef &object, const Oid &instanceOid)
{
    std::string key = object.name;
    const size_t prefix = schema::kBaseOidLength + object.oid.size();
    for (size_t i = prefix; i < instanceOid.size(); ++i)
        key += "." + std::to_string(instanceOid[i]);
    return key;
}

std::string StateFile::parseLine(const std::string &line, const DeviceStore &device, SavedState &state)
{
    auto equals = line.find('=');
    if (equals == std::string::npos)
        return "not a name=value line";
    const std::string key = line.substr(0, equals);
    const std::string text = line.substr(equals + 1);
    for (const DeviceFileLine &file : deviceFiles()) {
        if (key != file.key)
            continue;
        auto value = decode(text, ASN_OCTET_STR);
        if (!value || int64_t(value->bytes.size()) > schema::findObject(file.object)->high)
            return std::string("bad ") + file.key;
        state.*file.field = value->bytes;
        return {};
    }
    return parseEntry(key, text, device, state.config);
}

std::string StateFile::parseEntry(const std::string &key, const std::string &text, const DeviceStore &device,
                                  ConfigValues &config)
{
    auto dot = key.find('.');
    const auto *object = schema::findObject(key.substr(0, dot));
    if (!object || !object->config || dot == std::string::npos)
        return "unknown configuration object '" + key + "'";
    std::vector<uint32_t> instance;
    for (size_t pos = dot + 1; pos <= key.size();) {
        size_t next = key.find('.', pos);
        if (next == std::string::npos)
            next = key.size();
        uint32_t number = 0;
        auto [end, ec] = std::from_chars(key.data() + pos, key.data() + next, number);
        if (ec != std::errc() || end != key.data() + next)
            return "bad instance in '" + key + "'";
        instance.push_back(number);
        pos = next + 1;
    }
    // Scalars are written with their ".0".
    if (object->shape == schema::IndexShape::Scalar && instance == std::vector<uint32_t>{0})
        instance.clear();
    const Oid name = DeviceStore::toOid(schema::instanceOid(*object, instance));
    auto value = decode(text, SetValidator::asnTypeOf(object->type));
    if (!value)
        return "bad value for '" + key + "'";
    netsnmp_variable_list var{};
    snmp_set_var_objid(&var, name.data(), name.size());
    const long number = static_cast<long>(value->number);
    const void *data = value->isNumeric() ? static_cast<const void *>(&number)
                                          : static_cast<const void *>(value->bytes.data());
    snmp_set_var_typed_value(&var, value->asnType, data,
                             value->isNumeric() ? sizeof number : value->bytes.size());
    // Rows that managers create are not in the factory device: only their values are checked.
    const int status = CreatedRows::tableOf(*object) ? SetValidator::checkValueFor(name, var)
                                                     : SetValidator(device).check(name, var);
    snmp_free_var_internals(&var);
    if (status != SNMP_ERR_NOERROR)
        return "invalid value for '" + key + "'";
    config[name] = *value;
    return {};
}

StateFile::LoadResult StateFile::load(const std::string &path, const DeviceStore &device)
{
    LoadResult result;
    result.state.config = device.config();
    for (const DeviceFileLine &file : deviceFiles())
        if (const auto *value = device.find(DeviceStore::instanceOf(file.object)))
            result.state.*file.field = value->bytes;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (errno == ENOENT) {
            result.status = LoadStatus::Missing;
        } else {
            result.status = LoadStatus::Corrupt;
            result.error = std::string("cannot read: ") + std::strerror(errno);
        }
        return result;
    }
    std::string line;
    int number = 0;
    bool sawFormat = false;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        std::string error;
        if (!sawFormat)
            error = line == kFormatLine ? std::string() : "missing format line";
        else
            error = parseLine(line, device, result.state);
        sawFormat = true;
        if (!error.empty()) {
            result.status = LoadStatus::Corrupt;
            result.error = "line " + std::to_string(number) + ": " + error;
            return result;
        }
    }
    if (in.bad() || !sawFormat) {
        result.status = LoadStatus::Corrupt;
        result.error = in.bad() ? "read error" : "empty file";
        return result;
    }
    if (std::string problem = CreatedRows::checkRows(result.state.config); !problem.empty()) {
        result.status = LoadStatus::Corrupt;
        result.error = problem;
        return result;
    }
    result.status = LoadStatus::Loaded;
    return result;
}

std::string StateFile::save(const std::string &path, const SavedState &state)
{
    std::ostringstream out;
    out << "# TRB-4820 simulator: saved configuration\n" << kFormatLine << "\n";
    for (const auto &[name, value] : state.config) {
        const auto *object = DeviceStore::schemaObjectFor(name);
        if (object)
            out << keyOf(*object, name) << "=" << encode(value) << "\n";
    }
    for (const DeviceFileLine &file : deviceFiles())
        out << file.key << "=" << quote(state.*file.field) << "\n";

    const std::string dir = directoryOf(path);
    if (!makeDirectories(dir))
        return "cannot create directory " + dir + ": " + std::strerror(errno);
    std::string temporary = path + std::string(kTemporaryInfix) + std::string(kTemporaryRandomLength, 'X');
    int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return "cannot create " + temporary + ": " + std::strerror(errno);
    ::flock(fd, LOCK_EX); // marks it as in use for removeStaleTemporaries
    ::fchmod(fd, 0600); // it holds the device's passwords and keys
    const bool written = writeAll(fd, out.str()) && ::fsync(fd) == 0;
    const int writeErrno = errno;
    ::close(fd);
    if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int err = written ? errno : writeErrno;
        ::unlink(temporary.c_str());
        return "cannot write " + path + ": " + std::strerror(err);
    }
    int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

} // namespace trb::sim
