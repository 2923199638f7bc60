#include "cli/pager_commands.h"

#include <cstdio>
#include <cstring>

#include <unistd.h>

#include "cli/file_reasons.h"
#include "cli/journal.h"
#include "cli/pager_detection.h"
#include "cli/pager_run.h"
#include "cli/result_json.h"
#include "cli/run_checks.h"
#include "cli/run_options.h"
#include "cli/status_messages.h"
#include "cli/stop_signals.h"
#include "image/image_validation.h"
#include "image/printable_text.h"
#include "image/setting_table.h"
#include "image/settings_conversion.h"
#include "image/settings_diff.h"
#include "image/settings_file_io.h"
#include "image/status_error.h"
#include "link/link_trace.h"
#include "image/status_texts.h"

namespace q9tx::cli {
namespace {

constexpr int kUsageStatus = 2;
constexpr int kFailedStatus = 1;

void Say(const std::string& line) { std::fprintf(stderr, "q9tx: %s\n", line.c_str()); }

int UsageFailure(const CommandSpec& command, const std::string& message)
{
    std::fputs(UsageMessage(command, UsageProblem{message}).c_str(), stderr);
    return kUsageStatus;
}

// The options of a read or a write, or the exit status of a refusal.
std::variant<RunOptions, int> Options(const CommandSpec& spec, const ParsedOptions& parsed)
{
    const auto command = std::strcmp(spec.name, "write") == 0 ? RunOptions::Command::Write : RunOptions::Command::Read;
    auto options = RunOptionsFrom(command, parsed);
    if (auto* taken = std::get_if<RunOptions>(&options))
        return std::move(*taken);
    return UsageFailure(spec, std::get<UsageError>(options).message);
}

struct CheckedFile {
    ConfigImage image;
    PagerSettings settings;
};

// The file when it passes what Open checks and what the editor would refuse, or the
// exit status after the reasons were printed.
std::variant<CheckedFile, int> LoadCheckedFile(const std::string& path)
{
    const std::string shown = PrintableText(path);
    ConfigImage image{};
    try {
        image = ReadSettingsFile(path);
        // No pager is known yet: a file of this program's own must carry map version 0.
        ValidateImage(0, image);
    } catch (const StatusError& error) {
        const std::string reason = error.number() == StatusFileNotRead ? ReadReason(path) : std::string();
        Say(shown + ": " + StatusMessage(error.number()) + (reason.empty() ? "" : " (" + reason + ")"));
        return kUsageStatus;
    }
    PagerSettings settings = DecodeSettings(image);
    const std::vector<SettingProblem> problems = ValidateSettings(settings);
    for (const SettingProblem& problem : problems) {
        const SettingDefinition* setting = FindSetting(problem.name);
        const std::string named = setting ? setting->label() + " (" + problem.name + ")" : problem.name;
        Say(shown + ": " + named + ": " + problem.message);
    }
    if (!problems.empty())
        return kUsageStatus;
    return CheckedFile{image, std::move(settings)};
}

// Refuses, before the first frame, a run that could not finish, so that no pager's time is
// spent on it; true when it may start.
bool MayStart(const RunOptions& options)
{
    const std::string problems = RunProblem(options);
    if (!problems.empty())
        Say(problems);
    return problems.empty();
}

int Run(PagerRun& run)
{
    StopSignals stopSignals([&run](int signal) { run.Stop(signal); });
    return run.Exec();
}

int ReadOrWrite(const CommandSpec& spec, const ParsedOptions& parsed)
{
    auto options = Options(spec, parsed);
    if (const int* status = std::get_if<int>(&options))
        return *status;
    RunOptions& runOptions = std::get<RunOptions>(options);
    CheckedFile checked{ConfigImage{}, DefaultSettings()};
    if (runOptions.command == RunOptions::Command::Write) {
        auto file = LoadCheckedFile(runOptions.file);
        if (const int* status = std::get_if<int>(&file))
            return *status;
        checked = std::move(std::get<CheckedFile>(file));
    }
    if (!MayStart(runOptions))
        return kUsageStatus;
    if (!runOptions.journal.empty()) {
        if (const std::string problem = JournalProblem(runOptions.journal); !problem.empty()) {
            Say("cannot add to the journal " + PrintableText(runOptions.journal) + ": " + problem + ".");
            return kUsageStatus;
        }
    }
    ProgressDisplay progress(stderr, ::isatty(STDERR_FILENO) == 1);
    PagerRun run(std::move(runOptions), checked.image, std::move(checked.settings), progress, stdout);
    return Run(run);
}

// Reads the pager into memory and compares it with the file: FILE -> pager.
int Verify(const CommandSpec& spec, const ParsedOptions& parsed)
{
    const std::string path = parsed.operands.front();
    ConfigImage fileImage{};
    try {
        fileImage = ReadSettingsFile(path);
        ValidateImage(0, fileImage);
    } catch (const StatusError& error) {
        Say(PrintableText(path) + ": " + StatusMessage(error.number()));
        return kUsageStatus;
    }
    // A read that saves nothing: the pager's image stays in memory.
    RunOptions verifyOptions;
    verifyOptions.ports = parsed.values("--port");
    if (const auto problem = TakeTimeout(parsed, verifyOptions))
        return UsageFailure(spec, problem->message);
    if (!MayStart(verifyOptions))
        return kUsageStatus;
    ProgressDisplay progress(stderr, ::isatty(STDERR_FILENO) == 1);
    PagerRun run(verifyOptions, ConfigImage{}, DefaultSettings(), progress, nullptr);
    if (Run(run) != 0 || !run.readImage())
        return kUsageStatus;
    const PagerSettings fileSettings = DecodeSettings(fileImage);
    const PagerSettings pagerSettings = DecodeSettings(*run.readImage());
    const std::vector<SettingDifference> differences = DiffSettings(fileSettings, pagerSettings);
    if (parsed.has("--json")) {
        std::fputs(VerifyJson(run.lastEntry(), PrintableText(path), differences, fileSettings, pagerSettings).c_str(),
                   stdout);
    } else {
        for (const SettingDifference& difference : differences)
            std::printf("%s\n", PrintableText(difference.line()).c_str());
    }
    Say(differences.empty() ? "The pager holds the settings of " + PrintableText(path) + "."
                            : "The pager differs from " + PrintableText(path) + " in " +
                                  std::to_string(differences.size()) + " settings.");
    return differences.empty() ? 0 : kFailedStatus;
}

}  // namespace

int RunPagerCommand(const CommandSpec& command, const ParsedOptions& options)
{
    if (options.has("--trace")) {
        const std::string path = options.value("--trace");
        if (const std::string problem = LinkTrace::OpenFile(path); !problem.empty()) {
            Say("cannot write the trace " + PrintableText(path) + ": " + problem + ".");
            return kUsageStatus;
        }
    }
    const std::string name = command.name;
    if (name == "detect")
        return RunDetect(options);
    if (name == "verify")
        return Verify(command, options);
    return ReadOrWrite(command, options);
}

}  // namespace q9tx::cli
