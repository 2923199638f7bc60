#include "bench_figures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <thread>

namespace q9tx::bench {

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double Percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(share * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

Machine DescribeMachine()
{
    Machine machine;
    machine.cores = static_cast<int>(std::thread::hardware_concurrency());
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);) {
        if (line.rfind("model name", 0) == 0) {
            machine.cpu = line.substr(line.find(':') + 2);
            break;
        }
    }
    std::ifstream loadavg("/proc/loadavg");
    std::string one, five, fifteen;
    loadavg >> one >> five >> fifteen;
    machine.load = one + " " + five + " " + fifteen;
    return machine;
}

namespace {

std::string Format(double value, const std::string& unit)
{
    char text[64];
    const int decimals = unit == "s" ? 3 : unit == "ms" ? 2 : unit == "%" ? 2 : 1;
    std::snprintf(text, sizeof text, "%.*f %s", decimals, value, unit.c_str());
    return text;
}

}  // namespace

void PrintReport(const std::string& command, const Machine& before, const Machine& after,
                 const std::vector<Figure>& figures)
{
    std::printf("Machine: %d cores, %s; load average %s before, %s after\n", before.cores, before.cpu.c_str(),
                before.load.c_str(), after.load.c_str());
    std::printf("Command: %s\n\n", command.c_str());
    std::printf("| figure | median | goal | median / goal | runs | compared with |\n");
    std::printf("|---|---|---|---|---|---|\n");
    for (const Figure& figure : figures) {
        const double median = Median(figure.runs);
        char ratio[32] = "-";
        if (figure.goal > 0)
            std::snprintf(ratio, sizeof ratio, "%.3f", median / figure.goal);
        std::printf("| %s | %s | %s | %s | %zu | %s |\n", figure.name.c_str(), Format(median, figure.unit).c_str(),
                    figure.goalText.c_str(), ratio, figure.runs.size(), figure.note.c_str());
    }
}

}  // namespace q9tx::bench
