#include "cli/command_table.h"

#include <algorithm>

namespace q9tx::cli {
namespace {

const OptionSpec kPort{"--port", nullptr, "DEV",
                       "use this serial port (ttyUSB0 or a path) instead of the adapters found; repeatable"};
const OptionSpec kTimeout{"--timeout", nullptr, "SECONDS", "how long to wait for a pager to answer (default 10)"};
const OptionSpec kJson{"--json", nullptr, nullptr, "print the result as JSON on stdout"};
const OptionSpec kTrace{"--trace", nullptr, "FILE",
                        "write every frame in and out and the port's events to FILE, for support"};

}  // namespace

const std::vector<CommandSpec>& CommandTable()
{
    static const std::vector<CommandSpec> commands = {
        {"show", "q9tx show [--json] FILE", "Print every setting of a settings file, grouped as the window shows them.",
         {{"--json", nullptr, nullptr, "print the settings as one JSON object, keyed by control name"}},
         1, 1, "0 shown, 2 usage or a file that cannot be read."},
        {"diff", "q9tx diff [--json] FILE_A FILE_B",
         "Print the settings in which two files differ (FILE_A -> FILE_B).",
         {{"--json", nullptr, nullptr, "print the differences as a JSON array"}},
         2, 2, "0 equal, 1 different, 2 usage or a file that cannot be read."},
        {"check", "q9tx check [--json] FILE",
         "Check a settings file as File, Open does and name every setting the editor would refuse to save or "
         "write.",
         {kJson}, 1, 1, "0 nothing to report, 1 problems found, 2 usage."},
        {"set", "q9tx set [-o OUT] FILE NAME=VALUE...",
         "Change settings by control name as the editor would, and save the file (or OUT) whole; nothing is "
         "written when a value or the result is refused.",
         {{"--output", "-o", "OUT", "save to OUT instead of FILE"}}, 2, kAnyNumber, "0 saved, 2 refused or usage."},
        {"read", "q9tx read [--port DEV]... [-o FILE] [--backup-dir DIR] [--journal FILE.csv] [--timeout SECONDS] "
                 "[--json] [--trace FILE]",
         "Read the connected pager's settings and save them.",
         {kPort,
          {"--output", "-o", "FILE", "save the settings image to FILE"},
          {"--backup-dir", nullptr, "DIR", "keep the image as DIR/<serial>-<time>.bin"},
          {"--journal", nullptr, "FILE.csv", "append a line for the pager to FILE.csv"},
          kTimeout,
          {"--json", nullptr, nullptr, "print the result as JSON on stdout (the journal's fields)"},
          kTrace},
         0, kAnyNumber,
         "0 read and saved, 1 the pager could not be read or the file not saved, 2 usage, 3 the journal could not "
         "be written."},
        {"write", "q9tx write [--port DEV]... [--advance] [--step N|addressK=N]... [--wait] [--journal FILE.csv] "
                  "[--backup-dir DIR] [--allow-repeat] [--recovery] [--timeout SECONDS] [--json] [--trace FILE] FILE",
         "Write the settings file FILE to the connected pager, or with --wait to one pager after another; the "
         "pager verifies what it stored. --journal and --backup-dir read the pager before writing it, for its "
         "serial number.",
         {kPort,
          {"--advance", nullptr, nullptr,
           "after a completed write, count each address in use (with private storage) up in FILE by its step"},
          {"--step", nullptr, "N|addressK=N",
           "the step of every address (N, 0 to 8, default 1) or of address K (1 to 8) alone"},
          {"--wait", nullptr, nullptr,
           "program one pager after another: wait for each, write it, wait for its removal; until interrupted"},
          {"--journal", nullptr, "FILE.csv", "append a line for each pager to FILE.csv"},
          {"--backup-dir", nullptr, "DIR", "first read each pager's image and keep it as DIR/<serial>-<time>.bin"},
          {"--allow-repeat", nullptr, nullptr, "also write a pager that this run or the journal has written already"},
          {"--recovery", nullptr, nullptr, "recovery mode: keep the PLL chip of FILE instead of the pager's"},
          {"--timeout", nullptr, "SECONDS", "how long to wait for a pager to answer, without --wait (default 10)"},
          {"--json", nullptr, nullptr, "print each pager's result as one JSON line on stdout (the journal's fields)"},
          kTrace},
         0, kAnyNumber,
         "0 written, 1 the pager could not be written (with --wait: a pager failed), 2 usage or a file that does "
         "not pass 'q9tx check', 3 the journal could not be written."},
        {"detect", "q9tx detect [--port DEV]... [--timeout SECONDS] [--json] [--trace FILE]",
         "List the ports found (and those named with --port) and, for each, the pager that answers: firmware, "
         "information text and serial number. Reads nothing else and writes nothing.",
         {{"--port", nullptr, "DEV", "probe this serial port too (ttyUSB0 or a path); repeatable"},
          {"--timeout", nullptr, "SECONDS", "how long to wait for a pager on each port (default 3)"},
          {"--json", nullptr, nullptr, "print one JSON line per port on stdout"},
          kTrace},
         0, 0, "0 a pager answered, 1 none did, 2 usage."},
        {"verify", "q9tx verify [--port DEV]... [--timeout SECONDS] [--json] [--trace FILE] FILE",
         "Read the connected pager and print, as 'q9tx diff' does, the settings in which the pager differs from "
         "FILE (FILE -> pager). Writes nothing.",
         {kPort, kTimeout, kJson, kTrace}, 1, 1,
         "0 equal, 1 different, 2 error (usage, the file, or the pager could not be read)."},
    };
    return commands;
}

const CommandSpec* FindCommand(std::string_view name)
{
    const auto& commands = CommandTable();
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [&](const CommandSpec& command) { return name == command.name; });
    return found == commands.end() ? nullptr : &*found;
}

std::string ToolHelp()
{
    std::string help =
        "Usage: q9tx COMMAND [OPTION]... [ARGUMENT]...\n"
        "       q9tx help [COMMAND] | --help | --version\n"
        "Settings files and pagers of the Q9TX Programmer, without a display. Options take their value as\n"
        "'--opt value' or '--opt=value'; '--' ends the options.\n";
    for (const CommandSpec& command : CommandTable())
        help += "\n" + CommandHelp(command);
    return help;
}

}  // namespace q9tx::cli
