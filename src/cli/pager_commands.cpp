#include "cli/pager_commands.h"

#include <cstdio>

#include <unistd.h>

#include "cli/file_reasons.h"
#include "cli/journal.h"
#include "cli/pager_run.h"
#include "cli/run_checks.h"
#include "cli/run_options.h"
#include "cli/status_messages.h"
#include "cli/stop_signals.h"
#include "image/image_validation.h"
#include "image/setting_table.h"
#include "image/settings_conversion.h"
#include "image/settings_file_io.h"
#include "image/status_error.h"
#include "image/status_texts.h"

namespace q9tx::cli {
namespace {

constexpr int kUsageStatus = 2;

const char* CommandName(RunOptions::Command command)
{
    return command == RunOptions::Command::Read ? "read" : "write";
}

// The options, or the exit status when there is nothing to run.
std::variant<RunOptions, int> Options(RunOptions::Command command, const QStringList& arguments)
{
    auto parsed = ParseRunOptions(command, arguments);
    if (auto* options = std::get_if<RunOptions>(&parsed))
        return std::move(*options);
    const std::string& message = std::get<UsageError>(parsed).message;
    if (message.empty()) {
        std::fputs(RunUsage(command).c_str(), stdout);
        return 0;
    }
    std::fprintf(stderr, "q9tx %s: %s\nTry 'q9tx %s --help'.\n", CommandName(command), message.c_str(),
                 CommandName(command));
    return kUsageStatus;
}

int Run(const RunOptions& options, const ConfigImage& file, PagerSettings settings)
{
    // Before the first frame, so that no pager waits for a run that cannot finish.
    if (const std::string problems = RunProblem(options); !problems.empty()) {
        std::fprintf(stderr, "q9tx %s: %s\n", CommandName(options.command), problems.c_str());
        return kUsageStatus;
    }
    if (!options.journal.empty()) {
        if (const std::string problem = JournalProblem(options.journal); !problem.empty()) {
            std::fprintf(stderr, "q9tx %s: cannot add to the journal %s: %s.\n", CommandName(options.command),
                         options.journal.c_str(), problem.c_str());
            return kUsageStatus;
        }
    }
    ProgressDisplay progress(stderr, ::isatty(STDERR_FILENO) == 1);
    PagerRun run(options, file, std::move(settings), progress, stdout);
    StopSignals stopSignals([&run](int signal) { run.Stop(signal); });
    return run.Exec();
}

struct CheckedFile {
    ConfigImage image;
    PagerSettings settings;
};

// The file when it passes what Open checks and what the editor would refuse, or the
// exit status after the reasons were printed.
std::variant<CheckedFile, int> LoadCheckedFile(const std::string& path)
{
    ConfigImage image{};
    try {
        image = ReadSettingsFile(path);
        // No pager is known yet: a file of this program's own must carry map version 0.
        ValidateImage(0, image);
    } catch (const StatusError& error) {
        const std::string reason = error.number() == StatusFileNotRead ? ReadReason(path) : std::string();
        std::fprintf(stderr, "q9tx write: %s: %s%s\n", path.c_str(), StatusMessage(error.number()).c_str(),
                     reason.empty() ? "" : (" (" + reason + ")").c_str());
        return kUsageStatus;
    }
    PagerSettings settings = DecodeSettings(image);
    const std::vector<SettingProblem> problems = ValidateSettings(settings);
    for (const SettingProblem& problem : problems) {
        const SettingDefinition* setting = FindSetting(problem.name);
        const std::string named = setting ? setting->label() + " (" + problem.name + ")" : problem.name;
        std::fprintf(stderr, "q9tx write: %s: %s: %s\n", path.c_str(), named.c_str(), problem.message.c_str());
    }
    if (!problems.empty())
        return kUsageStatus;
    return CheckedFile{image, std::move(settings)};
}

}  // namespace

int RunReadCommand(const QStringList& arguments)
{
    auto options = Options(RunOptions::Command::Read, arguments);
    if (const int* status = std::get_if<int>(&options))
        return *status;
    return Run(std::get<RunOptions>(options), ConfigImage{}, DefaultSettings());
}

int RunWriteCommand(const QStringList& arguments)
{
    auto options = Options(RunOptions::Command::Write, arguments);
    if (const int* status = std::get_if<int>(&options))
        return *status;
    const RunOptions& runOptions = std::get<RunOptions>(options);
    auto file = LoadCheckedFile(runOptions.file);
    if (const int* status = std::get_if<int>(&file))
        return *status;
    CheckedFile& checked = std::get<CheckedFile>(file);
    return Run(runOptions, checked.image, std::move(checked.settings));
}

}  // namespace q9tx::cli
