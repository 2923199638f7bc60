#include "transfer_runs.h"

#include <chrono>
#include <cstdio>
#include <functional>

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

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

// One transfer, and where its time beyond the wire's went.
struct TransferRun {
    double seconds = -1;          // command to outcome in the status bar; negative on failure
    std::vector<double> turnaroundsMs;  // last byte of a reply in to the next request out
    double startMs = 0;           // command to the first request out
    double simulatorLateMs = 0;   // the simulator's replies, later than the wire allows
    double endMs = 0;             // last reply byte in to the outcome shown
};

void Dissect(const std::vector<sim::WireEvent>& events, Clock::time_point commanded, Clock::time_point shown,
             TransferRun& run)
{
    const sim::WireEvent* lastReply = nullptr;
    bool first = true;
    for (const sim::WireEvent& event : events) {
        if (!event.fromHost) {
            run.simulatorLateMs += Milliseconds(event.last - event.lastDue);
            lastReply = &event;
            continue;
        }
        if (event.command < CmdReadBlock)
            continue;
        if (first)
            run.startMs = Milliseconds(event.first - commanded);
        else if (lastReply)
            run.turnaroundsMs.push_back(Milliseconds(event.first - lastReply->last));
        first = false;
        lastReply = nullptr;
    }
    if (!events.empty())
        run.endMs = Milliseconds(shown - events.back().last);
}

double Sum(const std::vector<double>& values)
{
    double sum = 0;
    for (double value : values)
        sum += value;
    return sum;
}

// "turnarounds 12.3 ms, ..." as medians over the runs.
std::string Breakdown(const std::vector<TransferRun>& runs)
{
    std::vector<double> turnarounds, starts, late, ends;
    for (const TransferRun& run : runs) {
        turnarounds.push_back(Sum(run.turnaroundsMs));
        starts.push_back(run.startMs);
        late.push_back(run.simulatorLateMs);
        ends.push_back(run.endMs);
    }
    char text[256];
    std::snprintf(text, sizeof text,
                  "; beyond it: host turnarounds %.1f ms, simulator late %.1f ms, first request %.1f ms, "
                  "last reply to status %.1f ms",
                  Median(turnarounds), Median(late), Median(starts), Median(ends));
    return text;
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

    TransferRun run(QAction* command, const QString& outcome)
    {
        TransferRun result;
        if (!ready())
            return result;
        pager.clearWireEvents();
        const auto commanded = Clock::now();
        command->trigger();
        if (!RunUntil([&] { return window->statusText() == outcome; }, 20000))
            return result;
        const auto shown = Clock::now();
        result.seconds = Seconds(shown - commanded);
        std::vector<sim::WireEvent> events = pager.wireEvents();
        // Only the transfer's frames: a keep-alive may follow once it has ended.
        std::erase_if(events, [&](const sim::WireEvent& event) { return event.last > shown; });
        Dissect(events, commanded, shown, result);
        return result;
    }
};

}  // namespace

