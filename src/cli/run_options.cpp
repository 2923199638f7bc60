#include "cli/run_options.h"

#include "cli/command_table.h"
#include "cli/file_reasons.h"
#include "image/printable_text.h"

namespace q9tx::cli {
namespace {

constexpr double kLongestTimeout = 86400;  // seconds
constexpr double kShortestTimeout = 0.1;

const char* CommandName(RunOptions::Command command)
{
    return command == RunOptions::Command::Read ? "read" : "write";
}

// "N" for every address or "addressK=N" for one; false for anything else.
bool TakeStep(const std::string& value, AddressSteps& steps)
{
    const std::size_t equals = value.find('=');
    const bool one = equals != std::string::npos;
    const auto step = NumberOption("--step", one ? value.substr(equals + 1) : value, 0, 8, 0);
    if (!std::holds_alternative<double>(step))
        return false;
    const int number = static_cast<int>(std::get<double>(step));
    if (!one) {
        steps.fill(number);
        return true;
    }
    const std::string slotPart = value.substr(0, equals);
    if (slotPart.rfind("address", 0) != 0)
        return false;
    const auto slot = NumberOption("--step", slotPart.substr(7), 1, kSlotCount, 0);
    if (!std::holds_alternative<double>(slot))
        return false;
    steps[std::size_t(std::get<double>(slot)) - 1] = number;
    return true;
}

}  // namespace

std::string RunUsage(RunOptions::Command command) { return CommandHelp(*FindCommand(CommandName(command))); }

std::variant<RunOptions, UsageError> ParseRunOptions(RunOptions::Command command,
                                                     const std::vector<std::string>& arguments)
{
    auto parsed = ParseCommandOptions(*FindCommand(CommandName(command)), arguments);
    if (const auto* problem = std::get_if<UsageProblem>(&parsed))
        return UsageError{problem->message};
    const ParsedOptions& options = std::get<ParsedOptions>(parsed);
    if (options.help)
        return UsageError{};
    return RunOptionsFrom(command, options);
}

std::optional<UsageError> TakeTimeout(const ParsedOptions& parsed, RunOptions& options)
{
    if (!parsed.has("--timeout"))
        return std::nullopt;
    const auto seconds = NumberOption("--timeout", parsed.value("--timeout"), kShortestTimeout, kLongestTimeout, 3);
    if (const auto* problem = std::get_if<UsageProblem>(&seconds))
        return UsageError{problem->message};
    options.connectLimit = std::chrono::milliseconds(static_cast<long long>(std::get<double>(seconds) * 1000));
    return std::nullopt;
}

std::variant<RunOptions, UsageError> RunOptionsFrom(RunOptions::Command command, const ParsedOptions& parsed)
{
    const bool write = command == RunOptions::Command::Write;
    RunOptions options;
    options.command = command;
    options.ports = parsed.values("--port");
    options.backupDir = parsed.value("--backup-dir");
    options.journal = parsed.value("--journal");
    options.advance = parsed.has("--advance");
    options.wait = parsed.has("--wait");
    options.recovery = parsed.has("--recovery");
    options.json = parsed.has("--json");
    options.allowRepeat = parsed.has("--allow-repeat");
    if (auto problem = TakeTimeout(parsed, options))
        return std::move(*problem);
    for (const std::string& step : parsed.values("--step")) {
        if (!TakeStep(step, options.steps))
            return UsageError{"option '--step' needs a step of 0 to 8, or addressK=N with K from 1 to 8, not '" +
                              PrintableText(step) + "'."};
    }
    const std::vector<std::string>& files = parsed.operands;
    if (write) {
        if (files.size() != 1)
            return UsageError{files.empty() ? "name the settings file to write." : "name one settings file only."};
        options.file = files.front();
    } else {
        options.file = parsed.value("--output");
        if (!files.empty())
            return UsageError{"unexpected argument '" + PrintableText(files.front()) +
                              "'; the file to save goes with -o."};
        if (options.file.empty() && options.backupDir.empty())
            return UsageError{"name the file to save with -o FILE (or a folder with --backup-dir DIR)."};
    }
    if (!options.backupDir.empty())
        if (const std::string problem = FolderProblem(options.backupDir); !problem.empty())
            return UsageError{"the backup folder '" + PrintableText(options.backupDir) + "' " + problem + "."};
    return options;
}

}  // namespace q9tx::cli
