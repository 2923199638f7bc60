#pragma once
// The figures the bench reports, their medians and goals, and the machine they were
// measured on.

#include <string>
#include <vector>

namespace q9tx::bench {

struct Figure {
    std::string name;
    std::string unit;            // "s", "ms", "%", "MiB"
    std::vector<double> runs;    // one value per run
    double goal = 0;             // the figure should stay at or below it; 0 for none
    std::string goalText;        // how the goal is stated
    std::string note;            // what the figure is compared with, when not obvious
};

struct Machine {
    int cores = 0;
    std::string cpu;
    std::string load;  // /proc/loadavg's three averages
};

double Median(std::vector<double> values);
// The value below which `share` (0 to 1) of the values lie, nearest rank.
double Percentile(std::vector<double> values, double share);

Machine DescribeMachine();

// A Markdown table: figure, median, goal, median / goal, runs; with the machine and the
// command above it.
void PrintReport(const std::string& command, const Machine& before, const Machine& after,
                 const std::vector<Figure>& figures);

}  // namespace q9tx::bench
