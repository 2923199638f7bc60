#include "app/command_line.h"

#include <cstdio>
#include <cstdlib>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include "image/path_bytes.h"

namespace q9tx {
namespace {

// The options QGuiApplication, QApplication and the platform plugins take for themselves.
struct ToolkitOption {
    const char* name;
    bool takesValue;
};
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true},   {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},  {"qwindowtitle", true},  {"session", true},
    {"display", true},    {"geometry", true},          {"name", true},          {"title", true},
    {"visual", true},     {"ncols", true},             {"cmap", true},          {"style", true},
    {"stylesheet", true}, {"qmljsdebugger", true},     {"reverse", false},      {"widgetcount", false},
    {"nograb", false},    {"dograb", false},           {"sync", false},         {"testability", false},
};

// The toolkit option an argument names ("-style", "--style", "-style=fusion"), or none.
const ToolkitOption* ToolkitOptionOf(const QString& argument, bool& valueAttached)
{
    if (!argument.startsWith(u'-') || argument == QLatin1String("--"))
        return nullptr;
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    valueAttached = name.contains(u'=');
    name = name.section(u'=', 0, 0);
    for (const ToolkitOption& option : kToolkitOptions) {
        if (name == QLatin1String(option.name) && (option.takesValue || !valueAttached))
            return &option;
    }
    return nullptr;
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& given)
{
    CommandLine result;
    // The toolkit's options go to the application object, which reads them itself.
    QStringList arguments;
    for (qsizetype i = 0; i < given.size(); ++i) {
        bool valueAttached = false;
        const ToolkitOption* option = i > 0 ? ToolkitOptionOf(given[i], valueAttached) : nullptr;
        if (!option) {
            arguments << given[i];
            continue;
        }
        if (qstrcmp(option->name, "platform") == 0)
            result.platformGiven = true;
        if (option->takesValue && !valueAttached)
            ++i;
    }

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
    const QCommandLineOption trace(QStringLiteral("trace"),
                                   QStringLiteral("Write every frame in and out and the port's events to FILE, "
                                                  "for support."),
                                   QStringLiteral("FILE"));
    parser.addOption(port);
    parser.addOption(simulate);
    parser.addOption(trace);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A settings file to load once the window is up."),
                                 QStringLiteral("[FILE]"));
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
    result.files = parser.positionalArguments();
    for (const QString& device : parser.values(port))
        result.ports.push_back(PathBytes(device));
    result.simulate = parser.isSet(simulate);
    result.trace = QFile::encodeName(parser.value(trace)).toStdString();
    return result;
}

}  // namespace q9tx
