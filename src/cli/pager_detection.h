#pragma once
// `q9tx detect`: every port found (and those named with --port) probed at once, each by a
// link of its own, as the window probes a port; for a pager that answers its firmware,
// its information text and, from the header and the block that holds it, its serial
// number. Nothing else is read and nothing is written.

#include "cli/command_options.h"

namespace q9tx::cli {

// Exit status: 0 when a pager answered, 1 when none did, 2 for a usage error.
int RunDetect(const ParsedOptions& options);

}  // namespace q9tx::cli
