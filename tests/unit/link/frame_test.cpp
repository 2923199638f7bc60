#include <gtest/gtest.h>

#include <numeric>

#include "checksum/crc16.h"
#include "link/frame_parser.h"
#include "link_test_doubles.h"

namespace q9tx {
namespace {

using testing::Bytes;
using testing::Frame;

TEST(Frames, CrcAndReferenceFrames)
{
    EXPECT_EQ(crc16(0, reinterpret_cast<const std::uint8_t*>("123456789"), 9), 0x31C3);
    const std::pair<std::uint8_t, Bytes> cases[] = {
        {'F', {0x7E, 0x7E, 0x46, 0, 0xA7, 0x6A}}, {'H', {0x7E, 0x7E, 0x48, 0, 0x84, 0x65}},
        {'I', {0x7E, 0x7E, 0x49, 0, 0xB7, 0x54}}, {'N', {0x7E, 0x7E, 0x4E, 0, 0x2E, 0xC3}},
        {'O', {0x7E, 0x7E, 0x4F, 0, 0x1D, 0xF2}}, {0x60, {0x7E, 0x7E, 0x60, 0, 0x0B, 0x2A}},
        {0x61, {0x7E, 0x7E, 0x61, 0, 0x38, 0x1B}}, {0x6F, {0x7E, 0x7E, 0x6F, 0, 0x1B, 0x14}},
    };
    for (const auto& [command, frame] : cases)
        EXPECT_EQ(Frame(command), frame) << int(command);

    Bytes block(32);
    std::iota(block.begin(), block.end(), 0x70);  // 0x7E inside needs no escaping
    const Bytes write = Frame(0x73, block);
    ASSERT_EQ(write.size(), 38u);
    EXPECT_EQ(Bytes(write.begin() + 2, write.begin() + 5), (Bytes{0x73, 0x20, 0x70}));
    const std::uint16_t crc = crc16(0, write.data() + 2, 34);
    EXPECT_EQ(Bytes(write.end() - 2, write.end()), (Bytes{std::uint8_t(crc >> 8), std::uint8_t(crc)}));

    FrameBuffer buffer{};
    EXPECT_EQ(BuildFrame(buffer, 0x70, block.data(), 33), 0u);
    EXPECT_EQ(BuildFrame(buffer, 0x70, nullptr, 1), 0u);
}

// Commands of the frames found in stream, with a minus sign for a bad CRC.
std::vector<int> Parse(FrameParser& parser, const Bytes& stream)
{
    std::vector<int> found;
    for (const std::uint8_t byte : stream)
        if (parser.Feed(byte)) {
            const int command = parser.Command();
            found.push_back(parser.FinishFrame() ? command : -command);
        }
    return found;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(FrameParser, FindsFramesInAStream)
{
    Bytes flipped = Frame(0x61, {1, 2, 3});
    flipped[5] ^= 0x04;
    const struct {
        const char* what;
        Bytes stream;
        std::vector<int> found;
    } cases[] = {
        {"joined", Join({Frame('O'), Frame(0x60, {9, 8})}), {'O', 0x60}},
        {"noise first", Join({{0x00, 0x4E, 0xFF}, Frame('H', {8, 0})}), {'H'}},
        {"7E 7E 7E 4E: 4E is an oversize length", Join({{0x7E}, Frame('N'), Frame('O')}), {'O'}},
        {"stray byte between sync bytes", Join({{0x7E, 0x41, 0x7E, 0x4E, 0, 0x2E, 0xC3}, Frame('O')}), {'O'}},
        {"length 33 abandoned", Join({{0x7E, 0x7E, 0x60, 33}, Frame('N')}), {'N'}},
        {"length 32 of sync values", Join({Frame(0x6F, Bytes(32, 0x7E)), Frame('N')}), {0x6F, 'N'}},
        {"command 0x7E", Frame(0x7E, {1}), {0x7E}},
        {"flipped payload bit", flipped, {-0x61}},
    };
    for (const auto& c : cases) {
        FrameParser parser;
        EXPECT_EQ(Parse(parser, c.stream), c.found) << c.what;
        EXPECT_EQ(parser.State(), FrameParser::WaitFirstSync) << c.what;
    }
}

TEST(FrameParser, FramesSplitAtAnyPointParseTheSame)
{
    const Bytes stream = Join({Frame(0x62, {1, 0x7E, 0x7E}), Frame('N')});
    for (std::size_t cut = 1; cut < stream.size(); ++cut) {
        FrameParser parser;
        std::vector<int> found = Parse(parser, Bytes(stream.begin(), stream.begin() + cut));
        for (const int command : Parse(parser, Bytes(stream.begin() + cut, stream.end())))
            found.push_back(command);
        EXPECT_EQ(found, (std::vector<int>{0x62, 'N'})) << "cut at " << cut;
        EXPECT_EQ(parser.LengthAndPayload(), Bytes{0});
    }
}

}  // namespace
}  // namespace q9tx
