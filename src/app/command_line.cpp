#include "app/command_line.h"

#include <cstdio>
#include <cstdlib>

#include <QCommandLineParser>
#include <QCoreApplication>

namespace q9tx {

CommandLine ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Programs Q9TX pagers through a USB-serial cable. Without options it finds the cable's\n"
        "port by itself."));
    // Our own help and version options: they are read before the application object
    // exists, so that they work without a display.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Probe DEVICE too, before the adapters found (repeatable): a "
                                                 "name under /dev such as ttyS0, or a path."),
                                  QStringLiteral("DEVICE"));
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("Start the built-in simulated pager and probe its port."));
    parser.addOption(port);
    parser.addOption(simulate);
    const auto usage = [&parser] {
        return parser.helpText().replace(QStringLiteral("<executable_name>"), QCoreApplication::applicationName());
    };
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n\n%s", qPrintable(parser.errorText()), qPrintable(usage()));
        std::exit(2);
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(usage()), stdout);
        std::exit(0);
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(QCoreApplication::applicationName()),
                    qPrintable(QCoreApplication::applicationVersion()));
        std::exit(0);
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "Unexpected argument: %s\n\n%s", qPrintable(parser.positionalArguments().first()),
                     qPrintable(usage()));
        std::exit(2);
    }

    CommandLine result;
    for (const QString& device : parser.values(port))
        result.ports.push_back(device.toStdString());
    result.simulate = parser.isSet(simulate);
    return result;
}

}  // namespace q9tx
