// The write machine message by message: the header first, each block after the
// acknowledgement of the one before, the verdicts, the chip rule of recovery mode, and
// how long it waits.

#include <gtest/gtest.h>

#include "image/status_error.h"
#include "machine_test_support.h"
#include "transfer/write_machine.h"

namespace q9tx::testing {
namespace {

constexpr std::uint16_t kHeader = WriteMachine::kHeaderArrived;

// One message for the machine: a code, with the pager's block 0 for the header.
struct Msg {
    std::uint16_t code;
    int headerLength = int(kBlockSize);
};

std::vector<Msg> Acks(int first, int last)
{
    std::vector<Msg> acks;
    for (int code = first; code <= last; ++code)
        acks.push_back({std::uint16_t(code)});
    return acks;
}

std::vector<Msg> Then(std::vector<Msg> a, const std::vector<Msg>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct WriteCase {
    const char* name;
    std::vector<Msg> messages;
    std::vector<int> sent;
    std::vector<std::string> events;  // after "action 1204"
    bool running;
};

void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.name; }

const std::vector<int> kAllBlocks = [] {
    std::vector<int> commands{0x60};
    for (int command : Range(0x70, 0x7F))
        commands.push_back(command);
    return commands;
}();
const std::vector<std::string> kWritten = {"image", "action 1205"};

std::vector<std::string> Written(std::vector<std::string> after)
{
    std::vector<std::string> events = kWritten;
    events.insert(events.end(), after.begin(), after.end());
    return events;
}

std::vector<WriteCase> WriteCases()
{
    const std::vector<Msg> all = Then({{kHeader}}, Acks(1, 16));
    return {
        {"J then L", Then(all, {{AckVerifying}, {AckCompleted}}), kAllBlocks,
         Written({"action 1206", "write completed", "ended"}), false},
        {"L without J", Then(all, {{AckCompleted}}), kAllBlocks, Written({"write completed", "ended"}), false},
        {"J then K", Then(all, {{AckVerifying}, {AckFailedK}}), kAllBlocks,
         Written({"action 1206", "failed 1210", "ended"}), false},
        {"M", Then(all, {{AckFailedM}}), kAllBlocks, Written({"failed 1210", "ended"}), false},
        {"verdict awaited", all, kAllBlocks, Written({}), true},
        {"early L ends the write", {{kHeader}, {1}, {AckCompleted}}, {0x60, 0x70, 0x71},
         Written({"write completed", "ended"}), false},
        {"the acknowledgement's code picks the block", {{kHeader}, {1}, {5}}, {0x60, 0x70, 0x71, 0x75}, Written({}),
         true},
        {"verdict and acknowledgement before the header", {{AckCompleted}, {3}, {kHeader}}, {0x60, 0x70},
         Written({}), true},
        {"second header reply", {{kHeader}, {kHeader}, {1}}, {0x60, 0x70, 0x71}, Written({}), true},
        {"short header", {{kHeader, 20}, {1}}, {0x60}, {"failed 1208", "ended"}, false},
        {"empty header", {{kHeader, 0}}, {0x60}, {"failed 1208", "ended"}, false},
        {"header length above 32", {{kHeader, 40}}, {0x60}, {"failed 1208", "ended"}, false},
    };
}

class WriteMachineCases : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteMachineCases, SendsEachBlockAfterTheOneBefore)
{
    const WriteCase& c = GetParam();
    FakeLink link;
    RecordingReport report;
    report.toWrite = PagerImage();
    WriteMachine machine(link, report);
    const ConfigImage pager = PagerImage();

