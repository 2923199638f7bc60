#include "simulated_pager.h"

#include <gtest/gtest.h>

#include "link/posix/posix_serial_port.h"
#include "serial_test_support.h"

namespace q9tx::sim {
namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

const std::vector<std::uint8_t> kPoll = {0x7E, 0x7E, 0x4E, 0x00, 0x2E, 0xC3};
const std::vector<std::uint8_t> kPollAnswer = {0x7E, 0x7E, 0x4F, 0x00, 0x1D, 0xF2};
const std::vector<std::uint8_t> kReadBlock0 = {0x7E, 0x7E, 0x60, 0x00, 0x0B, 0x2A};

// The programmer's side: our serial port on the simulator's slave.
class Programmer {
public:
    explicit Programmer(const std::string& path)
    {
        port.SetReceiveHandler([this](const std::uint8_t* bytes, std::size_t count) {
            received.insert(received.end(), bytes, bytes + count);
        });
        opened = port.OpenPort(path);
    }
    bool send(const std::vector<std::uint8_t>& frame) { return port.WritePort(frame.data(), frame.size()); }
    // Time until `count` bytes have arrived, or nothing when they do not.
    std::optional<milliseconds> awaitBytes(std::size_t count, milliseconds limit = milliseconds(2000))
    {
        const auto start = Clock::now();
        if (!test::PumpUntil([&] { return received.size() >= count; }, limit)) {
            return std::nullopt;
        }
        return std::chrono::duration_cast<milliseconds>(Clock::now() - start);
    }

    PosixSerialPort port;
    std::vector<std::uint8_t> received;
    bool opened = false;
};

TEST(SimulatedPager, AnswersPollsAcrossReopenedPortsAndRecordsThem)
{
    SimulatedPager pager;
    ASSERT_TRUE(pager.start()) << pager.error();
    for (int round = 0; round < 3; ++round) {
        Programmer programmer(pager.slavePath());
        ASSERT_TRUE(programmer.opened) << round;
        ASSERT_TRUE(programmer.send(kPoll));
        ASSERT_TRUE(programmer.awaitBytes(kPollAnswer.size())) << round;
        EXPECT_EQ(programmer.received, kPollAnswer);
    }
    EXPECT_EQ(pager.receivedFrames(), (std::vector<ReceivedFrame>(3, {0x4E, {}})));
}

TEST(SimulatedPager, TimingFollowsPacingAndDelays)
{
    const struct {
        const char* name;
        bool paced;
        milliseconds replyDelay;
        milliseconds atLeast;
        milliseconds below;
    } cases[] = {
        // Upper bounds are loose because sanitizer builds run several times slower.
        {"all at once", false, milliseconds(0), milliseconds(0), milliseconds(75)},
        {"38 bytes at 4800 baud", true, milliseconds(0), milliseconds(75), milliseconds(1000)},
        {"delayed reply", false, milliseconds(300), milliseconds(295), milliseconds(1000)},
    };
    for (const auto& c : cases) {
        SimulatedPager pager;
        pager.setPaced(c.paced);
        PagerFaults faults;
        faults.replyDelay = c.replyDelay;
        pager.setFaults(faults);
        ASSERT_TRUE(pager.start()) << pager.error();
        Programmer programmer(pager.slavePath());
        ASSERT_TRUE(programmer.send(kReadBlock0));
        const auto took = programmer.awaitBytes(38);
        ASSERT_TRUE(took) << c.name;
        EXPECT_GE(*took, c.atLeast) << c.name;
        EXPECT_LT(*took, c.below) << c.name;
        const ImageBytes image = pager.image();
        EXPECT_EQ(std::vector<std::uint8_t>(programmer.received.begin() + 4, programmer.received.end() - 2),
                  std::vector<std::uint8_t>(image.begin(), image.begin() + 32))
            << c.name;
    }
}

TEST(SimulatedPager, PacedWireTimesFollowTheBaudRateBothWays)
{
    const auto byteTime = std::chrono::nanoseconds(2083333);
    SimulatedPager pager;
    pager.setPaced(true);
    ASSERT_TRUE(pager.start()) << pager.error();
    Programmer programmer(pager.slavePath());
    // Two frames in one write queue up behind each other on the wire.
    std::vector<std::uint8_t> twoFrames = kPoll;
    twoFrames.insert(twoFrames.end(), kReadBlock0.begin(), kReadBlock0.end());
    ASSERT_TRUE(programmer.send(twoFrames));
    ASSERT_TRUE(programmer.awaitBytes(6 + 38));

    const std::vector<WireEvent> events = pager.wireEvents();
    ASSERT_EQ(events.size(), 4u);
    const struct {
        bool fromHost;
        std::uint8_t command;
    } expected[] = {{true, 0x4E}, {true, 0x60}, {false, 0x4F}, {false, 0x60}};
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].fromHost, expected[i].fromHost) << i;
        EXPECT_EQ(events[i].command, expected[i].command) << i;
    }
    EXPECT_EQ(events[0].last - events[0].first, 6 * byteTime);
    EXPECT_EQ(events[1].last - events[0].last, 6 * byteTime);
    // O goes out when the poll has arrived, not when it was written; the block reply
    // follows once O is through, even though its request arrived meanwhile.
    EXPECT_GE(events[2].last - events[0].last, 6 * byteTime);
    EXPECT_GE(events[3].last - events[0].last, 44 * byteTime);
}

TEST(SimulatedPager, UnpluggedPagerLooksGoneNotBroken)
{
    SimulatedPager pager;
    ASSERT_TRUE(pager.start()) << pager.error();
    Programmer programmer(pager.slavePath());
    ASSERT_TRUE(programmer.send(kPoll));
    ASSERT_TRUE(programmer.awaitBytes(kPollAnswer.size()));

    pager.unplug();
    EXPECT_FALSE(pager.running());
    test::PumpUntil([] { return false; }, milliseconds(100));
    EXPECT_FALSE(programmer.send(kPoll));
    EXPECT_EQ(programmer.received, kPollAnswer);
    EXPECT_TRUE(programmer.port.IsOpen());
    programmer.port.ClosePort();

    // Plugged in again: a new pager on a new device path.
    ASSERT_TRUE(pager.start()) << pager.error();
    Programmer again(pager.slavePath());
    ASSERT_TRUE(again.send(kPoll));
    EXPECT_TRUE(again.awaitBytes(kPollAnswer.size()));
}

}  // namespace
}  // namespace q9tx::sim
