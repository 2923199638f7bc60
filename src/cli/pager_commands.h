#pragma once
// The commands that talk to a pager: read, write, detect and verify. They run inside a
// QCoreApplication, with options the command-line parser has taken.

#include "cli/command_options.h"

namespace q9tx::cli {

int RunPagerCommand(const CommandSpec& command, const ParsedOptions& options);

}  // namespace q9tx::cli
