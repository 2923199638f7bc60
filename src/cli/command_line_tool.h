#pragma once
// The q9tx command-line tool: the commands on settings files (show, diff, check, set),
// help and version, and the parsing of every command's options. Everything it prints goes
// to `out`, messages to `err`.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/command_options.h"

namespace q9tx {

// Exit status of a command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFindings = 1;  // diff: different; check: problems found
inline constexpr int kExitError = 2;

// Runs a command that talks to a pager (read, write, detect, verify) with its parsed options.
using PagerCommandRunner = std::function<int(const cli::CommandSpec&, const cli::ParsedOptions&)>;

// `arguments` without the program name, the bytes as given. Without a runner the pager
// commands are refused.
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const PagerCommandRunner& pagerCommands = {});

}  // namespace q9tx
