#include "transfer_runs.h"

#include <chrono>
#include <functional>

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include "app/tform1.h"
#include "link/adapter_discovery.h"
#include "link/frame.h"
#include "link/pager_link.h"
#include "link/posix/posix_serial_port.h"
#include "simulated_pager.h"

namespace q9tx::bench {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::duration;

constexpr double kByteSeconds = 10.0 / 4800.0;  // 8N1: start, 8 data bits, stop
constexpr auto kVerifyTime = std::chrono::milliseconds(300);
// 16 requests of 6 bytes, 16 replies of 38.
constexpr int kReadBytes = 16 * (6 + 38);
// Header request and reply, 16 blocks of 38 bytes with 6-byte acknowledgements, J and L.
constexpr int kWriteBytes = 6 + 38 + 16 * (38 + 6) + 6 + 6;
constexpr int kDecodeRepeats = 20;

double Seconds(Clock::duration time) { return duration<double>(time).count(); }
double Milliseconds(Clock::duration time) { return duration<double, std::milli>(time).count(); }

// Runs the event loop until `done` holds, looking every millisecond; false after `limitMs`.
// A real event loop, not a wait with sleeps, so that the receive thread's hand-over to
// the main thread is served at once.
bool RunUntil(const std::function<bool()>& done, int limitMs)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer look;
    look.setTimerType(Qt::PreciseTimer);
    look.setInterval(1);
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(limitMs, &loop, &QEventLoop::quit);
    look.start();
    loop.exec();
    return done();
}

// The gap between the last byte of each pager reply and the first byte of the request
// that follows it, for the transfer frames.
std::vector<double> TurnaroundsMs(const std::vector<sim::WireEvent>& events)
{
    std::vector<double> gaps;
    const sim::WireEvent* lastReply = nullptr;
    for (const sim::WireEvent& event : events) {
        if (!event.fromHost) {
            lastReply = &event;
            continue;
        }
        if (lastReply && event.command >= CmdReadBlock)
            gaps.push_back(Milliseconds(event.first - lastReply->last));
        lastReply = nullptr;
    }
    return gaps;
}

struct Bench {
    sim::SimulatedPager pager;
    QTemporaryDir emptySysfs;
    PosixSerialPort port;
    std::unique_ptr<AdapterDiscovery> discovery;
    std::unique_ptr<PagerLink> link;
    std::unique_ptr<TForm1> window;

    bool start(std::string& failure)
    {
        pager.setPaced(true);
        pager.setVerifyTime(kVerifyTime);
        if (!pager.start()) {
            failure = pager.error();
            return false;
        }
        discovery = std::make_unique<AdapterDiscovery>(emptySysfs.path().toStdString(),
                                                       std::vector<std::string>{pager.slavePath()});
        link = std::make_unique<PagerLink>(port, *discovery);
        window = std::make_unique<TForm1>(*link);
        window->show();
        return true;
    }
    ~Bench()
    {
        window.reset();
        link.reset();
    }

    // Connected, with no frame of the link awaiting its answer.
    bool ready()
    {
        return RunUntil(
            [&] { return link->State() == lsConnected && !link->ReplyAwaited() && window->ReadFromPager1->isEnabled(); },
            10000);
    }

    // Seconds from the command to its outcome in the status bar; negative when it fails.
    double run(QAction* command, const QString& outcome, std::vector<double>& turnarounds)
    {
        if (!ready())
            return -1;
        pager.clearWireEvents();
        const auto start = Clock::now();
        command->trigger();
        if (!RunUntil([&] { return window->statusText() == outcome; }, 20000))
            return -1;
        const double seconds = Seconds(Clock::now() - start);
        const std::vector<double> gaps = TurnaroundsMs(pager.wireEvents());
        turnarounds.insert(turnarounds.end(), gaps.begin(), gaps.end());
        return seconds;
    }
};

}  // namespace

bool MeasureTransfers(int runs, std::vector<Figure>& figures, std::string& failure)
{
    Bench bench;
    if (!bench.start(failure))
        return false;
    const double readWire = kReadBytes * kByteSeconds;
    const double writeWire = kWriteBytes * kByteSeconds + duration<double>(kVerifyTime).count();
    Figure read{"read, 16 blocks", "s", {}, readWire * 1.03, "1.03 x wire",
                "wire: " + std::to_string(kReadBytes) + " bytes = " + std::to_string(readWire).substr(0, 5) + " s"};
    Figure write{"write, 16 blocks and verdict", "s", {}, writeWire * 1.03, "1.03 x wire",
                 "wire: " + std::to_string(kWriteBytes) + " bytes + " +
                     std::to_string(kVerifyTime.count()) + " ms verification = " +
                     std::to_string(writeWire).substr(0, 5) + " s"};
    Figure p50{"host turnaround per block, p50", "ms", {}, 1.0, "p99 < 1 ms", "last reply byte in to next request out"};
    std::vector<double> allTurnarounds;
    for (int i = 0; i < runs; ++i) {
        std::vector<double> turnarounds;
        const double readTime = bench.run(bench.window->ReadFromPager1, QStringLiteral("Read completed."), turnarounds);
        const double writeTime =
            bench.run(bench.window->WriteToPager1, QStringLiteral("Write completed."), turnarounds);
        if (readTime < 0 || writeTime < 0) {
            failure = "a transfer did not complete; the status bar shows \"" +
                      bench.window->statusText().toStdString() + "\"";
            return false;
        }
        read.runs.push_back(readTime);
        write.runs.push_back(writeTime);
        p50.runs.push_back(Percentile(turnarounds, 0.5));
        allTurnarounds.insert(allTurnarounds.end(), turnarounds.begin(), turnarounds.end());
    }
    const std::string pooled = "all runs pooled: " + std::to_string(allTurnarounds.size()) + " blocks";
    Figure p99{"host turnaround per block, p99", "ms", {Percentile(allTurnarounds, 0.99)}, 1.0, "< 1 ms", pooled};
    Figure max{"host turnaround per block, max", "ms", {Percentile(allTurnarounds, 1.0)}, 0, "-", pooled};

    const ConfigImage image = [&] {
        ConfigImage bytes{};
        const sim::ImageBytes stored = bench.pager.image();
        std::copy(stored.begin(), stored.end(), bytes.begin());
        return bytes;
    }();
    Figure decode{"decode an image into the window", "ms", {}, 20.0, "< 20 ms", "DecodeImage alone"};
    Figure repaint{"decode and repaint", "ms", {}, 20.0, "< 20 ms", "until the window's events are handled"};
    for (int i = 0; i < kDecodeRepeats; ++i) {
        const auto start = Clock::now();
        bench.window->DecodeImage(image);
        const auto decoded = Clock::now();
        QCoreApplication::processEvents();
        decode.runs.push_back(Milliseconds(decoded - start));
        repaint.runs.push_back(Milliseconds(Clock::now() - start));
    }
    figures.insert(figures.end(), {read, write, p50, p99, max, decode, repaint});
    return true;
}

}  // namespace q9tx::bench
