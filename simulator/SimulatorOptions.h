#pragma once
// Command line of trb4820-sim.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trb::sim {

struct SimulatorOptions {
    std::string listen = "127.0.0.1:16161";
    std::string statePath; // empty: defaultStatePath()
    std::string readCommunity = "public";
    std::string writeCommunity = "private";
    int rebootSeconds = 5;
    int clients = 5;
    bool longNames = false; // stations and neighbours with 32-character SSIDs
    std::string country = "US";
    std::string model = "TRB-4820"; // another model refuses the TRB-4820's firmware images
    int neighbours = 12;   // access points a site survey finds on each band
    int surveySeed = 4820; // makes the neighbourhood the same on every start
    uint32_t counterStart = 0; // where the traffic counters begin (near 2^32 to see them wrap)
    int tftpPort = 69;     // where the PC's TFTP server listens
    int tftpDelayMs = 0;       // a slow link: the device's TFTP client pauses before each ACK or window
    bool tftpLockstep = false; // the device's TFTP client offers no options (plain 512-byte lock-step)
    int dropPercent = 0;
    int delayMs = 0;
    bool oversizeStrings = false;
    bool wrongTypes = false;
    std::string wrongTypeObject; // only this object's instances answer with the wrong type
    std::string controlPath;     // Unix socket for faults changed at run time; empty: none
    bool help = false;
    bool version = false;

    // Parses argv; on a bad option returns nothing and sets `error`.
    static std::optional<SimulatorOptions> parse(const std::vector<std::string> &args, std::string &error);
    static std::string usage();
    // The host part of --listen: the device's own address.
    std::string listenHost() const;
    // $XDG_DATA_HOME/trb4820-sim/state.ini, else $HOME/.local/share/..., else ./trb4820-sim-state.ini
    static std::string defaultStatePath();
};

} // namespace trb::sim
