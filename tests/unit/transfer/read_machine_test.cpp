// The read machine message by message: where each block lands, what is asked for next,
// the checks at the end, and how a read ends.

#include <gtest/gtest.h>

#include <stdexcept>

#include "image/image_validation.h"
#include "machine_test_support.h"
#include "transfer/read_machine.h"

namespace q9tx::testing {
namespace {

ConfigImage Sealed(ConfigImage image)
{
    StoreCheckWord1(image);
    StoreCheckWord2(image);
    return image;
}

struct Reply {
    int block;
    int length = int(kBlockSize);
};

struct ReadCase {
    const char* name;
    ConfigImage image;
    std::vector<Reply> replies;
    int mapVersion;
    std::vector<int> requests;
    std::vector<std::string> events;  // after "action 1204"
};

ConfigImage WithGap()
{
    // Blocks 3 and 4 zero: the read completes without them only when the cleared image
    // is used and block 5 lands at its own place.
    ConfigImage image = PagerImage();
    std::fill(image.begin() + 3 * kBlockSize, image.begin() + 5 * kBlockSize, 0);
    return Sealed(image);
}

ConfigImage Flipped(std::size_t offset)
{
    ConfigImage image = PagerImage();
    image[offset] ^= 0x01;
    return image;
}

// Full replies for these blocks, in this order.
std::vector<Reply> Blocks(const std::vector<int>& blocks)
{
    std::vector<Reply> replies;
    for (const int block : blocks)
        replies.push_back({block});
    return replies;
}

std::vector<Reply> AllBlocks() { return Blocks(Range(0, 15)); }

std::vector<int> Concat(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void PrintTo(const ReadCase& c, std::ostream* out) { *out << c.name; }

const std::vector<std::string> kCompleted = {"read completed", "ended"};

std::vector<ReadCase> ReadCases()
{
    std::vector<Reply> emptySecond = AllBlocks();
    emptySecond[1].length = 0;
    ConfigImage ownHeader = PagerImage();
    WriteLe16(ownHeader, kOriginWordOffset, 0);
    return {
        {"in order", PagerImage(), AllBlocks(), 0, Range(0x60, 0x6F), kCompleted},
        {"block 5 while 3 was asked for", WithGap(), Blocks(Concat(Range(0, 2), Range(5, 15))), 0, Concat(Range(0x60, 0x63), Range(0x66, 0x6F)), kCompleted},
        {"length above 32", PagerImage(), {{0}, {1, 33}}, 0, {0x60, 0x61}, {"failed 1208", "ended"}},
        {"empty block", PagerImage(), emptySecond, 0, Range(0x60, 0x6F), {"failed 1403", "ended"}},
        {"check word 2 wrong", Flipped(200), AllBlocks(), 0, Range(0x60, 0x6F), {"failed 1403", "ended"}},
        {"check word 1 wrong", Flipped(40), AllBlocks(), 0, Range(0x60, 0x6F), {"failed 1403", "ended"}},
        {"wrong magic", Flipped(0), AllBlocks(), 0, Range(0x60, 0x6F), {"failed 1103", "ended"}},
        {"map version of another pager, origin 0", ownHeader, AllBlocks(), 1, Range(0x60, 0x6F),
         {"failed 1401", "ended"}},
        {"map version of another pager, origin set", PagerImage(), AllBlocks(), 1, Range(0x60, 0x6F), kCompleted},
    };
}

class ReadMachineCases : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadMachineCases, FollowsTheBlockThatArrived)
{
    const ReadCase& c = GetParam();
    FakeLink link;
    RecordingReport report;
    report.mapVersion = c.mapVersion;
    ReadMachine machine(link, report);

