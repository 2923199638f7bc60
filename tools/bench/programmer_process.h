#pragma once
// The q9tx-programmer program as a user starts it, against the simulated pager: time
// until it is up, CPU while connected and idle, and memory.

#include <string>
#include <vector>

#include "bench_figures.h"

namespace q9tx::bench {

bool MeasureProgrammer(int runs, int idleSeconds, std::vector<Figure>& figures, std::string& failure);

}  // namespace q9tx::bench
