#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

Subtree commands()
{
    return {
        {Group("trbCommands", {5}, "Device commands and what they act on.")},
        {},
        {
            // Not a setting: a command runs once and is never saved.
            Enum("trbDeviceCommand", {5, 1},
                 "idle(0),restart(1),restoreDefaults(2),saveAndActivate(3),discardChanges(4),clearLanguagePack(5)")
                .writable().describe("Writing a value runs the command; reads return idle."),
            Text("trbLanguagePack", {5, 2}, 0, 63).describe("Name of the installed language pack; empty when none."),
        },
    };
}

} // namespace trb::schema::subtrees