bool MeasureTransfers(int runs, std::vector<Figure>& figures, std::string& failure)
{
    Bench bench;
    if (!bench.start(failure))
        return false;
    if (!bench.ready()) {
        failure = "the programmer did not connect to the simulated pager";
        return false;
    }
    // The editor as it starts, around the pager's header.
    ConfigImage startupImage{};
    {
        const sim::ImageBytes stored = bench.pager.image();
        std::copy(stored.begin(), stored.end(), startupImage.begin());
        startupImage = bench.window->EncodeImage(HeaderOf(startupImage));
    }
    const double readWire = kReadBytes * kByteSeconds;
    const double writeWire = kWriteBytes * kByteSeconds + duration<double>(kVerifyTime).count();
    char wire[128];
    std::snprintf(wire, sizeof wire, "wire: %d bytes = %.3f s", kReadBytes, readWire);
    Figure read{"read, 16 blocks", "s", {}, readWire * 1.03, "1.03 x wire", wire};
    std::snprintf(wire, sizeof wire, "wire: %d bytes + %d ms verification = %.3f s", kWriteBytes,
                  static_cast<int>(kVerifyTime.count()), writeWire);
    Figure write{"write, 16 blocks and verdict", "s", {}, writeWire * 1.03, "1.03 x wire", wire};
    Figure p50{"host turnaround per block, p50", "ms", {}, 1.0, "< 1 ms (for p99)",
               "last reply byte in to next request out"};
    std::vector<double> allTurnarounds;
    std::vector<TransferRun> reads, writes;
    for (int i = 0; i < runs; ++i) {
        reads.push_back(bench.run(bench.window->ReadFromPager1, QStringLiteral("Read completed.")));
        writes.push_back(bench.run(bench.window->WriteToPager1, QStringLiteral("Write completed.")));
        if (reads.back().seconds < 0 || writes.back().seconds < 0) {
            failure = "a transfer did not complete; the status bar shows \"" +
                      bench.window->statusText().toStdString() + "\"";
            return false;
        }
        read.runs.push_back(reads.back().seconds);
        write.runs.push_back(writes.back().seconds);
        std::vector<double> turnarounds = reads.back().turnaroundsMs;
        turnarounds.insert(turnarounds.end(), writes.back().turnaroundsMs.begin(), writes.back().turnaroundsMs.end());
        p50.runs.push_back(Percentile(turnarounds, 0.5));
        allTurnarounds.insert(allTurnarounds.end(), turnarounds.begin(), turnarounds.end());
    }
    read.note += Breakdown(reads);
    write.note += Breakdown(writes);
    const std::string pooled = "all runs pooled: " + std::to_string(allTurnarounds.size()) + " blocks";
    Figure p99{"host turnaround per block, p99", "ms", {Percentile(allTurnarounds, 0.99)}, 1.0, "< 1 ms", pooled};
    Figure max{"host turnaround per block, max", "ms", {Percentile(allTurnarounds, 1.0)}, 0, "-", pooled};

    const ConfigImage pagerImage = [&] {
        ConfigImage bytes{};
        const sim::ImageBytes stored = bench.pager.image();
        std::copy(stored.begin(), stored.end(), bytes.begin());
        return bytes;
    }();
    // Decoded in turn, so that every decode changes the controls and has something to repaint.
    const ConfigImage images[2] = {pagerImage, startupImage};
    Figure decode{"decode an image into the window", "ms", {}, 20.0, "< 20 ms", "DecodeImage alone"};
    Figure repaint{"decode and repaint", "ms", {}, 20.0, "< 20 ms", "until the window's events are handled"};
    for (int i = 0; i < kDecodeRepeats; ++i) {
        const auto start = Clock::now();
        bench.window->DecodeImage(images[i % 2]);
        const auto decoded = Clock::now();
        QCoreApplication::processEvents();
        decode.runs.push_back(Milliseconds(decoded - start));
        repaint.runs.push_back(Milliseconds(Clock::now() - start));
    }
    // What every transfer does to the window before its first request and after its
    // last reply, as the transfer's own steps do it.
    Figure disabling{"window at a transfer's start: editor disabled", "ms", {}, 0, "-", "settings panel"};
    Figure opening{"window at a transfer's start: progress shown", "ms", {}, 0, "-",
                   "progress panel shown and painted at once"};
    Figure closing{"window at a transfer's end", "ms", {}, 0, "-",
                   "progress panel hidden, editor enabled, events handled"};
    for (int i = 0; i < kDecodeRepeats; ++i) {
        const auto start = Clock::now();
        bench.window->findChild<QWidget*>(QStringLiteral("settings"))->setEnabled(false);
        const auto disabled = Clock::now();
        bench.window->progress->show();
        bench.window->progress->repaint();
        const auto opened = Clock::now();
        QCoreApplication::processEvents();
        const auto end = Clock::now();
        bench.window->progress->hide();
        bench.window->findChild<QWidget*>(QStringLiteral("settings"))->setEnabled(true);
        QCoreApplication::processEvents();
        disabling.runs.push_back(Milliseconds(disabled - start));
        opening.runs.push_back(Milliseconds(opened - disabled));
        closing.runs.push_back(Milliseconds(Clock::now() - end));
    }
    figures.insert(figures.end(), {read, write, p50, p99, max, decode, repaint, disabling, opening, closing});
    return true;
}

}  // namespace q9tx::bench
