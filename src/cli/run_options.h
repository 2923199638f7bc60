#pragma once
// The options of `q9tx read` and `q9tx write`.

#include <chrono>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "cli/command_options.h"
#include "transfer/settings_advance.h"
#include "transfer/transfer_machine.h"

namespace q9tx::cli {

struct RunOptions {
    enum class Command { Read, Write };
    Command command = Command::Read;
    std::vector<std::string> ports;  // --port; none: the adapters found
    std::string file;                // read: -o FILE (may be empty); write: FILE
    std::string backupDir;
    std::string journal;
    bool advance = false;
    // What --advance adds to each address (--step); the file does not hold it.
    AddressSteps steps = {1, 1, 1, 1, 1, 1, 1, 1};
    bool wait = false;
    bool recovery = false;
    // Each pager's result as one JSON line on stdout.
    bool json = false;
    // Writes a pager whose serial number this run or the journal shows written already.
    bool allowRepeat = false;
    // How long a run without --wait waits for a pager to answer.
    std::chrono::milliseconds connectLimit{10'000};
    TransferLimits limits;
};

struct UsageError {
    std::string message;  // empty when help was asked for
};

// `arguments` follow the command's name, as given. Gives the options, or the reason they
// are refused (an empty reason for --help).
std::variant<RunOptions, UsageError> ParseRunOptions(RunOptions::Command command,
                                                     const std::vector<std::string>& arguments);
// The same from options the command-line parser has taken.
std::variant<RunOptions, UsageError> RunOptionsFrom(RunOptions::Command command, const ParsedOptions& parsed);

// --timeout, when given, into `options`; or the reason it is refused.
std::optional<UsageError> TakeTimeout(const ParsedOptions& parsed, RunOptions& options);

// The command's help text.
std::string RunUsage(RunOptions::Command command);

}  // namespace q9tx::cli
