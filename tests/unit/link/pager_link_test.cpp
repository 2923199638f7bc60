#include <gtest/gtest.h>

#include "link/pager_link.h"
#include "link_test_doubles.h"

namespace q9tx {
namespace {

using testing::Bytes;
using testing::Frame;
using Codes = std::vector<std::uint32_t>;

// The link and a pager on pagerPort that answers N with O and H with its identification
// before the next tick.
struct LinkBench {
    explicit LinkBench(std::vector<std::string> ports, std::string pager = "ttyUSB0") : pagerPort(pager)
    {
        discovery.ports = std::move(ports);
        link.StartLink(&sink);
    }
    void Tick(int count = 1)
    {
        for (int i = 0; i < count; ++i, ++ticks) {
            link.LinkTick();
            Answer();
        }
    }
    // The pager answers what was sent since it last answered, as it does between two ticks.
    void Answer()
    {
        while (answered < port.written.size()) {
            const auto [portName, frame] = port.written[answered++];
            if (pagerPresent && portName == pagerPort && frame[2] == 'N')
                port.Receive(Frame('O'));
            else if (pagerPresent && portName == pagerPort && frame[2] == 'H')
                port.Receive(Frame('H', identification));
        }
    }
    void Connect()
    {
        for (int i = 0; i < 100 && link.State() != lsConnected; ++i)
            Tick();
        ASSERT_EQ(link.State(), lsConnected);
    }
    std::size_t Sent(std::uint8_t command, const std::string& portName) const
    {
        return std::size_t(std::count_if(port.written.begin(), port.written.end(), [&](const auto& w) {
            return w.first == portName && w.second[2] == command;
        }));
    }

    std::string pagerPort;
    bool pagerPresent = true;
    Bytes identification{0x08, 0x00, 0x01, 0x00, 0x07, 0x02};
    testing::FakeSerialPort port;
    testing::FakeDiscovery discovery;
    testing::RecordingSink sink;
    PagerLink link{port, discovery};
    std::size_t answered = 0;
    int ticks = 0;
};

const WindowMessage kDeviceChange{WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0, {}};

TEST(PagerLink, ReceivedFramesBecomeMessagesWithTheirOwnCopy)
{
    LinkBench bench({"ttyUSB0"});
    bench.pagerPresent = false;
    bench.Tick();
    const struct {
        std::uint8_t sent;  // the frame outstanding when the case's frame arrives
        std::uint8_t command;
        Bytes payload;
        int message;  // 0: nothing posted
        std::uint32_t code;
        bool answers;  // the frame is the answer to what was sent
    } cases[] = {
        {0x60, 0x60, Bytes(32, 0xA0), WM_PAGER_BLOCK, 1, true}, {0x63, 0x6F, {5}, WM_PAGER_BLOCK, 16, true},
        {0x70, 0x70, {}, WM_PAGER_ACK, 1, true},                 {0x7E, 0x7F, {1}, WM_PAGER_ACK, 16, true},
        {'N', 'J', {}, WM_PAGER_ACK, AckVerifying, false},       {'N', 'M', {}, WM_PAGER_ACK, AckFailedM, false},
        {'N', 0x80, {}, 0, 0, false},                            {'N', 0x5F, {}, 0, 0, false},
        {'F', 'F', {'x'}, 0, 0, true},                           {'H', 'H', {8, 0}, 0, 0, true},  // not while polling
        {0x70, 0x60, {}, WM_PAGER_BLOCK, 1, false},
    };
    for (const auto& c : cases) {
        bench.sink.messages.clear();
        bench.link.SendFrame(c.sent, nullptr, 0);
        bench.port.Receive(Frame(c.command, c.payload));
        EXPECT_EQ(bench.link.ReplyAwaited(), !c.answers) << int(c.command);
        EXPECT_EQ(bench.sink.Codes(c.message), c.message ? Codes{c.code} : Codes{}) << int(c.command);
        if (c.message != 0) {
            const std::size_t frameSize = c.message == WM_PAGER_BLOCK ? c.payload.size() + 1 : 0;
            EXPECT_EQ(bench.sink.messages[0].frame.size(), frameSize) << int(c.command);
        }
    }

    bench.sink.messages.clear();
    Bytes damaged = Frame(0x60, Bytes(32, 0x55));
    damaged[10] ^= 0x01;
    bench.link.SendFrame('N', nullptr, 0);
    bench.port.Receive(damaged);
    EXPECT_TRUE(bench.sink.messages.empty());
    EXPECT_TRUE(bench.link.ReplyAwaited());

    Bytes two = Frame(0x60, Bytes(32, 0xA0));
    for (const std::uint8_t byte : Frame(0x61, Bytes(32, 0xB1)))
        two.push_back(byte);
    bench.port.Receive(two);
    ASSERT_EQ(bench.sink.messages.size(), 2u);
    EXPECT_EQ(bench.sink.messages[0].payload(31), 0xA0);
    EXPECT_EQ(bench.sink.messages[1].payload(31), 0xB1);
}

TEST(PagerLink, FindsThePagerOnTheSecondPortWithoutHelp)
{
    LinkBench bench({"ttyUSB0", "ttyUSB1"}, "ttyUSB1");
    for (int tick = 1; tick <= 20; ++tick) {
        bench.Tick();
        ASSERT_EQ(bench.Sent('N', "ttyUSB0"), std::size_t(tick));
    }
    EXPECT_TRUE(bench.sink.messages.empty());
    bench.Tick();
    EXPECT_EQ(bench.port.opened, (std::vector<std::string>{"ttyUSB0", "ttyUSB1"}));
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK), Codes{LinkPagerSupported});
    EXPECT_EQ(bench.sink.messages[0].frame, (Bytes{6, 0x08, 0x00, 0x01, 0x00, 0x07, 0x02}));
    EXPECT_EQ(bench.link.CurrentPortName(), "ttyUSB1");
}

