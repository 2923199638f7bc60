#include "link/posix/udev_device_monitor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <deque>
#include <filesystem>
#include <tuple>

#include "link/posix/sysfs_tty_poll.h"
#include "link/posix/udev_event_source.h"
#include "serial_test_support.h"

namespace q9tx {
namespace {

// Synthetic changes behind a pipe, so the monitor's socket notifier really fires.
class FakeEventSource : public DeviceEventSource {
public:
    explicit FakeEventSource(std::deque<TtyChange> changes) : changes_(std::move(changes))
    {
        EXPECT_EQ(::pipe(pipe_), 0);
    }
    ~FakeEventSource() override
    {
        ::close(pipe_[0]);
        ::close(pipe_[1]);
    }
    int descriptor() const override { return pipe_[0]; }
    std::optional<TtyChange> nextChange() override
    {
        char byte = 0;
        if (changes_.empty() || ::read(pipe_[0], &byte, 1) != 1) {
            return std::nullopt;
        }
        const TtyChange change = changes_.front();
        changes_.pop_front();
        return change;
    }
    void announceAll()
    {
        for (std::size_t i = 0; i < changes_.size(); ++i) {
            EXPECT_EQ(::write(pipe_[1], "x", 1), 1);
        }
    }

private:
    std::deque<TtyChange> changes_;
    int pipe_[2] = {-1, -1};
};

using Posted = std::tuple<int, std::uint32_t, std::uint32_t>;  // message, code, device type

struct RecordingSink : MessageSink {
    std::vector<Posted> posted;
    void postMessage(const WindowMessage& m) override { posted.emplace_back(m.message, m.code, m.deviceType); }
};

const Posted kArrival{WM_DEVICECHANGE, DBT_DEVICEARRIVAL, DBT_DEVTYP_PORT};
const Posted kRemoval{WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_PORT};
const Posted kNodesChanged{WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0};

TEST(UdevDeviceMonitor, PostsEachChangeAsDeviceMessageThenNodesChanged)
{
    const struct {
        const char* name;
        std::deque<TtyChange> changes;
        std::vector<Posted> posted;
    } cases[] = {
        {"arrival", {TtyChange::Added}, {kArrival, kNodesChanged}},
        {"removal", {TtyChange::Removed}, {kRemoval, kNodesChanged}},
        {"unplug and replug in one burst",
         {TtyChange::Removed, TtyChange::Added},
         {kRemoval, kNodesChanged, kArrival, kNodesChanged}},
    };
    for (const auto& c : cases) {
        auto source = std::make_unique<FakeEventSource>(c.changes);
        FakeEventSource* fake = source.get();
        RecordingSink sink;
        UdevDeviceMonitor monitor(&sink, std::move(source));
        ASSERT_TRUE(monitor.start()) << c.name;
        fake->announceAll();
        test::PumpUntil([&] { return sink.posted.size() >= c.posted.size(); });
        test::PumpUntil([] { return false; }, std::chrono::milliseconds(20));
        EXPECT_EQ(sink.posted, c.posted) << c.name;
    }
}

TEST(UdevDeviceMonitor, MissingUdevFallsBackToPollingSysfs)
{
    EXPECT_EQ(UdevEventSource::Create("/nonexistent/udev"), nullptr);
    struct stat info {};
    if (::stat("/run/udev", &info) != 0) {
        RecordingSink sink;
        UdevDeviceMonitor monitor(&sink);
        EXPECT_TRUE(monitor.start());
        EXPECT_TRUE(monitor.isRunning());
    }
}

TEST(UdevDeviceMonitor, PolledSysfsReportsTtysPluggedAndUnpluggedAfterStart)
{
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "q9tx-sysfs-XXXXXX").string();
    const fs::path root = ::mkdtemp(pattern.data());
    const fs::path ttys = root / "class" / "tty";
    fs::create_directories(ttys / "ttyS0");
    fs::create_directories(ttys / "ttyUSB0");
    RecordingSink sink;
    UdevDeviceMonitor monitor(&sink, SysfsTtyPoll::Create(root, std::chrono::milliseconds(5)));
    ASSERT_TRUE(monitor.start());
    const struct {
        const char* what;
        const char* plug;
        const char* unplug;
        std::vector<Posted> posted;
    } steps[] = {
        {"present at start: not reported", nullptr, nullptr, {}},
        {"arrival", "ttyUSB1", nullptr, {kArrival, kNodesChanged}},
        {"removal", nullptr, "ttyUSB0", {kRemoval, kNodesChanged}},
        {"replug between two looks", "ttyUSB2", "ttyUSB1", {kRemoval, kNodesChanged, kArrival, kNodesChanged}},
    };
    for (const auto& step : steps) {
        sink.posted.clear();
        if (step.unplug)
            fs::remove(ttys / step.unplug);
        if (step.plug)
            fs::create_directories(ttys / step.plug);
        test::PumpUntil([&] { return sink.posted.size() >= step.posted.size() && !step.posted.empty(); },
                        std::chrono::milliseconds(step.posted.empty() ? 30 : 5000));
        EXPECT_EQ(sink.posted, step.posted) << step.what;
    }
    fs::remove_all(root);
}

}  // namespace
}  // namespace q9tx
