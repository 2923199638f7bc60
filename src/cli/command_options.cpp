#include "cli/command_options.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "image/printable_text.h"

namespace q9tx::cli {
namespace {

const OptionSpec kHelpOption{"--help", "-h", nullptr, "show this help and exit"};

std::string Quoted(std::string_view text) { return "'" + PrintableText(text) + "'"; }

const OptionSpec* FindOption(const CommandSpec& command, std::string_view name)
{
    if (name == kHelpOption.name || name == kHelpOption.shortName)
        return &kHelpOption;
    const auto found = std::find_if(command.options.begin(), command.options.end(), [&](const OptionSpec& option) {
        return name == option.name || (option.shortName && name == option.shortName);
    });
    return found == command.options.end() ? nullptr : &*found;
}

// "1.5" with up to `decimals` digits after the point: digits only, so that "nan", "inf",
// "1e-9", "+2" and "0x10" are refused rather than read by strtod's wider rules.
bool IsPlainDecimal(std::string_view text, int decimals)
{
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    const auto digits = [](std::string_view part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.empty() || !digits(whole) || !digits(fraction))
        return false;
    if (point != std::string_view::npos && fraction.empty())
        return false;
    return fraction.size() <= std::size_t(decimals) && whole.size() <= 15;
}

std::string NumberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

bool ParsedOptions::has(std::string_view name) const
{
    return std::any_of(given.begin(), given.end(), [&](const auto& option) { return option.first == name; });
}

std::string ParsedOptions::value(std::string_view name) const
{
    std::string last;
    for (const auto& option : given) {
        if (option.first == name)
            last = option.second;
    }
    return last;
}

std::vector<std::string> ParsedOptions::values(std::string_view name) const
{
    std::vector<std::string> all;
    for (const auto& option : given) {
        if (option.first == name)
            all.push_back(option.second);
    }
    return all;
}

std::variant<ParsedOptions, UsageProblem> ParseCommandOptions(const CommandSpec& command,
                                                              const std::vector<std::string>& arguments)
{
    ParsedOptions parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            parsed.operands.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = argument.rfind("--", 0) == 0 ? argument.find('=') : std::string::npos;
        const std::string name = argument.substr(0, equals);
        const OptionSpec* option = FindOption(command, name);
        if (!option)
            return UsageProblem{"unknown option " + Quoted(name) + "."};
        if (option == &kHelpOption) {
            if (equals != std::string::npos)
                return UsageProblem{"option " + Quoted(option->name) + " takes no value."};
            parsed.help = true;
            continue;
        }
        if (!option->value && equals != std::string::npos)
            return UsageProblem{"option " + Quoted(option->name) + " takes no value."};
        std::string value;
        if (option->value) {
            if (equals != std::string::npos)
                value = argument.substr(equals + 1);
            else if (i + 1 < arguments.size())
                value = arguments[++i];
            if (value.empty())
                return UsageProblem{"option " + Quoted(name) + " needs a value (" + option->value + ")."};
        }
        parsed.given.emplace_back(option->name, std::move(value));
    }
    const std::size_t count = parsed.operands.size();
    if (!parsed.help && (count < command.minimumOperands || count > command.maximumOperands))
        return UsageProblem{"wrong number of arguments."};
    return parsed;
}

std::variant<double, UsageProblem> NumberOption(std::string_view option, std::string_view text, double lowest,
                                                double highest, int decimals)
{
    const double value = IsPlainDecimal(text, decimals) ? std::strtod(std::string(text).c_str(), nullptr) : NAN;
    if (std::isfinite(value) && value >= lowest && value <= highest)
        return value;
    return UsageProblem{"option " + Quoted(option) + " needs " + (decimals > 0 ? "a number" : "a whole number") +
                        " from " + NumberText(lowest) + " to " + NumberText(highest) + ", not " + Quoted(text) +
                        "."};
}

std::string CommandHelp(const CommandSpec& command)
{
    std::string help = std::string("Usage: ") + command.synopsis + "\n" + command.summary + "\n";
    std::vector<const OptionSpec*> options;
    for (const OptionSpec& option : command.options)
        options.push_back(&option);
    options.push_back(&kHelpOption);
    help += "Options:\n";
    for (const OptionSpec* option : options) {
        std::string names = std::string(option->shortName ? option->shortName : "") +
                            (option->shortName ? ", " : "") + option->name;
        if (option->value)
            names += std::string(" ") + option->value;
        names.resize(std::max<std::size_t>(names.size() + 2, 22), ' ');
        help += "  " + names + option->help + "\n";
    }
    if (command.exitStatus)
        help += std::string("Exit status: ") + command.exitStatus + "\n";
    return help;
}

std::string UsageMessage(const CommandSpec& command, const UsageProblem& problem)
{
    return "q9tx: " + problem.message + "\nTry 'q9tx " + command.name + " --help'.\n";
}

}  // namespace q9tx::cli
