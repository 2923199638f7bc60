#pragma once
// Reads and writes through the real window, link and serial port against the simulated
// pager paced at 4800 baud, in this process.

#include <string>
#include <vector>

#include "bench_figures.h"

namespace q9tx::bench {

// Adds the read and write times, the host's turnaround per block and the decode time.
bool MeasureTransfers(int runs, std::vector<Figure>& figures, std::string& failure);

}  // namespace q9tx::bench
