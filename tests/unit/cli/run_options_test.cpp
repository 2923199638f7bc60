// The options of `q9tx read` and `q9tx write`: what is taken, and a clear refusal for
// everything else.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sstream>

#include "cli/run_options.h"

namespace q9tx::cli {
namespace {

using Command = RunOptions::Command;

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> words;
    std::istringstream stream(line);
    for (std::string word; stream >> word;)
        words.push_back(word);
    return words;
}

struct Refusal {
    Command command;
    const char* arguments;
    const char* message;  // part of the refusal
};

TEST(RunOptions, RefusesWithTheReason)
{
    const Refusal cases[] = {
        {Command::Read, "", "-o FILE"},
        {Command::Read, "--port", "option '--port' needs a value"},
        {Command::Read, "-o", "option '-o' needs a value"},
        {Command::Read, "--output=", "option '--output' needs a value"},
        {Command::Read, "-o a.bin extra", "unexpected argument 'extra'"},
        {Command::Read, "-o a.bin --advance", "unknown option '--advance'"},
        {Command::Read, "-o a.bin --wait", "unknown option '--wait'"},
        {Command::Read, "-o a.bin --timeout 0", "'--timeout' needs a number from 0.1 to 86400, not '0'"},
        {Command::Read, "-o a.bin --timeout soon", "'--timeout' needs a number"},
        {Command::Read, "-o a.bin --backup-dir /no/such/folder", "does not exist"},
        {Command::Read, "-o a.bin --backup-dir /dev/null", "is not a folder"},
        {Command::Write, "", "name the settings file"},
        {Command::Write, "a.bin b.bin", "one settings file"},
        {Command::Write, "-o out.bin a.bin", "unknown option '-o'"},
        {Command::Write, "--advance=yes a.bin", "option '--advance' takes no value"},
        {Command::Write, "--frobnicate a.bin", "unknown option '--frobnicate'"},
        {Command::Write, "--step 9 a.bin", "'--step' needs a step of 0 to 8"},
        {Command::Write, "--step -1 a.bin", "'--step' needs a step of 0 to 8"},
        {Command::Write, "--step address9=1 a.bin", "'--step' needs"},
        {Command::Write, "--step address0=1 a.bin", "'--step' needs"},
        {Command::Write, "--step frame3=1 a.bin", "'--step' needs"},
        {Command::Write, "--step address3= a.bin", "'--step' needs"},
        {Command::Read, "-o a.bin --step 2", "unknown option '--step'"},
        {Command::Read, "-o a.bin --timeout nan", "needs a number from 0.1 to 86400, not 'nan'"},
        {Command::Read, "-o a.bin --timeout 1e-9", "not '1e-9'"},
        {Command::Read, "-o a.bin --timeout inf", "not 'inf'"},
        {Command::Read, "-o a.bin --timeout 86400.5", "not '86400.5'"},
        {Command::Read, "-o a.bin --timeout 0x10", "not '0x10'"},
        {Command::Read, "-o a.bin --timeout 1.", "not '1.'"},
        {Command::Write, "--step 1.5 a.bin", "'--step' needs"},
        {Command::Write, "--step +2 a.bin", "'--step' needs"},
        {Command::Read, "--backup-dir \xFF\xFE", "the backup folder '\\xFF\\xFE' does not exist"},
    };
    for (const Refusal& c : cases) {
        const auto parsed = ParseRunOptions(c.command, Split(c.arguments));
        const auto* refusal = std::get_if<UsageError>(&parsed);
        ASSERT_NE(refusal, nullptr) << c.arguments;
        EXPECT_NE(refusal->message.find(c.message), std::string::npos) << c.arguments << ": " << refusal->message;
    }
}

TEST(RunOptions, HelpIsNoRefusal)
{
    for (const Command command : {Command::Read, Command::Write}) {
        for (const char* help : {"--help", "-h", "a.bin --help"}) {
            const auto parsed = ParseRunOptions(command, Split(help));
            ASSERT_TRUE(std::holds_alternative<UsageError>(parsed)) << help;
            EXPECT_EQ(std::get<UsageError>(parsed).message, "") << help;
        }
        EXPECT_NE(RunUsage(command).find(command == Command::Read ? "q9tx read" : "q9tx write"), std::string::npos);
    }
}

TEST(RunOptions, TakesEveryOption)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString();
    const auto write = ParseRunOptions(
        Command::Write, Split("--port ttyUSB0 --port=/dev/pts/4 --advance --wait --journal fleet.csv --recovery "
                              "--allow-repeat --backup-dir " + folder + " --timeout 2.5 template.bin"));
    ASSERT_TRUE(std::holds_alternative<RunOptions>(write));
    const RunOptions& w = std::get<RunOptions>(write);
    EXPECT_EQ(w.command, Command::Write);
    EXPECT_EQ(w.ports, (std::vector<std::string>{"ttyUSB0", "/dev/pts/4"}));
    EXPECT_EQ(w.file, "template.bin");
    EXPECT_EQ(w.journal, "fleet.csv");
    EXPECT_EQ(w.backupDir, folder);
    EXPECT_TRUE(w.advance && w.wait && w.recovery && w.allowRepeat);
    EXPECT_EQ(w.connectLimit, std::chrono::milliseconds(2500));

    const auto read = ParseRunOptions(Command::Read, Split("--output=customer.bin"));
    ASSERT_TRUE(std::holds_alternative<RunOptions>(read));
    const RunOptions& r = std::get<RunOptions>(read);
    EXPECT_EQ(r.file, "customer.bin");
    EXPECT_TRUE(r.ports.empty());
    EXPECT_FALSE(r.advance || r.wait || r.recovery || r.allowRepeat);
    // The window's limits and a pager within ten seconds, unless told otherwise.
    EXPECT_EQ(r.connectLimit, std::chrono::milliseconds(10'000));
    EXPECT_EQ(r.limits.silence, std::chrono::milliseconds(30'000));
    EXPECT_EQ(r.limits.verdict, std::chrono::milliseconds(120'000));

    // Steps: one for all, then single addresses; the last word for an address stands.
    const auto stepped = ParseRunOptions(
        Command::Write, Split("--step 8 --step address3=1 --step=address8=0 --step address3=2 a.bin"));
    ASSERT_TRUE(std::holds_alternative<RunOptions>(stepped));
    EXPECT_EQ(std::get<RunOptions>(stepped).steps, (AddressSteps{8, 8, 2, 8, 8, 8, 8, 0}));
    EXPECT_EQ(w.steps, (AddressSteps{1, 1, 1, 1, 1, 1, 1, 1}));

    // A read may keep only the backup.
    EXPECT_TRUE(std::holds_alternative<RunOptions>(ParseRunOptions(Command::Read, Split("--backup-dir " + folder))));
}

}  // namespace
}  // namespace q9tx::cli
