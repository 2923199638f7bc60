// q9tx: the programmer's settings files and pagers on the command line, without a display.

#include "cli/command_line_tool.h"
#include "cli/pager_commands.h"

#include <QCoreApplication>
#include <QStringList>

#include <iostream>

namespace {

// The commands that talk to a pager, after those of the settings files in the help.
const char kPagerCommands[] =
    "\nCommands with a pager:\n"
    "  q9tx read [--port DEV] -o FILE\n"
    "      Read the connected pager's settings into a file.\n"
    "  q9tx write [--port DEV] [--advance] [--wait] [--journal FILE.csv] [--backup-dir DIR] FILE\n"
    "      Write a settings file to the connected pager, or to one pager after another.\n";

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("q9tx"));
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && (arguments[0] == "read" || arguments[0] == "write")) {
        QStringList rest;
        for (std::size_t i = 1; i < arguments.size(); ++i)
            rest << QString::fromLocal8Bit(arguments[i].c_str());
        return arguments[0] == "read" ? q9tx::cli::RunReadCommand(rest) : q9tx::cli::RunWriteCommand(rest);
    }
    const int status = q9tx::RunCommandLine(arguments, std::cout, std::cerr);
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h")
        (arguments.empty() ? std::cerr : std::cout) << kPagerCommands;
    return status;
}
