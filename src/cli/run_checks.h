#pragma once
// What a run finds out before the first frame is sent, so that no pager's time is spent
// on a port that is no serial port or a file that cannot be written.

#include <string>

#include "cli/run_options.h"

namespace q9tx::cli {

// Each problem of the options as a full sentence, or an empty string: ports that do not
// exist or are no serial port, and an output or settings file (with --advance) that cannot
// be written. The journal and the backup folder have checks of their own.
std::string RunProblem(const RunOptions& options);

}  // namespace q9tx::cli
