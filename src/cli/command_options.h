#pragma once
// The one option parser of every q9tx command: "--opt value" and "--opt=value", "--" ends
// the options, "-h"/"--help" everywhere. Arguments stay the bytes they were given, so
// that a file name reaches the file system unchanged whatever the locale.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace q9tx::cli {

struct OptionSpec {
    const char* name;       // "--port"
    const char* shortName;  // "-o", or nullptr
    const char* value;      // what the value is ("DEV"), or nullptr for a switch
    const char* help;
};

inline constexpr std::size_t kAnyNumber = static_cast<std::size_t>(-1);

struct CommandSpec {
    const char* name;
    const char* synopsis;  // "q9tx show [--json] FILE"
    const char* summary;
    std::vector<OptionSpec> options;
    std::size_t minimumOperands;
    std::size_t maximumOperands;
    const char* exitStatus;
};

struct ParsedOptions {
    bool help = false;
    // Every option given, by its long name, in the order given; a switch has an empty value.
    std::vector<std::pair<std::string, std::string>> given;
    std::vector<std::string> operands;

    bool has(std::string_view name) const;
    // The last value given, or an empty text.
    std::string value(std::string_view name) const;
    std::vector<std::string> values(std::string_view name) const;
};

// What is wrong with the command line, in the words shown after "q9tx: ".
struct UsageProblem {
    std::string message;
};

// `arguments` follow the command's name. The number of operands is checked unless help
// was asked for.
std::variant<ParsedOptions, UsageProblem> ParseCommandOptions(const CommandSpec& command,
                                                              const std::vector<std::string>& arguments);

// A decimal number without sign, exponent, NaN or infinity, from `lowest` to `highest`,
// with at most `decimals` digits after the point; otherwise the refusal names the range.
std::variant<double, UsageProblem> NumberOption(std::string_view option, std::string_view text, double lowest,
                                                double highest, int decimals);

// "Usage: ...", the summary, the options and the exit status.
std::string CommandHelp(const CommandSpec& command);

// The lines after a usage problem: the problem and where help is.
std::string UsageMessage(const CommandSpec& command, const UsageProblem& problem);

}  // namespace q9tx::cli
