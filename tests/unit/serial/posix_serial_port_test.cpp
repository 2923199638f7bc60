#include "link/posix/posix_serial_port.h"

#include <gtest/gtest.h>
#include <atomic>
#include <numeric>
#include <thread>

#include "serial_test_support.h"

namespace q9tx {
namespace {

using test::PseudoTerminal;
using test::PumpUntil;

// Collects everything the port hands over, and the size of each hand-over.
struct Received {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> handOvers;

    void attach(PosixSerialPort& port)
    {
        port.SetReceiveHandler([this](const std::uint8_t* data, std::size_t count) {
            bytes.insert(bytes.end(), data, data + count);
            handOvers.push_back(count);
        });
    }
};

TEST(PosixSerialPort, PortPathKeepsDevicesInsideDev)
{
    const struct {
        const char* name;
        const char* path;
    } cases[] = {
        {"ttyUSB0", "/dev/ttyUSB0"},     {"ttyUSB10", "/dev/ttyUSB10"}, {"pts/3", "/dev/pts/3"},
        {"/tmp/x/tty", "/tmp/x/tty"},    {"", ""},                      {"..", ""},
        {"../etc/passwd", ""},           {"pts/../../etc", ""},         {"..ttyS0", "/dev/..ttyS0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PosixSerialPort::PortPath(c.name), c.path) << c.name;
    }
}

TEST(PosixSerialPort, RefusedOpensSayWhyAndLeaveNothingOpen)
{
    const std::size_t descriptorsBefore = test::OpenDescriptorCount();
    const struct {
        std::string name;
        OpenFailure failure;
    } cases[] = {
        {"ttyQ9TXMissing", OpenFailure::NotFound},
        {"/dev/q9tx/missing", OpenFailure::NotFound},
        {"", OpenFailure::NotFound},
        {"../etc/hostname", OpenFailure::NotFound},
        {"/dev/null", OpenFailure::NotSerial},  // a character device, but no tty
        {"/tmp", OpenFailure::Other},
    };
    for (const auto& c : cases) {
        PosixSerialPort port;
        EXPECT_FALSE(port.OpenPort(c.name)) << c.name;
        EXPECT_FALSE(port.IsOpen()) << c.name;
        EXPECT_EQ(port.LastOpenFailure(), c.failure) << c.name;
        EXPECT_FALSE(port.WritePort(reinterpret_cast<const std::uint8_t*>("N"), 1)) << c.name;
        EXPECT_TRUE(port.ClosePort()) << c.name;
    }
    EXPECT_EQ(test::OpenDescriptorCount(), descriptorsBefore);
}

TEST(PosixSerialPort, OpenPortsAreNotTakenOver)
{
    PseudoTerminal pty;
    PseudoTerminal spare;
    PosixSerialPort holder;
    PosixSerialPort other;
    Received received;
    received.attach(holder);
    ASSERT_TRUE(holder.OpenPort(pty.slavePath()));
    // A second open on the same object keeps the first port.
    EXPECT_FALSE(holder.OpenPort(spare.slavePath()));
    EXPECT_TRUE(holder.IsOpen());

    EXPECT_FALSE(other.OpenPort(pty.slavePath()));
    EXPECT_EQ(other.LastOpenFailure(), OpenFailure::Busy);
    // Neither refused open may have disturbed the holder's port or line settings.
    ASSERT_TRUE(pty.send({0x0D, 0x0A, 0x03}));
    ASSERT_TRUE(PumpUntil([&] { return received.bytes.size() == 3; }));
    EXPECT_EQ(received.bytes, (std::vector<std::uint8_t>{0x0D, 0x0A, 0x03}));

    ASSERT_TRUE(holder.ClosePort());
    EXPECT_TRUE(other.OpenPort(pty.slavePath()));
    EXPECT_EQ(other.LastOpenFailure(), OpenFailure::None);
}

TEST(PosixSerialPort, EveryByteValuePassesUnchangedBothWays)
{
    PseudoTerminal pty;  // the slave starts in the cooked terminal mode
    PosixSerialPort port;
    Received received;
    received.attach(port);
    ASSERT_TRUE(port.OpenPort(pty.slavePath()));
    std::vector<std::uint8_t> all(256);
    std::iota(all.begin(), all.end(), 0);

    ASSERT_TRUE(port.WritePort(all.data(), all.size()));
    EXPECT_EQ(pty.receive(all.size()), all);
    // Nothing echoed back to the sender.
    EXPECT_TRUE(pty.receive(1, std::chrono::milliseconds(50)).empty());

    ASSERT_TRUE(pty.send(all));
    EXPECT_TRUE(PumpUntil([&] { return received.bytes.size() >= all.size(); }));
    EXPECT_EQ(received.bytes, all);
}

TEST(PosixSerialPort, SplitAndJoinedFramesArriveInOrder)
{
    PseudoTerminal pty;
    PosixSerialPort port;
    Received received;
    received.attach(port);
    ASSERT_TRUE(port.OpenPort(pty.slavePath()));

    const std::vector<std::vector<std::uint8_t>> pieces = {
        {0x7E}, {0x7E, 0x4F}, {0x00, 0x1D}, {0xF2, 0x7E, 0x7E, 0x4F, 0x00, 0x1D, 0xF2, 0x7E, 0x7E, 0x46, 0x00, 0xA7, 0x6A},
        {0x7E, 0x7E, 0x48, 0x00}, {0x84}, {0x65},
    };
    std::vector<std::uint8_t> expected;
    for (const auto& piece : pieces) {
        ASSERT_TRUE(pty.send(piece));
        expected.insert(expected.end(), piece.begin(), piece.end());
        PumpUntil([&] { return received.bytes.size() == expected.size(); }, std::chrono::milliseconds(500));
    }
    EXPECT_EQ(received.bytes, expected);
}

TEST(PosixSerialPort, BytesPilingUpWhileTheMainThreadIsBusyAllArrive)
{
    PseudoTerminal pty;
    PosixSerialPort port;
    Received received;
    received.attach(port);
    ASSERT_TRUE(port.OpenPort(pty.slavePath()));

    std::vector<std::uint8_t> sent(1000);
    for (std::size_t i = 0; i < sent.size(); ++i) {
        sent[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    }
    ASSERT_TRUE(pty.send(sent));
    QThread::msleep(200);  // the main thread is busy: the ring fills long before the parser runs

    EXPECT_TRUE(PumpUntil([&] { return received.bytes.size() >= sent.size(); }));
    EXPECT_EQ(received.bytes, sent);
    for (std::size_t count : received.handOvers) {
        EXPECT_LE(count, 127u);
    }
}

TEST(PosixSerialPort, CloseWhileDataFlowsEndsTheThreadAndDeliversNothingMore)
{
    PseudoTerminal pty;
    std::atomic<bool> sending{true};
    std::thread sender([&] {
        const std::vector<std::uint8_t> chunk(64, 0x55);
        while (sending.load()) {
            // Whether a chunk gets through does not matter, only that data keeps coming.
            [[maybe_unused]] const ssize_t written = ::write(pty.master(), chunk.data(), chunk.size());
            QThread::usleep(500);
        }
    });
    {
        PosixSerialPort port;
        Received received;
        received.attach(port);
        ASSERT_TRUE(port.OpenPort(pty.slavePath()));
        ASSERT_TRUE(PumpUntil([&] { return received.bytes.size() > 500; }));
        EXPECT_TRUE(port.ClosePort());
        EXPECT_FALSE(port.IsOpen());
        const std::size_t atClose = received.bytes.size();
        PumpUntil([] { return false; }, std::chrono::milliseconds(100));
        EXPECT_EQ(received.bytes.size(), atClose);
    }
    sending = false;
    sender.join();
    EXPECT_TRUE(PumpUntil([&] { return test::ReceiveThreadCount() == 0; }));
}

TEST(PosixSerialPort, DestroyedWhileAHandOverIsQueuedNeitherHangsNorDelivers)
{
    PseudoTerminal pty;
    bool delivered = false;
    {
        PosixSerialPort port;
        port.SetReceiveHandler([&](const std::uint8_t*, std::size_t) { delivered = true; });
        ASSERT_TRUE(port.OpenPort(pty.slavePath()));
        ASSERT_TRUE(pty.send({1, 2, 3}));
        QThread::msleep(100);  // the thread is now blocked in its hand-over to this thread
    }
    PumpUntil([] { return false; }, std::chrono::milliseconds(50));
    EXPECT_FALSE(delivered);
}

TEST(PosixSerialPort, HandlerMayCloseAndReopenThePort)
{
    PseudoTerminal pty;
    PosixSerialPort port;
    int handOvers = 0;
    port.SetReceiveHandler([&](const std::uint8_t*, std::size_t) {
        ++handOvers;
        port.ClosePort();
        port.OpenPort(pty.slavePath());
    });
    ASSERT_TRUE(port.OpenPort(pty.slavePath()));
    ASSERT_TRUE(pty.send({0x7E}));
    ASSERT_TRUE(PumpUntil([&] { return handOvers == 1; }));
    EXPECT_TRUE(port.IsOpen());
    ASSERT_TRUE(pty.send({0x7E}));
    EXPECT_TRUE(PumpUntil([&] { return handOvers == 2; }));
}

TEST(PosixSerialPort, VanishedDeviceIsQuietUntilClosed)
{
    PseudoTerminal pty;
    PosixSerialPort port;
    Received received;
    received.attach(port);
    ASSERT_TRUE(port.OpenPort(pty.slavePath()));
    ASSERT_TRUE(pty.send({0x7E, 0x7E}));
    ASSERT_TRUE(PumpUntil([&] { return received.bytes.size() == 2; }));

    pty.closeMaster();
    const double cpuBefore = test::ProcessCpuMilliseconds();
    PumpUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_LT(test::ProcessCpuMilliseconds() - cpuBefore, 100.0) << "the receive thread spins on the hang-up";

    const std::uint8_t poll[] = {0x7E, 0x7E, 0x4E, 0x00, 0x2E, 0xC3};
    EXPECT_FALSE(port.WritePort(poll, sizeof poll));
    EXPECT_TRUE(port.IsOpen());
    port.ClosePort();
    EXPECT_FALSE(port.IsOpen());
}

// The link hears of a hang-up once, after the bytes received before it, and may close the
// port from the report.
TEST(PosixSerialPort, HangUpIsReportedOnceAfterTheBytesBeforeIt)
{
    PseudoTerminal pty;
    PosixSerialPort port;
    Received received;
    received.attach(port);
    std::vector<std::size_t> bytesAtHangUp;
    port.SetHangUpHandler([&] {
        bytesAtHangUp.push_back(received.bytes.size());
        port.ClosePort();
    });
    ASSERT_TRUE(port.OpenPort(pty.slavePath()));
    ASSERT_TRUE(pty.send({0x7E, 0x7E, 0x4F}));
    ASSERT_TRUE(PumpUntil([&] { return received.bytes.size() == 3; }));
    EXPECT_TRUE(bytesAtHangUp.empty());

    pty.closeMaster();
    ASSERT_TRUE(PumpUntil([&] { return !bytesAtHangUp.empty(); }));
    PumpUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(bytesAtHangUp, std::vector<std::size_t>{3});
    EXPECT_FALSE(port.IsOpen());
}

// A hang-up still queued when its port is closed and another opened is not taken for a
// hang-up of the new port; the new port's own hang-up is reported.
TEST(PosixSerialPort, HangUpOfAClosedPortIsNotReportedForTheNextOne)
{
    PseudoTerminal first;
    PseudoTerminal second;
    PosixSerialPort port;
    int hangUps = 0;
    port.SetHangUpHandler([&] { ++hangUps; });
    ASSERT_TRUE(port.OpenPort(first.slavePath()));
    first.closeMaster();
    // No events are processed here, so the first port's notice stays queued.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_TRUE(port.ClosePort());
    ASSERT_TRUE(port.OpenPort(second.slavePath()));
    PumpUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(hangUps, 0);

    second.closeMaster();
    EXPECT_TRUE(PumpUntil([&] { return hangUps == 1; }));
    PumpUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(hangUps, 1);
}

TEST(PosixSerialPort, StuckLineLosesTheFrameInsteadOfBlocking)
{
    PseudoTerminal pty;  // nobody reads the master, so the output queue fills up
    PosixSerialPort port;
    ASSERT_TRUE(port.OpenPort(pty.slavePath()));
    const std::vector<std::uint8_t> frame(38, 0x7E);
    bool lost = false;
    for (int i = 0; i < 200000 && !lost; ++i) {
        const auto start = std::chrono::steady_clock::now();
        lost = !port.WritePort(frame.data(), frame.size());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    }
    EXPECT_TRUE(lost);
}

TEST(PosixSerialPort, RepeatedOpenAndCloseLeaksNoDescriptorsOrThreads)
{
    PseudoTerminal pty;
    const std::size_t descriptorsBefore = test::OpenDescriptorCount();
    {
        PosixSerialPort port;
        Received received;
        received.attach(port);
        for (int round = 0; round < 40; ++round) {
            ASSERT_TRUE(port.OpenPort(pty.slavePath())) << round;
            ASSERT_TRUE(pty.send({static_cast<std::uint8_t>(round)}));
            ASSERT_TRUE(PumpUntil([&] { return received.bytes.size() == static_cast<std::size_t>(round + 1); }));
            ASSERT_GE(test::ReceiveThreadCount(), 1u);
            ASSERT_TRUE(port.ClosePort());
        }
        // An ending thread still holds Qt's own wake-up descriptor for a moment.
        EXPECT_TRUE(PumpUntil([&] { return test::OpenDescriptorCount() == descriptorsBefore; }));
    }
    EXPECT_TRUE(PumpUntil([&] { return test::ReceiveThreadCount() == 0; }));
    EXPECT_EQ(test::OpenDescriptorCount(), descriptorsBefore);
}

}  // namespace
}  // namespace q9tx
