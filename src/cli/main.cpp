// q9tx: the programmer's command-line companion. No display is needed.

#include <cstdio>

#include <QCoreApplication>

#include "cli/pager_commands.h"

namespace {

const char kUsage[] =
    "usage: q9tx COMMAND [OPTIONS]\n"
    "  read   read the connected pager's settings into a file\n"
    "  write  write a settings file to the connected pager, or to one pager after another\n"
    "'q9tx COMMAND --help' describes each command.\n";

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("q9tx"));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (command == QLatin1String("read"))
        return q9tx::cli::RunReadCommand(arguments);
    if (command == QLatin1String("write"))
        return q9tx::cli::RunWriteCommand(arguments);
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::fprintf(stderr, "%s%s", command.isEmpty() ? "" : "q9tx: unknown command.\n", kUsage);
    return 2;
}