TEST(PagerLink, WalkKeepsAnOpenPortAndReopensItAfterAFailedAttemptElsewhere)
{
    LinkBench single({"ttyUSB0"});
    single.pagerPresent = false;
    single.Tick(100);
    EXPECT_EQ(single.port.opened, std::vector<std::string>{"ttyUSB0"});
    EXPECT_EQ(single.Sent('N', "ttyUSB0"), 100u);

    LinkBench two({"ttyUSB0", "ttyUSB1"});
    two.pagerPresent = false;
    two.port.refusals["ttyUSB1"] = OpenFailure::NotFound;
    two.Tick(41);
    EXPECT_EQ(two.port.opened, (std::vector<std::string>{"ttyUSB0", "ttyUSB0"}));
    EXPECT_EQ(two.Sent('N', "ttyUSB0"), 21u);
}

TEST(PagerLink, PagerLostExactly40TicksAfterTheFirstUnansweredFrame)
{
    LinkBench bench({"ttyUSB0"});
    bench.Connect();
    bench.Tick(120);  // answered keep-alives every 40 ticks
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK), Codes{LinkPagerSupported});
    bench.pagerPresent = false;
    const std::size_t before = bench.port.written.size();
    while (bench.port.written.size() == before && bench.ticks < 300)
        bench.Tick();
    const int firstUnanswered = bench.ticks;
    while (bench.sink.messages.size() < 2 && bench.ticks < 300)
        bench.Tick();
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK), (Codes{LinkPagerSupported, LinkPagerLost}));
    EXPECT_EQ(bench.ticks - firstUnanswered, 40);

    const std::size_t polls = bench.Sent('N', "ttyUSB0");
    bench.Tick(5);
    EXPECT_EQ(bench.Sent('N', "ttyUSB0"), polls + 5) << "N on every tick on the same port";
    bench.pagerPresent = true;
    bench.Tick();
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK).back(), LinkPagerSupported);
    EXPECT_EQ(bench.port.opened.size(), 1u);
}

TEST(PagerLink, WatchedPagerIsAskedOnEveryTickAndLostSoonAfterItFallsSilent)
{
    LinkBench bench({"ttyUSB0"});
    bench.Connect();
    bench.link.WatchForRemoval();
    bench.Answer();
    const std::size_t polls = bench.Sent('N', "ttyUSB0");
    bench.Tick(60);
    EXPECT_EQ(bench.Sent('N', "ttyUSB0"), polls + 60) << "N on every tick while it answers";
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK), Codes{LinkPagerSupported});
    bench.pagerPresent = false;
    const int silentFrom = bench.ticks;
    while (bench.sink.messages.size() < 2 && bench.ticks < silentFrom + 40)
        bench.Tick();
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK), (Codes{LinkPagerSupported, LinkPagerLost}));
    EXPECT_LE(bench.ticks - silentFrom, PagerLink::kRemovalTicks + 1);
    // The next pager is identified as a pager of its own, and no longer watched.
    bench.pagerPresent = true;
    bench.Tick(3);
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK).back(), LinkPagerSupported);
    const std::size_t keepAlives = bench.Sent('N', "ttyUSB0");
    bench.Tick(20);
    EXPECT_EQ(bench.Sent('N', "ttyUSB0"), keepAlives);
}

TEST(PagerLink, LateKeepAliveAnswerDoesNotHideALostBlockReply)
{
    LinkBench bench({"ttyUSB0"});
    bench.Connect();
    bench.pagerPresent = false;  // answers nothing more by itself
    bench.link.SendFrame('N', nullptr, 0);
    bench.Tick(10);
    bench.link.SendFrame(0x60, nullptr, 0);
    bench.port.Receive(Frame('O'));  // the keep-alive's answer, late
    bench.Tick(39);
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK), Codes{LinkPagerSupported});
    bench.Tick();
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK), (Codes{LinkPagerSupported, LinkPagerLost}));
}

