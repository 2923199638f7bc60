// q9tx-bench: how fast the programmer is against a simulated pager paced at the wire's
// 4800 baud in both directions. Prints a table; nothing here is a pass or a fail.
//
// Reads and writes run through the real window, link and serial port in this process;
// start-up, idle CPU and memory are measured on the q9tx-programmer program itself, and
// the fleet figures on q9tx write --wait.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QStringList>

#include "bench_figures.h"
#include "link/link_trace.h"
#include "fleet_runs.h"
#include "programmer_process.h"
#include "transfer_runs.h"

namespace {

const char kUsage[] =
    "usage: q9tx-bench [--runs N] [--idle-seconds S] [--trace FILE]\n"
    "  --runs N          runs per figure, the median is shown (default 5)\n"
    "  --idle-seconds S  how long the idle programmer is watched per run (default 5)\n"
    "  --trace FILE      trace the link of the reads and writes to FILE, to see what tracing costs\n";

struct Options {
    int runs = 5;
    int idleSeconds = 5;
    std::string trace;
};

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 < argc && option == "--trace") {
            options.trace = argv[++i];
        } else if (i + 1 < argc && (option == "--runs" || option == "--idle-seconds")) {
            const int value = std::atoi(argv[++i]);
            if (value < 1)
                return false;
            (option == "--runs" ? options.runs : options.idleSeconds) = value;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    // No display needed: the window is drawn offscreen unless one is given.
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (!options.trace.empty()) {
        if (const std::string problem = q9tx::LinkTrace::OpenFile(options.trace); !problem.empty()) {
            std::fprintf(stderr, "q9tx-bench: cannot write the trace %s: %s\n", options.trace.c_str(), problem.c_str());
            return 2;
        }
    }

    std::string command = "q9tx-bench";
    for (int i = 1; i < argc; ++i)
        command += std::string(" ") + argv[i];
    const q9tx::bench::Machine before = q9tx::bench::DescribeMachine();

    std::vector<q9tx::bench::Figure> figures;
    std::string failure;
    if (!q9tx::bench::MeasureTransfers(options.runs, figures, failure) ||
        !q9tx::bench::MeasureProgrammer(options.runs, options.idleSeconds, figures, failure) ||
        !q9tx::bench::MeasureFleet(options.runs, figures, failure)) {
        std::fprintf(stderr, "q9tx-bench: %s\n", failure.c_str());
        return 1;
    }
    q9tx::bench::PrintReport(command, before, q9tx::bench::DescribeMachine(), figures);
    return 0;
}
