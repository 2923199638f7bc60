#include "cli/command_line_tool.h"

#include "cli/settings_json.h"
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
#include <functional>
#include <optional>

namespace q9tx {

namespace {

// Without a pager the map version stands at its first item.
constexpr int kNoPagerMapVersion = 0;

struct Options {
    std::vector<std::string> operands;
    bool json = false;
    bool help = false;
    std::optional<std::string> output;
};

struct Command {
    const char* name;
    const char* usage;
    const char* summary;
    bool takesJson;
    bool takesOutput;
    std::size_t minimumOperands;
    std::size_t maximumOperands;  // 0: no limit
    std::function<int(const Options&, std::ostream&, std::ostream&)> run;
};

// An error the command reports on stderr, ending it with status 2.
struct CommandError {
    std::string message;
};

std::string Labelled(const SettingProblem& problem)
{
    const SettingDefinition* setting = FindSetting(problem.name);
    return setting ? setting->label() + " (" + problem.name + "): " + problem.message
                   : problem.name + ": " + problem.message;
}

// Reads the file and applies Open's checks: a file of a settings image that passes them.
ConfigImage LoadImage(const std::string& path)
{
    try {
        const ConfigImage image = ReadSettingsFile(path);
        ValidateImage(kNoPagerMapVersion, image);
        return image;
    } catch (const StatusError& error) {
        throw CommandError{path + ": " + std::string(StatusTextOf(error.number()))};
    }
}

int Show(const Options& options, std::ostream& out, std::ostream&)
{
    const PagerSettings settings = DecodeSettings(LoadImage(options.operands[0]));
    if (options.json) {
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
        out << "    " << setting.caption << ": " << FormatValue(setting, settings.value(setting.name)) << "\n";
    }
    return kExitOk;
}

int Diff(const Options& options, std::ostream& out, std::ostream&)
{
    const PagerSettings from = DecodeSettings(LoadImage(options.operands[0]));
    const PagerSettings to = DecodeSettings(LoadImage(options.operands[1]));
    const std::vector<SettingDifference> differences = DiffSettings(from, to);
    if (options.json) {
        out << DifferencesJson(differences, from, to);
    } else {
        for (const SettingDifference& difference : differences) {
            out << difference.line() << "\n";
        }
    }
    return differences.empty() ? kExitOk : kExitFindings;
}

int Check(const Options& options, std::ostream& out, std::ostream&)
{
    const std::string& path = options.operands[0];
    ConfigImage image{};
    try {
        image = LoadImage(path);
    } catch (const CommandError& error) {
        out << error.message << "\n";
        return kExitFindings;
    }
    const std::vector<SettingProblem> problems = ValidateSettings(DecodeSettings(image));
    for (const SettingProblem& problem : problems) {
        out << Labelled(problem) << "\n";
    }
    if (problems.empty()) {
        out << path << ": no problems found.\n";
    }
    return problems.empty() ? kExitOk : kExitFindings;
}

// The value as the pager stores texts: one byte per character.
std::string Latin1Value(const std::string& name, const std::string& localValue)
{
    const QString value = QString::fromLocal8Bit(localValue.data(), static_cast<qsizetype>(localValue.size()));
    const bool single = std::all_of(value.begin(), value.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    if (!single) {
        throw CommandError{name + ": '" + localValue + "' holds a character that the pager cannot store."};
    }
    return value.toLatin1().toStdString();
}

int Set(const Options& options, std::ostream& out, std::ostream&)
{
    const std::string& path = options.operands[0];
    PagerSettings settings = DecodeSettings(LoadImage(path));
    for (std::size_t i = 1; i < options.operands.size(); ++i) {
        const std::string& assignment = options.operands[i];
        const std::size_t equals = assignment.find('=');
        if (equals == std::string::npos || equals == 0) {
            throw CommandError{"'" + assignment + "' is not NAME=VALUE."};
        }
        const std::string name = assignment.substr(0, equals);
        if (!FindSetting(name)) {
            throw CommandError{name + ": no such setting; 'q9tx show --json FILE' lists the names."};
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
    const std::string target = options.output.value_or(path);
    try {
        WriteSettingsFile(target, EncodeSettings(settings, std::nullopt));
    } catch (const SettingsRefused& refusal) {
        throw CommandError{Labelled(refusal.problem())};
    } catch (const StatusError& error) {
        throw CommandError{target + ": " + std::string(StatusTextOf(error.number()))};
    }
    out << "Saved data to " << target << ".\n";
    return kExitOk;
}

const Command kCommands[] = {
    {"show", "q9tx show FILE [--json]", "Print every setting of a settings file, grouped as the window shows them.",
     true, false, 1, 1, Show},
    {"diff", "q9tx diff FILE_A FILE_B [--json]",
     "Print the settings in which two files differ; exit 0 when equal, 1 when different, 2 on error.", true, false,
     2, 2, Diff},
    {"check", "q9tx check FILE",
     "Check a settings file as File, Open does and name every setting the editor would refuse to save or write; "
     "exit 0 when there is nothing to report, 1 otherwise.",
     false, false, 1, 1, Check},
    {"set", "q9tx set FILE NAME=VALUE... [-o OUT]",
     "Change settings by control name as the editor would, and save the file (or OUT) whole; nothing is written "
     "when a value or the result is refused.",
     false, true, 2, 0, Set},
};

void PrintHelp(std::ostream& out)
{
    out << "Usage: q9tx COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const Command& command : kCommands) {
        out << "  " << command.usage << "\n      " << command.summary << "\n";
    }
    out << "\n'q9tx COMMAND --help' describes one command.\n";
}

Options ParseOptions(const Command& command, const std::vector<std::string>& arguments)
{
    Options options;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--json" && command.takesJson) {
            options.json = true;
        } else if ((argument == "-o" || argument == "--output") && command.takesOutput) {
            if (i + 1 == arguments.size()) {
                throw CommandError{argument + " needs a file name."};
            }
            options.output = arguments[++i];
        } else if (argument.size() > 1 && argument[0] == '-' && argument.find('=') == std::string::npos) {
            throw CommandError{"unknown option '" + argument + "'.\nUsage: " + command.usage};
        } else {
            options.operands.push_back(argument);
        }
    }
    const std::size_t count = options.operands.size();
    if (!options.help && (count < command.minimumOperands ||
                          (command.maximumOperands != 0 && count > command.maximumOperands))) {
        throw CommandError{std::string("wrong number of arguments.\nUsage: ") + command.usage};
    }
    return options;
}

}  // namespace

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
        PrintHelp(arguments.empty() ? err : out);
        return arguments.empty() ? kExitError : kExitOk;
    }
    const auto command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                      [&](const Command& c) { return arguments[0] == c.name; });
    if (command == std::end(kCommands)) {
        err << "q9tx: unknown command '" << arguments[0] << "'. 'q9tx --help' lists the commands.\n";
        return kExitError;
    }
    try {
        const Options options = ParseOptions(*command, arguments);
        if (options.help) {
            out << "Usage: " << command->usage << "\n" << command->summary << "\n";
            return kExitOk;
        }
        return command->run(options, out, err);
    } catch (const CommandError& error) {
        err << "q9tx " << command->name << ": " << error.message << "\n";
        return kExitError;
    }
}

}  // namespace q9tx