TEST(PagerLink, OnlyAnAnswerToTheLastFrameCountsAsOne)
{
    const struct {
        std::uint8_t sent;
        std::uint8_t received;
        bool answered;
    } cases[] = {
        {'N', 'O', true},   {'N', 0x60, false}, {0x63, 0x68, true},  {0x63, 0x73, false}, {0x75, 0x75, true},
        {0x75, 0x65, false}, {0x7F, 'J', true}, {0x7F, 'L', true},   {0x7F, 'K', true},   {0x7F, 'M', true},
        {0x7F, 'O', false}, {0x60, 'L', false}, {'H', 'H', true},    {'H', 'O', false},
    };
    for (const auto& c : cases) {
        LinkBench bench({"ttyUSB0"});
        bench.Connect();
        bench.pagerPresent = false;
        bench.link.SendFrame(c.sent, nullptr, 0);
        bench.port.Receive(Frame(c.received));
        bench.Tick(40);
        const bool lost = bench.sink.Codes(WM_PAGER_LINK).back() == LinkPagerLost;
        EXPECT_EQ(lost, !c.answered) << int(c.sent) << " answered by " << int(c.received);
    }
}

TEST(PagerLink, EveryModelCheckResultConnects)
{
    const std::pair<Bytes, std::uint32_t> cases[] = {
        {{0x08, 0x00, 0, 0, 7, 0}, LinkPagerSupported},
        {{0x08, 0x01, 0, 0, 7, 0}, LinkMapVersionTooNew},
        {{0x09, 0x00, 0, 0, 7, 0}, LinkPagerUnsupported},
        {{}, LinkPagerUnsupported},
        {{0x08}, LinkPagerUnsupported},  // no map version to check
    };
    for (const auto& [identification, code] : cases) {
        LinkBench bench({"ttyUSB0"});
        bench.identification = identification;
        bench.Connect();
        bench.port.Receive(Frame('F', {'V', '2', 0}));
        bench.port.Receive(Frame('H', identification));  // ignored once connected
        EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK), (Codes{code, LinkInformationText}));
        EXPECT_EQ(bench.sink.messages.back().frame, (Bytes{3, 'V', '2', 0}));
        bench.Tick(40);
        EXPECT_EQ(bench.Sent('N', "ttyUSB0"), 2u) << "keep-alive follows";
    }

    constexpr std::uint8_t models[] = {0x05, 0x08};
    const SupportedPagerTable table{models, 2, 3};
    EXPECT_EQ(CheckPagerModel({2, 0x05, 0x01}, table), LinkPagerUnsupported);
    EXPECT_EQ(CheckPagerModel({2, 0x08, 0x02}, table), LinkPagerSupported);
    EXPECT_EQ(CheckPagerModel({2, 0x05, 0x04}, table), LinkMapVersionTooNew);
}

TEST(PagerLink, AdapterUnpluggedOrAddedWhileConnected)
{
    LinkBench bench({"ttyUSB0"});
    bench.Connect();
    bench.discovery.ports = {"ttyACM0", "ttyUSB0"};
    bench.discovery.nextEvent = DeviceEvent::PortArrival;
    EXPECT_TRUE(bench.link.HandleDeviceEvent(kDeviceChange));
    bench.Tick();
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK), (Codes{LinkPagerSupported, LinkPagerSupported}));
    EXPECT_EQ(bench.port.opened, std::vector<std::string>{"ttyUSB0"});

    bench.discovery.ports.clear();
    bench.discovery.nextEvent = DeviceEvent::PortRemoval;
    EXPECT_TRUE(bench.link.HandleDeviceEvent(kDeviceChange));
    EXPECT_FALSE(bench.port.IsOpen());
    EXPECT_FALSE(bench.link.Identified());
    EXPECT_EQ(bench.link.State(), lsNoAdapter);
    bench.Tick();
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK), (Codes{3, 3, LinkPagerLost, LinkNoAdapter}));
}

TEST(PagerLink, WritesHeldBackUntilTheAnnouncedRemoval)
{
    LinkBench bench({"ttyUSB0", "ttyUSB1"});
    bench.Connect();
    bench.discovery.nextEvent = DeviceEvent::RemovalUnderWay;
    EXPECT_FALSE(bench.link.HandleDeviceEvent(kDeviceChange));
    const std::size_t before = bench.port.written.size();
    bench.link.SendFrame(0x60, nullptr, 0);
    EXPECT_EQ(bench.port.written.size(), before);
    EXPECT_TRUE(bench.link.ReplyAwaited());

    bench.discovery.ports = {"ttyUSB0"};  // the other adapter went
    bench.discovery.nextEvent = DeviceEvent::PortRemoval;
    EXPECT_TRUE(bench.link.HandleDeviceEvent(kDeviceChange));
    bench.Tick();
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK), (Codes{LinkPagerSupported, LinkPagerSupported}));
}

