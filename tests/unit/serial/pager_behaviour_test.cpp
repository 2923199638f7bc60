#include "pager_behaviour.h"

#include <gtest/gtest.h>

#include "factory_image.h"
#include "link/frame_parser.h"

namespace q9tx::sim {
namespace {

using std::chrono::milliseconds;

struct ParsedReply {
    std::uint8_t command = 0;
    std::vector<std::uint8_t> payload;
    bool crcGood = false;
    milliseconds delay{0};
};

// Reads replies the way the programmer does, so a reply it would drop shows as such.
std::vector<ParsedReply> Parse(const std::vector<TimedReply>& replies)
{
    std::vector<ParsedReply> parsed;
    FrameParser parser;
    for (const TimedReply& reply : replies) {
        for (std::uint8_t byte : reply.bytes) {
            if (parser.Feed(byte)) {
                ParsedReply frame;
                frame.command = parser.Command();
                frame.payload = parser.LengthAndPayload();
                frame.payload.erase(frame.payload.begin());
                frame.crcGood = parser.FinishFrame();
                frame.delay = reply.delay;
                parsed.push_back(frame);
            }
        }
    }
    return parsed;
}

std::vector<std::uint8_t> Commands(const std::vector<ParsedReply>& replies)
{
    std::vector<std::uint8_t> commands;
    for (const ParsedReply& reply : replies) {
        EXPECT_TRUE(reply.crcGood);
        commands.push_back(reply.command);
    }
    return commands;
}

std::vector<std::uint8_t> Block(const ImageBytes& image, int k)
{
    return {image.begin() + 32 * k, image.begin() + 32 * (k + 1)};
}

// Writes the whole image; returns the commands of all replies to the 16 frames.
std::vector<ParsedReply> WriteImage(PagerBehaviour& pager, const ImageBytes& image)
{
    std::vector<ParsedReply> all;
    for (int k = 0; k < 16; ++k) {
        const auto replies = Parse(pager.OnFrame(static_cast<std::uint8_t>(0x70 + k), Block(image, k)));
        all.insert(all.end(), replies.begin(), replies.end());
    }
    return all;
}

TEST(PagerBehaviour, AnswersEachRequest)
{
    PagerBehaviour pager;
    const ImageBytes image = FactoryImage();
    const std::vector<std::uint8_t> text = {'Q', '9', 'T', 'X', ' ', 's', 'i', 'm', 'u', 'l', 'a', 't', 'o', 'r'};
    const struct {
        std::uint8_t command;
        std::vector<std::uint8_t> commands;
        std::vector<std::uint8_t> payload;
    } cases[] = {
        {0x4E, {0x4F}, {}},
        {0x48, {0x48}, {0x08, 0x00, 0x00, 0x00, 7, 2}},
        {0x46, {0x46}, text},
        {0x60, {0x60}, Block(image, 0)},
        {0x6F, {0x6F}, Block(image, 15)},
        {0x4A, {}, {}},  // not a request the pager knows
        {0x80, {}, {}},
    };
    for (const auto& c : cases) {
        const auto replies = Parse(pager.OnFrame(c.command, {}));
        EXPECT_EQ(Commands(replies), c.commands) << int(c.command);
        if (!replies.empty()) {
            EXPECT_EQ(replies.front().payload, c.payload) << int(c.command);
        }
    }
    EXPECT_EQ(pager.receivedFrames().size(), std::size(cases));
    EXPECT_EQ(pager.receivedFrames()[1], (ReceivedFrame{0x48, {}}));
}

TEST(PagerBehaviour, WriteVerdictFollowsTheStoredCheckWords)
{
    ImageBytes corrupted = FactoryImage();
    corrupted[300] ^= 0x40;  // inside check word 2's range, word not recomputed
    ImageBytes rewritten = FactoryImage();
    rewritten[316] = 'Z';
    SealImage(rewritten);
    const struct {
        const char* name;
        ImageBytes image;
        bool answerK;
        std::uint8_t forced;
        std::uint8_t verdict;
    } cases[] = {
        {"valid image", rewritten, false, 0, 0x4C},
        {"broken check word", corrupted, false, 0, 0x4D},
        {"told to fail", rewritten, true, 0, 0x4B},
        {"fault: M on a valid image", rewritten, false, 0x4D, 0x4D},
        {"fault: K on a broken one", corrupted, false, 0x4B, 0x4B},
    };
    for (const auto& c : cases) {
        PagerBehaviour pager;
        pager.setVerifyTime(milliseconds(250));
        pager.setAnswerK(c.answerK);
        PagerFaults faults;
        faults.verdict = c.forced;
        pager.setFaults(faults);
        const auto replies = WriteImage(pager, c.image);
        std::vector<std::uint8_t> expected;
        for (int k = 0; k < 16; ++k) {
            expected.push_back(static_cast<std::uint8_t>(0x70 + k));
        }
        expected.push_back(0x4A);
        expected.push_back(c.verdict);
        EXPECT_EQ(Commands(replies), expected) << c.name;
        EXPECT_EQ(replies.back().delay, milliseconds(250)) << c.name;
        EXPECT_EQ(pager.image(), c.image) << c.name;
        // Later reads return what was written.
        EXPECT_EQ(Parse(pager.OnFrame(0x69, {})).front().payload, Block(c.image, 9)) << c.name;
    }
}

TEST(PagerBehaviour, SignOffLeavesOnlyPollsAnswered)
{
    PagerBehaviour pager;
    EXPECT_TRUE(Parse(pager.OnFrame(0x49, {})).empty());
    EXPECT_TRUE(Parse(pager.OnFrame(0x48, {})).empty());
    EXPECT_TRUE(Parse(pager.OnFrame(0x60, {})).empty());
    EXPECT_EQ(Commands(Parse(pager.OnFrame(0x4E, {}))), std::vector<std::uint8_t>{0x4F});
    EXPECT_EQ(Commands(Parse(pager.OnFrame(0x48, {}))), std::vector<std::uint8_t>{0x48});
}

TEST(PagerBehaviour, InjectedFaults)
{
    // Outcome of five polls in a row, per fault: 'o' answered, '-' silent, 'x' bad CRC.
    const struct {
        const char* name;
        void (*set)(PagerFaults&);
        const char* outcome;
    } cases[] = {
        {"none", [](PagerFaults&) {}, "ooooo"},
        {"silent", [](PagerFaults& f) { f.silent = true; }, "-----"},
        {"drop the third", [](PagerFaults& f) { f.dropReplyTo = 3; }, "oo-oo"},
        {"corrupt the second", [](PagerFaults& f) { f.corruptReplyTo = 2; }, "oxooo"},
        {"silent after two", [](PagerFaults& f) { f.silentAfter = 2; }, "oo---"},
        {"silent after none", [](PagerFaults& f) { f.silentAfter = 0; }, "-----"},
        // Noise that looks like a sync byte must not hide the reply behind it.
        {"noise first", [](PagerFaults& f) { f.noiseBeforeReply = {0x00, 0x7E, 0x55}; }, "ooooo"},
    };
    for (const auto& c : cases) {
        PagerBehaviour pager;
        pager.OnFrame(0x4E, {});  // counting starts when the faults are set
        PagerFaults faults;
        c.set(faults);
        pager.setFaults(faults);
        std::string outcome;
        for (int i = 0; i < 5; ++i) {
            const auto replies = Parse(pager.OnFrame(0x4E, {}));
            outcome += replies.empty() ? '-' : (replies.front().crcGood ? 'o' : 'x');
        }
        EXPECT_EQ(outcome, c.outcome) << c.name;
    }
}

TEST(PagerBehaviour, FaultsAimedAtOneFrameLeaveTheOthersAlone)
{
    const struct {
        const char* name;
        void (*set)(PagerFaults&);
        milliseconds delays[3];
        std::size_t extraBytes[3];
    } cases[] = {
        {"late second", [](PagerFaults& f) { f.lateReplyTo = 2; f.lateBy = milliseconds(1500); },
         {milliseconds(0), milliseconds(1500), milliseconds(0)}, {0, 0, 0}},
        {"late second on top of the delay",
         [](PagerFaults& f) { f.replyDelay = milliseconds(10); f.lateReplyTo = 2; f.lateBy = milliseconds(90); },
         {milliseconds(10), milliseconds(100), milliseconds(10)}, {0, 0, 0}},
        {"noise before the third only",
         [](PagerFaults& f) { f.noiseBeforeReply = {0x7E, 0x00, 0x55}; f.noisyReplyTo = 3; },
         {milliseconds(0), milliseconds(0), milliseconds(0)}, {0, 0, 3}},
        {"noise before each", [](PagerFaults& f) { f.noiseBeforeReply = {0x7E, 0x00, 0x55}; },
         {milliseconds(0), milliseconds(0), milliseconds(0)}, {3, 3, 3}},
    };
    for (const auto& c : cases) {
        PagerBehaviour pager;
        PagerFaults faults;
        c.set(faults);
        pager.setFaults(faults);
        for (int i = 0; i < 3; ++i) {
            const std::vector<TimedReply> replies = pager.OnFrame(0x4E, {});
            ASSERT_EQ(replies.size(), 1u) << c.name;
            EXPECT_EQ(replies[0].delay, c.delays[i]) << c.name << " frame " << i + 1;
            EXPECT_EQ(replies[0].bytes.size(), 6 + c.extraBytes[i]) << c.name << " frame " << i + 1;
            EXPECT_EQ(Commands(Parse(replies)), std::vector<std::uint8_t>{0x4F}) << c.name;
        }
    }
}

TEST(FactoryImage, AddressWordsMatchTheWorkedValues)
{
    const struct {
        std::uint32_t capcode;
        int slot;
        bool enabled;
        std::uint32_t word;
    } cases[] = {
        {2004000, 1, true, 0x214BC086}, {2004008, 2, true, 0xA14BC486}, {1234567, 2, true, 0x0B5A7C86},
        {2097143, 5, true, 0x7FFFF986}, {2004013, 3, false, 0xA14BEA06}, {0, 1, false, 0x00000006},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AddressWord(c.capcode, c.enabled, c.slot), c.word) << c.capcode;
    }
}

TEST(FactoryImage, IsSealedAndEveryCoveredByteMatters)
{
    const ImageBytes image = FactoryImage();
    EXPECT_TRUE(CheckWordsValid(image));
    for (std::size_t offset : {32u, 93u, 96u, 509u, 94u, 511u}) {
        ImageBytes changed = image;
        changed[offset] ^= 0x01;
        EXPECT_FALSE(CheckWordsValid(changed)) << offset;
    }
    ImageBytes header = image;
    header[20] ^= 0xFF;  // the header is covered by neither check word
    EXPECT_TRUE(CheckWordsValid(header));
}

}  // namespace
}  // namespace q9tx::sim
