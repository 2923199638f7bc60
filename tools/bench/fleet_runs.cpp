#include "fleet_runs.h"

#include <chrono>
#include <cstdio>

#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "factory_image.h"
#include "link/frame.h"
#include "simulated_pager.h"

namespace q9tx::bench {

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kByteSeconds = 10.0 / 4800.0;  // 8N1
constexpr double kVerifySeconds = 0.3;          // the simulated pager's verification
// 16 requests of 6 bytes, 16 replies of 38.
constexpr int kReadBytes = 16 * (6 + 38);
// Header request and reply, 16 blocks of 38 bytes with 6-byte acknowledgements, J and L.
constexpr int kWriteBytes = 6 + 38 + 16 * (38 + 6) + 6 + 6;
// How long the cable stays empty between two pagers; not the machine's time.
constexpr auto kOffCable = std::chrono::milliseconds(1000);
constexpr int kLimitMs = 120'000;

double Seconds(Clock::duration time) { return std::chrono::duration<double>(time).count(); }

// When each line containing `text` arrived.
struct LineTimes {
    QByteArray pending;
    std::vector<std::pair<Clock::time_point, QByteArray>> lines;

    void take(const QByteArray& bytes)
    {
        const auto now = Clock::now();
        pending += bytes;
        for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            lines.emplace_back(now, pending.left(end));
            pending.remove(0, end + 1);
        }
    }
    std::vector<Clock::time_point> times(const char* text) const
    {
        std::vector<Clock::time_point> found;
        for (const auto& [time, line] : lines) {
            if (line.contains(text))
                found.push_back(time);
        }
        return found;
    }
};

struct FleetRun {
    std::vector<double> machineSeconds;  // per pager after the first
    std::vector<double> heardToLineSeconds;
    std::vector<double> removalSeconds;
};

// One run of `pagers` pagers; false with `failure` set when it does not complete.
bool RunFleet(int pagers, bool journalAndBackups, FleetRun& run, std::string& failure)
{
    sim::SimulatedPager pager;
    pager.setPaced(true);
    pager.serveFleet(unsigned(pagers), 1, std::chrono::milliseconds(0), kOffCable);
    if (!pager.start()) {
        failure = pager.error();
        return false;
    }
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("template.bin")));
    const sim::ImageBytes image = sim::FactoryImage();
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(image.data()), qint64(image.size())) != qint64(image.size())) {
        failure = "cannot write the template in " + dir.path().toStdString();
        return false;
    }
    file.close();
    QStringList arguments{"write", "--wait", "--advance", "--port", QString::fromStdString(pager.slavePath())};
    if (journalAndBackups)
        arguments << "--journal" << dir.filePath(QStringLiteral("fleet.csv")) << "--backup-dir" << dir.path();
    arguments << file.fileName();

    QProcess q9tx;
    LineTimes out, err;
    QEventLoop loop;
    QObject::connect(&q9tx, &QProcess::readyReadStandardOutput, &loop, [&] {
        out.take(q9tx.readAllStandardOutput());
        if (int(out.lines.size()) >= pagers)
            loop.quit();
    });
    QObject::connect(&q9tx, &QProcess::readyReadStandardError, &loop, [&] { err.take(q9tx.readAllStandardError()); });
    QObject::connect(&q9tx, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(kLimitMs, &loop, &QEventLoop::quit);
    q9tx.start(QStringLiteral(Q9TX_CLI_PATH), arguments);
    loop.exec();
    q9tx.terminate();
    q9tx.waitForFinished(5000);
    err.take(q9tx.readAllStandardError());

    const std::vector<Clock::time_point> done = out.times("Write completed.");
    const std::vector<Clock::time_point> noticed = err.times("Waiting for the next pager");
    std::vector<Clock::time_point> verdicts;
    for (const sim::WireEvent& event : pager.wireEvents()) {
        if (!event.fromHost && event.command == CmdWriteCompleted)
            verdicts.push_back(event.last);
    }
    if (int(done.size()) < pagers || int(verdicts.size()) < pagers || int(noticed.size()) < pagers - 1) {
        failure = "q9tx write --wait did not write " + std::to_string(pagers) + " pagers:\n" +
                  err.pending.toStdString();
        for (const auto& line : err.lines)
            failure += line.second.toStdString() + "\n";
        return false;
    }
    const std::vector<sim::WireEvent> events = pager.wireEvents();
    for (int i = 1; i < pagers; ++i) {
        // The pager is heard with its first answer after its time off the cable.
        const auto connected = verdicts[std::size_t(i - 1)] + kOffCable;
        Clock::time_point heard{};
        for (const sim::WireEvent& event : events) {
            if (!event.fromHost && event.first >= connected) {
                heard = event.last;
                break;
            }
        }
        const double removal = Seconds(noticed[std::size_t(i - 1)] - verdicts[std::size_t(i - 1)]);
        const double heardToLine = Seconds(done[std::size_t(i)] - heard);
        run.removalSeconds.push_back(removal);
        run.heardToLineSeconds.push_back(heardToLine);
        run.machineSeconds.push_back(heardToLine + removal);
    }
    return true;
}

std::string PerHour(double seconds)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.0f pagers per hour", 3600.0 / seconds);
    return text;
}

}  // namespace

bool MeasureFleet(int runs, std::vector<Figure>& figures, std::string& failure)
{
    const double writeWire = kWriteBytes * kByteSeconds + kVerifySeconds;
    const double readWire = kReadBytes * kByteSeconds;
    char note[160];
    Figure removal{"fleet: removal noticed", "s", {}, 0.3, "< 0.3 s", "pager silent after its verdict until q9tx says so"};
    for (const bool journalAndBackups : {true, false}) {
        FleetRun run;
        // The first pager's cycle starts with q9tx itself; `runs` cycles follow it.
        if (!RunFleet(runs + 1, journalAndBackups, run, failure))
            return false;
        const double wire = writeWire + (journalAndBackups ? readWire : 0);
        const double machine = Median(run.machineSeconds);
        std::snprintf(note, sizeof note, "wire: %s%.3f s; median %s; connect heard to result line %.3f s",
                      journalAndBackups ? "read, write and verification " : "write and verification ", wire,
                      PerHour(machine).c_str(), Median(run.heardToLineSeconds));
        figures.push_back({journalAndBackups ? "fleet: machine time per pager, journal and backups"
                                             : "fleet: machine time per pager, no journal or backups",
                           "s", run.machineSeconds, wire + 0.5, "wire + 0.5 s", note});
        removal.runs.insert(removal.runs.end(), run.removalSeconds.begin(), run.removalSeconds.end());
    }
    figures.push_back(removal);
    return true;
}

}  // namespace q9tx::bench
