#include "cli/run_options.h"

#include "cli/file_reasons.h"

namespace q9tx::cli {
namespace {

constexpr char kReadUsage[] =
    "usage: q9tx read [--port DEV]... [-o FILE] [--backup-dir DIR] [--journal FILE.csv] [--timeout SECONDS]\n"
    "Reads the connected pager's settings and saves them.\n"
    "  --port DEV          use this serial port (ttyUSB0 or a path) instead of the adapters found\n"
    "  -o, --output FILE   save the settings image to FILE\n"
    "  --backup-dir DIR    keep the image as DIR/<serial>-<time>.bin\n"
    "  --journal FILE.csv  append a line for the pager to FILE.csv\n"
    "  --timeout SECONDS   how long to wait for a pager to answer (default 10)\n"
    "Exit status: 0 read and saved, 1 the pager could not be read or the file not saved, 2 usage,\n"
    "3 the journal could not be written.\n";

constexpr char kWriteUsage[] =
    "usage: q9tx write [--port DEV]... [--advance] [--wait] [--journal FILE.csv] [--backup-dir DIR]\n"
    "                  [--allow-repeat] [--recovery] [--timeout SECONDS] FILE\n"
    "Writes the settings file FILE to the connected pager; the pager verifies what it stored.\n"
    "  --port DEV          use this serial port (ttyUSB0 or a path) instead of the adapters found\n"
    "  --advance           after a completed write, count the addresses up in FILE for the next pager:\n"
    "                      each address in use (with private storage) by its step\n"
    "  --step N            the step of every address, 0 to 8 (default 1; 0 keeps it)\n"
    "  --step addressK=N   the step of address K (1 to 8) alone; may be given for each\n"
    "  --wait              program one pager after another: wait for each to connect, write it,\n"
    "                      wait for it to be removed; until interrupted (Ctrl-C)\n"
    "  --journal FILE.csv  append a line for each pager to FILE.csv\n"
    "  --backup-dir DIR    first read each pager's image and keep it as DIR/<serial>-<time>.bin\n"
    "  --allow-repeat      also write a pager that this run or the journal has written already\n"
    "  --recovery          recovery mode: keep the PLL chip of FILE instead of the pager's\n"
    "  --timeout SECONDS   how long to wait for a pager to answer, without --wait (default 10)\n"
    "--journal and --backup-dir read the pager before writing it, for its serial number.\n"
    "Exit status: 0 written, 1 the pager could not be written (or, with --wait, a pager\n"
    "failed), 2 usage or a file that does not pass `q9tx check`, 3 the journal could not be\n"
    "written.\n";

bool TakesValue(const QString& option)
{
    return option == QLatin1String("--port") || option == QLatin1String("-o") ||
           option == QLatin1String("--output") || option == QLatin1String("--backup-dir") ||
           option == QLatin1String("--journal") || option == QLatin1String("--timeout") ||
           option == QLatin1String("--step");
}

// "N" for every address or "addressK=N" for one; false for anything else.
bool TakeStep(const QString& value, AddressSteps& steps)
{
    const QString slotPart = value.section(u'=', 0, 0);
    const bool one = value.contains(u'=');
    bool number = false;
    const int step = value.section(u'=', one ? 1 : 0).toInt(&number);
    if (!number || step < 0 || step > 8)
        return false;
    if (!one) {
        steps.fill(step);
        return true;
    }
    if (!slotPart.startsWith(QLatin1String("address")))
        return false;
    const int slot = slotPart.mid(7).toInt(&number);
    if (!number || slot < 1 || slot > kSlotCount)
        return false;
    steps[std::size_t(slot - 1)] = step;
    return true;
}

}  // namespace

std::string RunUsage(RunOptions::Command command)
{
    return command == RunOptions::Command::Read ? kReadUsage : kWriteUsage;
}

std::variant<RunOptions, UsageError> ParseRunOptions(RunOptions::Command command, const QStringList& arguments)
{
    const bool write = command == RunOptions::Command::Write;
    RunOptions options;
    options.command = command;
    std::vector<std::string> files;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString option = arguments[i];
        QString value;
        // --option=value as well as --option value.
        if (option.startsWith(QLatin1String("--")) && option.contains(u'=')) {
            value = option.section(u'=', 1);
            option = option.section(u'=', 0, 0);
            if (!TakesValue(option))
                return UsageError{option.toStdString() + " takes no value."};
        } else if (TakesValue(option)) {
            if (i + 1 >= arguments.size())
                return UsageError{option.toStdString() + " needs a value."};
            value = arguments[++i];
        }
        if (option == QLatin1String("--help") || option == QLatin1String("-h"))
            return UsageError{};
        if (TakesValue(option) && value.isEmpty())
            return UsageError{option.toStdString() + " needs a value."};
        if (option == QLatin1String("--port")) {
            options.ports.push_back(value.toStdString());
        } else if ((option == QLatin1String("-o") || option == QLatin1String("--output")) && !write) {
            options.file = value.toStdString();
        } else if (option == QLatin1String("--backup-dir")) {
            options.backupDir = value.toStdString();
        } else if (option == QLatin1String("--journal")) {
            options.journal = value.toStdString();
        } else if (option == QLatin1String("--timeout")) {
            bool number = false;
            const double seconds = value.toDouble(&number);
            if (!number || seconds <= 0 || seconds > 86400)
                return UsageError{"--timeout needs a number of seconds above 0, not " + value.toStdString() + "."};
            options.connectLimit = std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
        } else if (option == QLatin1String("--step") && write) {
            if (!TakeStep(value, options.steps))
                return UsageError{"--step needs a step of 0 to 8, or addressK=N with K from 1 to 8, not " +
                                  value.toStdString() + "."};
        } else if (option == QLatin1String("--advance") && write) {
            options.advance = true;
        } else if (option == QLatin1String("--wait") && write) {
            options.wait = true;
        } else if (option == QLatin1String("--allow-repeat") && write) {
            options.allowRepeat = true;
        } else if (option == QLatin1String("--recovery") && write) {
            options.recovery = true;
        } else if (option.startsWith(u'-') && option.size() > 1) {
            return UsageError{"Unknown option " + option.toStdString() + "."};
        } else {
            files.push_back(option.toStdString());
        }
    }
    if (write) {
        if (files.size() != 1)
            return UsageError{files.empty() ? "Name the settings file to write." : "Name one settings file only."};
        options.file = files.front();
    } else {
        if (!files.empty())
            return UsageError{"Unexpected argument " + files.front() + "; the file to save goes with -o."};
        if (options.file.empty() && options.backupDir.empty())
            return UsageError{"Name the file to save with -o FILE (or a folder with --backup-dir DIR)."};
    }
    if (!options.backupDir.empty())
        if (const std::string problem = FolderProblem(options.backupDir); !problem.empty())
            return UsageError{"The backup folder " + options.backupDir + " " + problem + "."};
    return options;
}

}  // namespace q9tx::cli
