#include "cli/command_line_tool.h"

#include "cli/command_table.h"
#include "cli/settings_json.h"
#include "image/printable_text.h"
#include "image/image_validation.h"
#include "image/setting_table.h"
#include "image/setting_text.h"
#include "image/settings_conversion.h"
#include "image/settings_diff.h"
#include "image/settings_edit.h"
#include "image/settings_file_io.h"
#include "image/settings_validation.h"
#include "image/status_error.h"
#include "image/status_texts.h"

#include <QString>

#include <algorithm>
#include <optional>

namespace q9tx {

namespace {

// Without a pager the map version stands at its first item.
constexpr int kNoPagerMapVersion = 0;

using cli::ParsedOptions;

// An error the command reports on stderr, ending it with status 2.
struct CommandError {
    std::string message;
};

using CommandRun = int (*)(const ParsedOptions&, std::ostream&);

// A path as messages show it.
std::string Shown(const std::string& path) { return PrintableText(path); }

std::string Labelled(const SettingProblem& problem)
{
    const SettingDefinition* setting = FindSetting(problem.name);
    return setting ? setting->label() + " (" + problem.name + "): " + problem.message
                   : PrintableText(problem.name) + ": " + problem.message;
}

// Reads the file and applies Open's checks: a file of a settings image that passes them.
ConfigImage LoadImage(const std::string& path)
{
    try {
        const ConfigImage image = ReadSettingsFile(path);
        ValidateImage(kNoPagerMapVersion, image);
        return image;
    } catch (const StatusError& error) {
        throw CommandError{Shown(path) + ": " + std::string(StatusTextOf(error.number()))};
    }
}

int Show(const ParsedOptions& options, std::ostream& out)
{
    const PagerSettings settings = DecodeSettings(LoadImage(options.operands[0]));
    if (options.has("--json")) {
        out << SettingsJson(settings);
        return kExitOk;
    }
    std::string page;
    std::string group;
    for (const SettingDefinition& setting : SettingTable()) {
        if (setting.page != page) {
            page = setting.page;
            group.clear();
            out << page << "\n";
        }
        if (setting.group != group) {
            group = setting.group;
            out << "  " << group << "\n";
        }
        out << "    " << setting.caption << ": " << PrintableText(FormatValue(setting, settings.value(setting.name)))
            << "\n";
    }
    return kExitOk;
}

int Diff(const ParsedOptions& options, std::ostream& out)
{
    const PagerSettings from = DecodeSettings(LoadImage(options.operands[0]));
    const PagerSettings to = DecodeSettings(LoadImage(options.operands[1]));
    const std::vector<SettingDifference> differences = DiffSettings(from, to);
    if (options.has("--json")) {
        out << DifferencesJson(differences, from, to);
    } else {
        for (const SettingDifference& difference : differences) {
            out << PrintableText(difference.line()) << "\n";
        }
    }
    return differences.empty() ? kExitOk : kExitFindings;
}

int Check(const ParsedOptions& options, std::ostream& out)
{
    const std::string& path = options.operands[0];
    const bool json = options.has("--json");
    ConfigImage image{};
    try {
        image = ReadSettingsFile(path);
        ValidateImage(kNoPagerMapVersion, image);
    } catch (const StatusError& error) {
        const std::string text(StatusTextOf(error.number()));
        out << (json ? CheckJson(Shown(path), text, {}) : Shown(path) + ": " + text + "\n");
        return kExitFindings;
    }
    const std::vector<SettingProblem> problems = ValidateSettings(DecodeSettings(image));
    if (json) {
        out << CheckJson(Shown(path), {}, problems);
        return problems.empty() ? kExitOk : kExitFindings;
    }
    for (const SettingProblem& problem : problems) {
        out << Labelled(problem) << "\n";
    }
    if (problems.empty()) {
        out << Shown(path) << ": no problems found.\n";
    }
    return problems.empty() ? kExitOk : kExitFindings;
}

// The value as the pager stores texts: one byte per character.
std::string Latin1Value(const std::string& name, const std::string& localValue)
{
    const QString value = QString::fromLocal8Bit(localValue.data(), static_cast<qsizetype>(localValue.size()));
    const bool single = std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    if (!single) {
        throw CommandError{PrintableText(name) + ": '" + PrintableText(localValue) +
                           "' holds a character that the pager cannot store."};
    }
    return value.toLatin1().toStdString();
}

int Set(const ParsedOptions& options, std::ostream& out)
{
    const std::string& path = options.operands[0];
    PagerSettings settings = DecodeSettings(LoadImage(path));
    for (std::size_t i = 1; i < options.operands.size(); ++i) {
        const std::string& assignment = options.operands[i];
        const std::size_t equals = assignment.find('=');
        if (equals == std::string::npos || equals == 0) {
            throw CommandError{"'" + PrintableText(assignment) + "' is not NAME=VALUE."};
        }
        const std::string name = assignment.substr(0, equals);
        if (!FindSetting(name)) {
            throw CommandError{PrintableText(name) + ": no such setting; 'q9tx show --json FILE' lists the names."};
        }
        if (const std::optional<SettingProblem> problem =
                ApplySetting(settings, name, Latin1Value(name, assignment.substr(equals + 1)))) {
            throw CommandError{Labelled(*problem)};
        }
    }
    const std::vector<SettingProblem> problems = ValidateSettings(settings);
    if (!problems.empty()) {
        std::string message;
        for (const SettingProblem& problem : problems) {
            message += (message.empty() ? "" : "\n") + Labelled(problem);
        }
        throw CommandError{message};
    }
    const std::string target = options.has("--output") ? options.value("--output") : path;
    try {
        WriteSettingsFile(target, EncodeSettings(settings, std::nullopt));
    } catch (const SettingsRefused& refusal) {
        throw CommandError{Labelled(refusal.problem())};
    } catch (const StatusError& error) {
        throw CommandError{Shown(target) + ": " + std::string(StatusTextOf(error.number()))};
    }
    out << "Saved data to " << Shown(target) << ".\n";
    return kExitOk;
}

// The commands on settings files; the others talk to a pager.
const struct {
    const char* name;
    CommandRun run;
} kFileCommands[] = {{"show", Show}, {"diff", Diff}, {"check", Check}, {"set", Set}};

CommandRun FileCommand(std::string_view name)
{
    for (const auto& command : kFileCommands) {
        if (name == command.name)
            return command.run;
    }
    return nullptr;
}

// `q9tx help [COMMAND]`.
int Help(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.size() > 2) {
        err << "q9tx: wrong number of arguments.\nTry 'q9tx --help'.\n";
        return kExitError;
    }
    if (arguments.size() == 1) {
        out << cli::ToolHelp();
        return kExitOk;
    }
    const cli::CommandSpec* command = cli::FindCommand(arguments[1]);
    if (!command) {
        err << "q9tx: unknown command '" << PrintableText(arguments[1]) << "'. 'q9tx --help' lists the commands.\n";
        return kExitError;
    }
    out << cli::CommandHelp(*command);
    return kExitOk;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   const PagerCommandRunner& pagerCommands)
{
    if (arguments.empty()) {
        err << cli::ToolHelp();
        return kExitError;
    }
    const std::string& first = arguments[0];
    if (first == "--help" || first == "-h" || first == "help")
        return Help(arguments, out, err);
    if (first == "--version" || first == "-V") {
        out << "q9tx " << Q9TX_VERSION << "\n";
        return kExitOk;
    }
    const cli::CommandSpec* command = cli::FindCommand(first);
    const CommandRun run = FileCommand(first);
    if (!command || (!run && !pagerCommands)) {
        err << "q9tx: unknown command '" << PrintableText(first) << "'. 'q9tx --help' lists the commands.\n";
        return kExitError;
    }
    auto parsed = cli::ParseCommandOptions(*command, {arguments.begin() + 1, arguments.end()});
    if (const auto* problem = std::get_if<cli::UsageProblem>(&parsed)) {
        err << cli::UsageMessage(*command, *problem);
        return kExitError;
    }
    const ParsedOptions& options = std::get<ParsedOptions>(parsed);
    if (options.help) {
        out << cli::CommandHelp(*command);
        return kExitOk;
    }
    if (!run)
        return pagerCommands(*command, options);
    try {
        return run(options, out);
    } catch (const CommandError& error) {
        err << "q9tx: " << error.message << "\n";
        return kExitError;
    }
}

}  // namespace q9tx
