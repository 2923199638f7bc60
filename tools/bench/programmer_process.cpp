#include "programmer_process.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <fstream>
#include <thread>

#include <QProcess>

#include "link/frame.h"
#include "simulated_pager.h"

namespace q9tx::bench {

namespace {

using Clock = std::chrono::steady_clock;

// CPU time of every thread of the process, in seconds, from the scheduler's nanosecond
// counts (finer than the clock ticks of /proc/PID/stat).
double CpuSeconds(qint64 pid)
{
    double seconds = 0;
    std::error_code error;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double nanoseconds = 0;
        if (schedstat >> nanoseconds)
            seconds += nanoseconds / 1e9;
    }
    return seconds;
}

// A "Vm..." line of /proc/PID/status in MiB.
double StatusMiB(qint64 pid, const std::string& field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(field + ":", 0) == 0)
            return std::stod(line.substr(field.size() + 1)) / 1024.0;
    }
    return 0;
}

bool Received(const sim::SimulatedPager& pager, std::uint8_t command)
{
    for (const sim::ReceivedFrame& frame : pager.receivedFrames()) {
        if (frame.command == command)
            return true;
    }
    return false;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace

bool MeasureProgrammer(int runs, int idleSeconds, std::vector<Figure>& figures, std::string& failure)
{
    Figure start{"start-up to the first poll", "s", {}, 0.5, "< 0.5 s",
                 "process start to its first frame on the wire; the window is shown before it"};
    Figure idle{"CPU while connected and idle", "%", {}, 1.0, "< 1 % of a core",
                std::to_string(idleSeconds) + " s per run, all threads"};
    Figure rss{"resident memory, connected and idle", "MiB", {}, 0, "-", "VmRSS"};
    Figure peak{"peak resident memory", "MiB", {}, 0, "-", "VmHWM"};
    for (int i = 0; i < runs; ++i) {
        sim::SimulatedPager pager;
        pager.setPaced(true);
        if (!pager.start()) {
            failure = pager.error();
            return false;
        }
        QProcess programmer;
        programmer.setStandardOutputFile(QProcess::nullDevice());
        programmer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const auto launched = Clock::now();
        programmer.start(QStringLiteral(Q9TX_PROGRAMMER_PATH),
                         {QStringLiteral("--port"), QString::fromStdString(pager.slavePath())});
        if (!programmer.waitForStarted(5000) || !pager.waitForFrames(1, std::chrono::milliseconds(10000))) {
            failure = "q9tx-programmer did not start polling: " + programmer.errorString().toStdString();
            return false;
        }
        start.runs.push_back(std::chrono::duration<double>(Clock::now() - launched).count());
        // Connected once it asks for the information text, which follows the identification.
        if (!WaitFor([&] { return Received(pager, CmdInformationText); }, std::chrono::milliseconds(10000))) {
            failure = "q9tx-programmer did not connect to the simulated pager";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::seconds(1));
        const qint64 pid = programmer.processId();
        const double cpuBefore = CpuSeconds(pid);
        const auto watched = Clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
        const double wall = std::chrono::duration<double>(Clock::now() - watched).count();
        idle.runs.push_back((CpuSeconds(pid) - cpuBefore) / wall * 100.0);
        rss.runs.push_back(StatusMiB(pid, "VmRSS"));
        peak.runs.push_back(StatusMiB(pid, "VmHWM"));
        programmer.terminate();
        if (!programmer.waitForFinished(5000))
            programmer.kill();
        programmer.waitForFinished(5000);
    }
    figures.insert(figures.end(), {start, idle, rss, peak});
    return true;
}

}  // namespace q9tx::bench
