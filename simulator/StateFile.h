#pragma once
// The simulator's persistent state: the saved configuration and the installed language pack,
// one "name.instance=value" line each. Writes are atomic (temporary file, fsync, rename).
#include <optional>
#include <span>
#include <string>

#include "DeviceStore.h"

namespace trb::sim {

struct SavedState {
    ConfigValues config;
    std::string languagePack;
    // What file commands installed: kept apart from the configuration, which a factory reset
    // replaces.
    std::string firmwareVersion = {};
    std::string certificateSubject = {};
    std::string keyFingerprint = {};
};

// A state-file line for something a file command installed: its key, the object that shows it,
// and where SavedState keeps it.
struct DeviceFileLine {
    const char *key;
    const char *object;
    std::string SavedState::*field;
};

class StateFile {
public:
    static std::span<const DeviceFileLine> deviceFiles();

    enum class LoadStatus { Missing, Loaded, Corrupt };
    struct LoadResult {
        LoadStatus status = LoadStatus::Missing;
        SavedState state;
        std::string error; // for Corrupt: what was wrong, with the line number
    };

    // Reads and checks the file against `device` (names, instances and values must be valid
    // for it). Values missing from the file keep the device's.
    static LoadResult load(const std::string &path, const DeviceStore &device);
    // Returns an empty string on success, else the reason.
    static std::string save(const std::string &path, const SavedState &state);
    // Removes the temporaries that saves of `path` left when the simulator was killed during
    // them (none that a running save holds); returns how many.
    static int removeStaleTemporaries(const std::string &path);
    // Whether a file name in the state file's directory is one of save's temporaries.
    static bool isTemporaryName(const std::string &path, const std::string &fileName);

    static std::string encode(const SnmpValue &value);
    static std::optional<SnmpValue> decode(const std::string &text, u_char asnType);
    static std::string keyOf(const schema::ObjectDef &object, const Oid &instanceOid);
    // Checks one "name.instance" key and its value text as a SET of it would be checked and adds
    // it to `config`; returns an empty string, else why it was refused.
    static std::string parseEntry(const std::string &key, const std::string &text, const DeviceStore &device,
                                  ConfigValues &config);

private:
    static std::string parseLine(const std::string &line, const DeviceStore &device, SavedState &state);
};

} // namespace trb::sim
