// q9tx: the programmer's settings files on the command line.

#include "cli/command_line_tool.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("q9tx"));
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return q9tx::RunCommandLine(arguments, std::cout, std::cerr);
}
