#pragma once
// Every q9tx command with its synopsis and options: what the parser accepts, what the help,
// the manual page and the shell completion describe.

#include <vector>

#include "cli/command_options.h"

namespace q9tx::cli {

const std::vector<CommandSpec>& CommandTable();
// The command of that name, or nullptr.
const CommandSpec* FindCommand(std::string_view name);

// The help of `q9tx --help`: every command with its options.
std::string ToolHelp();

}  // namespace q9tx::cli