    machine.Step(0, nullptr);
    for (const Reply& reply : c.replies) {
        if (!machine.running())
            break;
        const std::size_t sentBefore = link.sent.size();
        const WindowMessage message = BlockReply(c.image, reply.block, reply.length);
        machine.Step(std::uint16_t(reply.block + 1), &message);
        // Stop-and-wait: at most one request per handled reply.
        EXPECT_LE(link.sent.size(), sentBefore + 1);
    }
    EXPECT_EQ(Commands(link.sent), c.requests);
    std::vector<std::string> expected = {"action 1204"};
    expected.insert(expected.end(), c.events.begin(), c.events.end());
    EXPECT_EQ(report.events, expected);
    EXPECT_FALSE(machine.running());
    if (c.events == kCompleted) {
        EXPECT_EQ(report.read, c.image);
        EXPECT_EQ(report.progress, 6 * int(c.replies.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Replies, ReadMachineCases, ::testing::ValuesIn(ReadCases()),
                         [](const auto& info) { return CaseName(info.param.name); });

// The bar may repaint at once (a window's progress bar does); the pager must not wait for that.
TEST(ReadMachine, NextRequestGoesOutBeforeTheProgressAdvances)
{
    FakeLink link;
    RecordingReport report;
    std::vector<std::size_t> sentAtProgress;
    report.onProgress = [&] { sentAtProgress.push_back(link.sent.size()); };
    ReadMachine machine(link, report);
    const ConfigImage image = PagerImage();
    machine.Step(0, nullptr);
    std::vector<std::size_t> sentAfterStep;
    for (int block = 0; block < int(kBlockCount); ++block) {
        const WindowMessage reply = BlockReply(image, block);
        machine.Step(std::uint16_t(block + 1), &reply);
        sentAfterStep.push_back(link.sent.size());
    }
    EXPECT_EQ(report.last(), "ended");
    EXPECT_EQ(sentAtProgress, sentAfterStep);
}

TEST(ReadMachine, BlocksWithoutAReadAreIgnored)
{
    FakeLink link;
    RecordingReport report;
    ReadMachine machine(link, report);
    const ConfigImage image = PagerImage();
    const WindowMessage reply = BlockReply(image, 0);
    machine.Step(1, &reply);
    EXPECT_TRUE(link.sent.empty());
    EXPECT_TRUE(report.events.empty());

    // Nor does a code past the last block count as one.
    machine.Step(0, nullptr);
    machine.Step(17, &reply);
    EXPECT_EQ(Commands(link.sent), std::vector<int>{0x60});
    EXPECT_TRUE(machine.running());
}

TEST(ReadMachine, AbandonedReadReportsOnlyItsEnd)
{
    FakeLink link;
    RecordingReport report;
    ReadMachine machine(link, report);
    const ConfigImage image = PagerImage();
    machine.Step(0, nullptr);
    const WindowMessage first = BlockReply(image, 0);
    machine.Step(1, &first);
    machine.Abandon();
    EXPECT_EQ(report.events, (std::vector<std::string>{"action 1204", "ended"}));
    const WindowMessage second = BlockReply(image, 1);
    machine.Step(2, &second);
    machine.Abandon();
    EXPECT_EQ(link.sent.size(), 2u);
    EXPECT_EQ(report.events.size(), 2u);

    // A new read starts again from block 0 with a cleared image.
    machine.Step(0, nullptr);
    EXPECT_EQ(Commands(link.sent), (std::vector<int>{0x60, 0x61, 0x60}));
}

TEST(ReadMachine, FailureOutsideTheStatusTextsEndsTheReadAndGoesOn)
{
    FakeLink link;
    RecordingReport report;
    report.onReadCompleted = [] { throw std::runtime_error("'x' is not a valid integer value"); };
    ReadMachine machine(link, report);
    const ConfigImage image = PagerImage();
    machine.Step(0, nullptr);
    for (int block = 0; block < 15; ++block) {
        const WindowMessage reply = BlockReply(image, block);
        machine.Step(std::uint16_t(block + 1), &reply);
    }
    const WindowMessage last = BlockReply(image, 15);
    EXPECT_THROW(machine.Step(16, &last), std::runtime_error);
    EXPECT_FALSE(machine.running());
    EXPECT_EQ(report.last(), "ended");
    EXPECT_EQ(report.events[report.events.size() - 2], "failed 1208");
}

TEST(ReadMachine, SilentPagerEndsTheRead)
{
    FakeLink link;
    RecordingReport report;
    ReadMachine machine(link, report);
    machine.limits.silence = std::chrono::milliseconds(50);
    machine.Step(0, nullptr);
    ASSERT_TRUE(WaitFor([&] { return !machine.running(); }));
    EXPECT_EQ(report.events, (std::vector<std::string>{"action 1204", "failed 1208", "ended"}));
}

}  // namespace
}  // namespace q9tx::testing
