// q9tx: the programmer's settings files and pagers on the command line, without a display.

#include "cli/command_line_tool.h"
#include "cli/pager_commands.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("q9tx"));
    // The arguments as the bytes given: a file name reaches the file system unchanged.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return q9tx::RunCommandLine(arguments, std::cout, std::cerr, q9tx::cli::RunPagerCommand);
}
