#pragma once
// q9tx write --wait as a technician runs it on a fleet: simulated pagers paced at 4800
// baud, served one after another on one cable, each taken off after its verdict.

#include <string>
#include <vector>

#include "bench_figures.h"

namespace q9tx::bench {

// Adds the machine time per pager (connect heard to the result line, and removal noticed),
// with and without journal and backups, and the time until a removal is noticed.
bool MeasureFleet(int runs, std::vector<Figure>& figures, std::string& failure);

}  // namespace q9tx::bench
