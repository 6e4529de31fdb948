// The packet codec and option negotiation: what the server accepts, refuses and answers.
#include "TftpOptions.h"
#include "TftpPacket.h"

#include <gtest/gtest.h>
#include <string>

using namespace tftp;

namespace {

std::optional<Packet> Parse(const std::vector<std::uint8_t> &bytes)
{
    return ParsePacket(bytes.data(), bytes.size());
}

std::optional<Packet> Parse(const std::string &bytes)
{
    return ParsePacket(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
}

Packet Request(std::vector<Option> options)
{
    return *Parse(BuildRequest(Opcode::Rrq, "f", "octet", options));
}

std::string OptionValue(const TransferParameters &parameters, const std::string &name)
{
    for (const Option &option : parameters.acknowledged)
        if (option.name == name)
            return option.value;
    return "(none)";
}

} // namespace

TEST(TftpPacket, RequestKeepsNameAndLowersModeAndOptionNames)
{
    const auto packet = Parse(BuildRequest(Opcode::Wrq, "Dir/Config.DCF", "OCTET",
                                           {{"BlkSize", "1468"}, {"tsize", "0"}, {"blksize", "8"}}));
    ASSERT_TRUE(packet);
    EXPECT_EQ(packet->opcode, Opcode::Wrq);
    EXPECT_EQ(packet->fileName, "Dir/Config.DCF");
    EXPECT_EQ(packet->mode, "octet");
    ASSERT_EQ(packet->options.size(), 2u);  // the repeated blksize keeps its first value
    EXPECT_EQ(*packet->FindOption("blksize"), "1468");
    EXPECT_EQ(*packet->FindOption("tsize"), "0");
}

TEST(TftpPacket, MalformedPacketsAreRejected)
{
    using namespace std::string_literals;
    EXPECT_FALSE(Parse(""s));
    EXPECT_FALSE(Parse("\x00"s));
    EXPECT_FALSE(Parse("\x00\x07xx"s)) << "unknown opcode";
    EXPECT_FALSE(Parse("\x00\x01"s)) << "request without a name";
    EXPECT_FALSE(Parse("\x00\x01name\x00octet"s)) << "mode not terminated";
    EXPECT_FALSE(Parse("\x00\x01\x00octet\x00"s)) << "empty name";
    EXPECT_FALSE(Parse("\x00\x01name\x00\x00"s)) << "empty mode";
    EXPECT_FALSE(Parse("\x00\x03\x00"s)) << "DATA without a whole block number";
    EXPECT_FALSE(Parse("\x00\x04"s)) << "ACK without a block number";
    EXPECT_FALSE(Parse("\x00\x05\x00"s)) << "ERROR without a whole code";
    EXPECT_FALSE(Parse("\x00\x06x"s)) << "OACK not terminated";
    EXPECT_FALSE(Parse(BuildRequest(Opcode::Rrq, std::string(kMaxFileNameLength + 1, 'a'), "octet")));
}

TEST(TftpPacket, LenientWhereHarmless)
{
    using namespace std::string_literals;
    // Padding NULs after the options, an option without a value, an error without its NUL.
    const auto padded = Parse("\x00\x01" "f\x00octet\x00" "tsize\x00" "0\x00" "blksize\x00\x00\x00"s);
    ASSERT_TRUE(padded);
    EXPECT_EQ(*padded->FindOption("tsize"), "0");
    EXPECT_EQ(*padded->FindOption("blksize"), "");
    const auto error = Parse("\x00\x05\x00\x01no nul"s);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->errorCode, 1);
    EXPECT_EQ(error->errorMessage, "no nul");
}

TEST(TftpPacket, DataAckAndErrorRoundTrip)
{
    const std::uint8_t payload[] = {1, 2, 3};
    const auto bytes = BuildData(0xFFFF, payload, sizeof payload);  // parsed data points into it
    const auto data = Parse(bytes);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->block, 0xFFFF);
    ASSERT_EQ(data->dataSize, 3u);
    EXPECT_EQ(data->data[2], 3);
    EXPECT_EQ(Parse(BuildData(7, nullptr, 0))->dataSize, 0u);
    EXPECT_EQ(Parse(BuildAck(65535))->block, 65535);
    const auto error = Parse(BuildError(kUnknownTransferId, "Unknown transfer ID"));
    EXPECT_EQ(error->errorCode, 5);
    EXPECT_EQ(error->errorMessage, "Unknown transfer ID");
    const auto oack = Parse(BuildOack({{"blksize", "1468"}, {"windowsize", "16"}}));
    EXPECT_EQ(*oack->FindOption("windowsize"), "16");
}

TEST(TftpOptions, NoOptionsMeansPlainRfc1350)
{
    const auto parameters = NegotiateOptions(Request({}), 1000, 3000, 3);
    EXPECT_TRUE(parameters.acknowledged.empty());
    EXPECT_EQ(parameters.blockSize, 512u);
    EXPECT_EQ(parameters.windowSize, 1u);
    EXPECT_EQ(parameters.timeoutMs, 3000u);
    EXPECT_EQ(parameters.retries, 3);
}

TEST(TftpOptions, ValuesAreClampedOrLeftOut)
{
    auto p = NegotiateOptions(Request({{"blksize", "100000"}, {"timeout", "2"}, {"windowsize", "200"},
                                       {"tsize", "0"}, {"multicast", ""}}),
                              123456, 3000, 3);
    EXPECT_EQ(p.blockSize, kMaxBlockSize);
    EXPECT_EQ(OptionValue(p, "blksize"), "65464");
    EXPECT_EQ(p.timeoutMs, 2000u);
    EXPECT_EQ(OptionValue(p, "tsize"), "123456") << "a reader learns the real size";
    EXPECT_EQ(OptionValue(p, "multicast"), "(none)");
    // 200 blocks of 65464 bytes exceed the window byte cap.
    EXPECT_EQ(p.windowSize, kMaxWindowBytes / kMaxBlockSize);

    p = NegotiateOptions(Request({{"blksize", "7"}, {"timeout", "0"}, {"windowsize", "0"},
                                  {"tsize", "-1"}}), 10, 3000, 3);
    EXPECT_TRUE(p.acknowledged.empty()) << "every value out of range is left out";
    EXPECT_EQ(p.blockSize, 512u);
    EXPECT_EQ(p.timeoutMs, 3000u);

    p = NegotiateOptions(Request({{"blksize", "1468x"}, {"windowsize", "100000"}, {"timeout", "256"}}), 10, 3000, 3);
    EXPECT_TRUE(p.acknowledged.empty());

    p = NegotiateOptions(Request({{"windowsize", "1000"}}), 10, 3000, 3);
    EXPECT_EQ(p.windowSize, kMaxWindowSize);
}

TEST(TftpOptions, WriterTsizeIsEchoed)
{
    const auto request = *Parse(BuildRequest(Opcode::Wrq, "f", "octet", {{"tsize", "4096"}}));
    EXPECT_EQ(OptionValue(NegotiateOptions(request, std::nullopt, 3000, 3), "tsize"), "4096");
}
