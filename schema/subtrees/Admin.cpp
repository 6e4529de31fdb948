#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

Subtree admin()
{
    return {
        {Group("trbAdmin", {7}, "Administrative access to the device.")},
        {},
        {
            Text("trbLoginName", {7, 1}, 0, 32).writable().setting()
                .describe("Name the administrator logs in with."),
            Text("trbLoginPassword", {7, 2}, 0, 64).writable().setting().confidential()
                .describe("Password of the administrator. Served to the write community only."),
        },
    };
}

} // namespace trb::schema::subtrees
