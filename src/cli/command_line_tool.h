#pragma once
// The q9tx command-line tool: show, diff, check and set on settings files, without a
// display. Everything it prints goes to `out`, errors to `err`.

#include <ostream>
#include <string>
#include <vector>

namespace q9tx {

// Exit status of a command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFindings = 1;  // diff: different; check: problems found
inline constexpr int kExitError = 2;

// `arguments` without the program name, as the user's locale encodes them.
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace q9tx