    machine.Step(0, nullptr);
    for (const Msg& msg : c.messages) {
        const WindowMessage header = BlockReply(pager, 0, msg.headerLength);
        machine.Step(msg.code, msg.code == kHeader ? &header : nullptr);
    }
    EXPECT_EQ(Commands(link.sent), c.sent);
    std::vector<std::string> expected = {"action 1204"};
    expected.insert(expected.end(), c.events.begin(), c.events.end());
    EXPECT_EQ(report.events, expected);
    EXPECT_EQ(machine.running(), c.running);
    // A message after the end belongs to no write.
    if (!c.running) {
        machine.Step(1, nullptr);
        machine.Step(AckCompleted, nullptr);
        EXPECT_EQ(report.events, expected);
        EXPECT_EQ(link.sent.size(), c.sent.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Messages, WriteMachineCases, ::testing::ValuesIn(WriteCases()),
                         [](const auto& info) { return CaseName(info.param.name); });

TEST(WriteMachine, SendsTheBuiltImageAroundThePagersOwnHeader)
{
    FakeLink link;
    RecordingReport report;
    ConfigImage pager = PagerImage();
    for (std::size_t i = kOriginWordOffset; i < kHeaderSize; ++i)
        pager[i] = std::uint8_t(0xA0 + i);
    for (std::size_t i = kHeaderSize; i < kImageSize; ++i)
        report.toWrite[i] = std::uint8_t(i * 7);
    WriteMachine machine(link, report);

    machine.Step(0, nullptr);
    const WindowMessage header = BlockReply(pager, 0);
    machine.Step(kHeader, &header);
    for (std::uint16_t code = 1; code <= kBlockCount; ++code)
        machine.Step(code, nullptr);
    machine.Step(AckCompleted, nullptr);

    ASSERT_EQ(link.sent.size(), 17u);
    EXPECT_TRUE(link.sent[0].payload.empty());
    ConfigImage sent{};
    for (std::size_t block = 0; block < kBlockCount; ++block) {
        ASSERT_EQ(link.sent[block + 1].payload.size(), kBlockSize);
        std::copy_n(link.sent[block + 1].payload.begin(), kBlockSize, sent.begin() + block * kBlockSize);
    }
    ConfigImage expected = report.toWrite;
    PutHeader(expected, HeaderOf(pager));
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(report.progress, 5 * 18);
}

// The bar may repaint at once (a window's progress bar does); the pager must not wait for that.
TEST(WriteMachine, NextFrameGoesOutBeforeTheProgressAdvances)
{
    FakeLink link;
    RecordingReport report;
    report.toWrite = PagerImage();
    std::vector<std::size_t> sentAtProgress;
    report.onProgress = [&] { sentAtProgress.push_back(link.sent.size()); };
    WriteMachine machine(link, report);
    machine.Step(0, nullptr);
    const WindowMessage header = BlockReply(PagerImage(), 0);
    std::vector<std::size_t> sentAfterStep;
    for (const Msg& msg : Then(Then({{kHeader}}, Acks(1, 16)), {{AckVerifying}, {AckCompleted}})) {
        machine.Step(msg.code, msg.code == kHeader ? &header : nullptr);
        sentAfterStep.push_back(link.sent.size());
    }
    EXPECT_EQ(report.last(), "ended");
    EXPECT_EQ(link.sent.size(), 17u);
    EXPECT_EQ(sentAtProgress, sentAfterStep);
}

TEST(WriteMachine, HeaderOfAnotherKindWritesNothing)
{
    for (const std::size_t offset : {std::size_t{0}, std::size_t{1}, std::size_t{2}}) {
        FakeLink link;
        RecordingReport report;
        ConfigImage pager = PagerImage();
        pager[offset] ^= 0x10;
        WriteMachine machine(link, report);
        machine.Step(0, nullptr);
        const WindowMessage header = BlockReply(pager, 0);
        machine.Step(kHeader, &header);
        EXPECT_EQ(Commands(link.sent), std::vector<int>{0x60}) << offset;
        EXPECT_EQ(report.events, (std::vector<std::string>{"action 1204", "failed 1103", "ended"})) << offset;
    }
}

struct FactoryCase {
    std::uint8_t chipByte;
    std::uint8_t filterByte;
    bool recovery;
    std::optional<int> chip;
    bool bs2;
    int filter;
    int preamble;
};

TEST(WriteMachine, TakesTheFactoryValuesAndTheChipOnlyOutsideRecoveryMode)
{
    const FactoryCase cases[] = {
        {0x82, 0x24, false, 2, true, 1, 1},
        {0x82, 0x24, true, std::nullopt, true, 1, 1},
        {0x01, 0xFC, false, 1, false, 7, 7},
        {0x7F, 0x00, false, 0x7F, false, 0, 0},
    };
    for (const FactoryCase& c : cases) {
        FakeLink link;
        RecordingReport report;
        report.recovery = c.recovery;
        ConfigImage pager = PagerImage();
        pager[kFactoryChipByteOffset] = c.chipByte;
        pager[kFactoryFilterByteOffset] = c.filterByte;
        WriteMachine machine(link, report);
        machine.Step(0, nullptr);
        const WindowMessage header = BlockReply(pager, 0);
        machine.Step(kHeader, &header);
        EXPECT_EQ(report.taken.pllChip, c.chip) << int(c.chipByte);
        EXPECT_EQ(report.taken.bs2Option, c.bs2) << int(c.chipByte);
        EXPECT_EQ(report.taken.filterStrength, c.filter) << int(c.filterByte);
        EXPECT_EQ(report.taken.preambleError, c.preamble) << int(c.filterByte);
    }
}

TEST(WriteMachine, ImageThatCannotBeBuiltWritesNothing)
{
    FakeLink link;
    RecordingReport report;
    report.onWriteImage = [] { throw StatusError(1600); };
    WriteMachine machine(link, report);
    machine.Step(0, nullptr);
    const WindowMessage header = BlockReply(PagerImage(), 0);
    machine.Step(kHeader, &header);
    EXPECT_EQ(Commands(link.sent), std::vector<int>{0x60});
    EXPECT_EQ(report.events, (std::vector<std::string>{"action 1204", "image", "failed 1600", "ended"}));
}

// Drives a write up to the acknowledgement of the last block.
void WriteAllBlocks(WriteMachine& machine)
{
    machine.Step(0, nullptr);
    const WindowMessage header = BlockReply(PagerImage(), 0);
    machine.Step(kHeader, &header);
    for (std::uint16_t code = 1; code <= kBlockCount; ++code)
        machine.Step(code, nullptr);
}

TEST(WriteMachine, VerifyingPagerIsGivenItsOwnLimit)
{
    FakeLink link;
    RecordingReport report;
    WriteMachine machine(link, report);
    machine.limits = {std::chrono::milliseconds(50), std::chrono::milliseconds(60'000)};
    WriteAllBlocks(machine);
    machine.Step(AckVerifying, nullptr);
    // Many times the silence limit: still waiting for the verdict.
    EXPECT_FALSE(WaitFor([&] { return !machine.running(); }, 400));
    machine.Step(AckCompleted, nullptr);
    EXPECT_EQ(report.last(), "ended");
    EXPECT_EQ(report.events[report.events.size() - 2], "write completed");
}

TEST(WriteMachine, LostVerdictAndLostAcknowledgementEndTheWrite)
{
    struct Case {
        bool verifying;
        std::chrono::milliseconds silence;
        std::chrono::milliseconds verdict;
    };
    // Each limit on its own: the other one is out of reach.
    for (const Case& c : {Case{false, std::chrono::milliseconds(50), std::chrono::milliseconds(60'000)},
                          Case{true, std::chrono::milliseconds(60'000), std::chrono::milliseconds(50)}}) {
        FakeLink link;
        RecordingReport report;
        WriteMachine machine(link, report);
        machine.limits = {c.silence, c.verdict};
        WriteAllBlocks(machine);
        if (c.verifying)
            machine.Step(AckVerifying, nullptr);
        ASSERT_TRUE(WaitFor([&] { return !machine.running(); })) << c.verifying;
        EXPECT_EQ(report.events[report.events.size() - 2], "failed 1210");
        EXPECT_EQ(link.sent.size(), 17u);
    }
}

TEST(WriteMachine, NewWriteStartsAfresh)
{
    FakeLink link;
    RecordingReport report;
    WriteMachine machine(link, report);
    WriteAllBlocks(machine);
    machine.Step(AckVerifying, nullptr);
    machine.Abandon();
    EXPECT_EQ(report.last(), "ended");

    // The next write waits for its own header again, with the ordinary limit.
    machine.limits.silence = std::chrono::milliseconds(50);
    machine.Step(0, nullptr);
    machine.Step(1, nullptr);
    EXPECT_EQ(link.sent.size(), 18u);
    ASSERT_TRUE(WaitFor([&] { return !machine.running(); }));
    EXPECT_EQ(report.events[report.events.size() - 2], "failed 1210");
}

}  // namespace
}  // namespace q9tx::testing
