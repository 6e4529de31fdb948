// The device's transfers run off the agent's thread and complete only when the agent polls.
#include <gtest/gtest.h>

#include "transfer/DeviceTransfers.h"

using namespace trb::sim;

namespace {

class EchoMover : public FileMover {
public:
    Result fetch(const std::string &host, uint16_t port, const std::string &name, std::vector<uint8_t> &data) override
    {
        if (name == "missing")
            return {false, "File not found"};
        const std::string text = host + ":" + std::to_string(port) + "/" + name;
        data.assign(text.begin(), text.end());
        return {true, {}};
    }
    Result store(const std::string &, uint16_t, const std::string &, const std::vector<uint8_t> &data) override
    {
        stored = data;
        return {true, {}};
    }
    std::vector<uint8_t> stored;
};

TEST(DeviceTransfers, CompletionsRunOnlyInPollInQueueOrder)
{
    DeviceTransfers transfers(6969);
    auto owned = std::make_unique<EchoMover>();
    EchoMover *mover = owned.get();
    transfers.setMover(std::move(owned));

    std::vector<std::string> seen;
    transfers.fetch("10.0.0.2", "fw.bin", [&](const FileMover::Result &r, std::vector<uint8_t> data) {
        ASSERT_TRUE(r.ok);
        seen.emplace_back(data.begin(), data.end());
    });
    transfers.fetch("10.0.0.2", "missing", [&](const FileMover::Result &r, std::vector<uint8_t>) {
        seen.push_back("failed: " + r.error);
    });
    transfers.store("10.0.0.2", "log", {1, 2, 3}, [&](const FileMover::Result &r) { seen.push_back(r.ok ? "stored" : "lost"); });
    transfers.waitIdle();
    EXPECT_TRUE(seen.empty()) << "nothing completes before the agent polls";
    EXPECT_TRUE(transfers.busy());
    transfers.poll();
    EXPECT_EQ(seen, (std::vector<std::string>{"10.0.0.2:6969/fw.bin", "failed: File not found", "stored"}));
    EXPECT_EQ(mover->stored, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(transfers.busy());
}

TEST(DeviceTransfers, WithoutAClientOrAnAddressEveryTransferFails)
{
    DeviceTransfers transfers;
    bool failed = false;
    transfers.store("10.0.0.2", "x", {}, [&](const FileMover::Result &r) { failed = !r.ok && !r.error.empty(); });
    transfers.waitIdle();
    transfers.poll();
    EXPECT_TRUE(failed);

    auto owned = std::make_unique<EchoMover>();
    EchoMover *mover = owned.get();
    transfers.setMover(std::move(owned));
    std::vector<std::string> errors;
    for (const char *host : {"", "0.0.0.0"})
        transfers.store(host, "x", {1}, [&](const FileMover::Result &r) { errors.push_back(r.ok ? "sent" : r.error); });
    transfers.waitIdle();
    transfers.poll();
    EXPECT_EQ(errors, (std::vector<std::string>{"no PC address", "no PC address"}));
    EXPECT_TRUE(mover->stored.empty()) << "nothing went anywhere";
}

} // namespace