TEST(PagerLink, ShutdownSignsOffOnlyAfterThePagerAnswered)
{
    for (const bool pagerPresent : {true, false}) {
        LinkBench bench({"ttyUSB0"});
        bench.pagerPresent = pagerPresent;
        bench.Tick(5);
        const std::size_t before = bench.port.written.size();
        bench.link.StopLink();
        EXPECT_FALSE(bench.port.IsOpen());
        EXPECT_EQ(bench.port.written.size(), before + pagerPresent);
        const Bytes signOff{0x7E, 0x7E, 0x49, 0x00, 0xB7, 0x54};
        EXPECT_EQ(bench.port.written.back().second == signOff, pagerPresent);
        const std::size_t messages = bench.sink.messages.size();
        bench.link.LinkTick();
        EXPECT_EQ(bench.sink.messages.size(), messages) << "nothing posted after shutdown";
    }
}

// No removal event comes for a port that hangs up: the link lets it go as if removed
// and probes again, the same name included, a probe period later.
TEST(PagerLink, HungUpPortIsLetGoAndProbedAgain)
{
    for (const bool connected : {true, false}) {
        SCOPED_TRACE(connected ? "pager connected" : "polling");
        LinkBench bench({"ttyUSB0"});
        bench.pagerPresent = connected;
        if (connected)
            bench.Connect();
        else
            bench.Tick(3);
        ASSERT_TRUE(bench.port.IsOpen());
        bench.port.hangUp();
        EXPECT_FALSE(bench.port.IsOpen());
        EXPECT_FALSE(bench.link.Identified());
        EXPECT_TRUE(bench.link.CurrentPortName().empty());
        const Codes lost = connected ? Codes{LinkPagerSupported, LinkPagerLost} : Codes{};
        EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK), lost);
        bench.port.hangUp();  // a second report for a port already let go changes nothing
        EXPECT_EQ(bench.sink.Codes(WM_PAGER_LINK), lost);

        bench.pagerPresent = true;
        bench.Tick(PagerLink::kProbeTicks - 1);
        EXPECT_EQ(bench.port.opened.size(), 1u) << "reopened before a probe period";
        bench.Connect();
        EXPECT_EQ(bench.port.opened, (std::vector<std::string>{"ttyUSB0", "ttyUSB0"}));
    }
}

// A port the user named is expected to work: every reason it cannot be opened is told.
TEST(PagerLink, NamedPortProblemsAreReportedForEveryReason)
{
    LinkBench bench({"/dev/pager", "ttyUSB1"});
    bench.pagerPresent = false;
    bench.discovery.named = {"/dev/pager"};
    bench.port.refusals = {{"/dev/pager", OpenFailure::NotFound}, {"ttyUSB1", OpenFailure::NotFound}};
    bench.Tick(50);
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_PORT_PROBLEM), (Codes{unsigned(OpenFailure::NotFound)}));
    bench.port.refusals["/dev/pager"] = OpenFailure::NotSerial;
    bench.Tick(50);
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_PORT_PROBLEM),
              (Codes{unsigned(OpenFailure::NotFound), unsigned(OpenFailure::NotSerial)}));
}

TEST(PagerLink, PortThatMayNotBeOpenedIsReportedOncePerReason)
{
    LinkBench bench({"ttyUSB0", "ttyUSB1", "ttyUSB2"});
    bench.pagerPresent = false;
    bench.port.refusals = {{"ttyUSB0", OpenFailure::PermissionDenied},
                           {"ttyUSB1", OpenFailure::Busy},
                           {"ttyUSB2", OpenFailure::NotFound}};
    bench.Tick(100);
    ASSERT_EQ(bench.sink.messages.size(), 2u);
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_PORT_PROBLEM), (Codes{unsigned(OpenFailure::PermissionDenied),
                                                                unsigned(OpenFailure::Busy)}));
    EXPECT_EQ(bench.sink.messages[1].frame, Bytes({7, 't', 't', 'y', 'U', 'S', 'B', '1'}));

    bench.port.refusals["ttyUSB1"] = OpenFailure::PermissionDenied;  // a new reason
    bench.port.refusals.erase("ttyUSB0");                            // opens now
    bench.Tick(40);
    bench.port.refusals["ttyUSB0"] = OpenFailure::PermissionDenied;  // and fails again
    bench.Tick(60);
    EXPECT_EQ(bench.sink.Codes(WM_PAGER_PORT_PROBLEM).size(), 4u);
}

}  // namespace
}  // namespace q9tx
