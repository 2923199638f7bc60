// The q9tx commands on settings files: output against expected text, exit status, and
// hostile input, each refused with its message and with no file written.

#include "cli/command_line_tool.h"
#include "image/image_validation.h"
#include "image/settings_conversion.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace q9tx {
namespace {

namespace fs = std::filesystem;

struct Result {
    int status;
    std::string out;
    std::string err;
};

std::string Slurp(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string BytesOf(const ConfigImage& image) { return std::string(image.begin(), image.end()); }

class CommandLineTool : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/q9tx-cli-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
        const ConfigImage startup = EncodeSettings(DefaultSettings(), std::nullopt);
        WriteBytes(dir_ / "startup.bin", BytesOf(startup));

        PagerSettings changed = DefaultSettings();
        changed.setNumber("address3", 2004024 + 40);
        changed.setNumber("storage2", 1);
        changed.setChecked("folderEn1", true);
        changed.setNumber("folderSize1", 12);
        changed.setText("banner", "Night shift team    ");
        changed.setNumber("frequency", 152'012'500);
        changed.setNumber("toneUrgent", 0x1234);
        changed.setText("finish5", "17:30");
        WriteBytes(dir_ / "changed.bin", BytesOf(EncodeSettings(changed, std::nullopt)));

        PagerSettings faulty = DefaultSettings();
        faulty.setNumber("address2", 2004040);   // the capcode of address 6
        faulty.setNumber("address7", 2007665);  // reserved
        faulty.setText("start3", "18:00");
        faulty.setText("finish3", "09:00");
        faulty.setNumber("pllChip", 1);
        faulty.setNumber("frequency", 400'000'000);  // the FS8170 can, the editor's FS8108 cannot
        WriteBytes(dir_ / "faulty.bin", BytesOf(EncodeSettings(faulty, std::nullopt)));

        ConfigImage corrupted = startup;
        corrupted[200] ^= 1;
        WriteBytes(dir_ / "corrupted.bin", BytesOf(corrupted));
        ConfigImage foreign = startup;
        foreign[0] = 0;
        WriteBytes(dir_ / "foreign.bin", BytesOf(foreign));
        ConfigImage otherMap = startup;
        otherMap[3] = 2;
        StoreCheckWord1(otherMap);
        WriteBytes(dir_ / "othermap.bin", BytesOf(otherMap));
        WriteBytes(dir_ / "short.bin", BytesOf(startup).substr(0, 511));
        WriteBytes(dir_ / "long.bin", BytesOf(startup) + std::string(88, '\xFF'));
        WriteBytes(dir_ / "empty.bin", "");
        ASSERT_EQ(::mkfifo((dir_ / "x.bin").c_str(), 0600), 0);
        fs::create_directory(dir_ / "folder.bin");
        WriteBytes(dir_ / "read-only.bin", BytesOf(startup));
        fs::permissions(dir_ / "read-only.bin", fs::perms::owner_read | fs::perms::group_read);
        fs::create_symlink(dir_ / "nowhere.bin", dir_ / "dangling.bin");
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs the tool in the test's folder, with "@name" standing for a file there.
    Result run(std::vector<std::string> arguments) const
    {
        for (std::string& argument : arguments) {
            if (!argument.empty() && argument[0] == '@') {
                argument = (dir_ / argument.substr(1)).string();
            }
        }
        std::ostringstream out;
        std::ostringstream err;
        // The pager commands print what the parser handed them.
        const auto pagerCommand = [&out](const cli::CommandSpec& command, const cli::ParsedOptions& options) {
            out << command.name;
            for (const auto& [name, value] : options.given)
                out << " " << name << "=" << value;
            out << " |";
            for (const std::string& operand : options.operands)
                out << " " << operand;
            out << "\n";
            return 0;
        };
        const int status = RunCommandLine(arguments, out, err, pagerCommand);
        return {status, relative(out.str()), relative(err.str())};
    }

    // The folder's path in output becomes "@".
    std::string relative(std::string text) const
    {
        const std::string folder = dir_.string() + "/";
        for (std::size_t at = text.find(folder); at != std::string::npos; at = text.find(folder, at)) {
            text.replace(at, folder.size(), "@");
        }
        return text;
    }

    std::map<std::string, std::string> snapshot() const
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            files[entry.path().filename().string()] = entry.is_regular_file() ? Slurp(entry.path()) : "(not a file)";
        }
        return files;
    }

    static std::string golden(const std::string& name)
    {
        const fs::path path = fs::path(Q9TX_CLI_GOLDEN_DIR) / name;
        if (std::getenv("Q9TX_WRITE_GOLDEN")) {
            return {};
        }
        return Slurp(path);
    }

    static void compareGolden(const std::string& name, const std::string& actual)
    {
        if (std::getenv("Q9TX_WRITE_GOLDEN")) {
            WriteBytes(fs::path(Q9TX_CLI_GOLDEN_DIR) / name, actual);
            return;
        }
        EXPECT_EQ(actual, golden(name)) << name;
    }

    fs::path dir_;
};

TEST_F(CommandLineTool, OutputMatchesTheExpectedText)
{
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* golden;
    } cases[] = {
        {{"show", "@startup.bin"}, 0, "show_startup.txt"},
        {{"show", "--json", "@changed.bin"}, 0, "show_changed.json"},
        {{"diff", "@startup.bin", "@changed.bin"}, 1, "diff_startup_changed.txt"},
        {{"diff", "@startup.bin", "@changed.bin", "--json"}, 1, "diff_startup_changed.json"},
        {{"check", "@faulty.bin"}, 1, "check_faulty.txt"},
        {{"--help"}, 0, "help.txt"},
    };
    for (const auto& test : cases) {
        const Result result = run(test.arguments);
        EXPECT_EQ(result.status, test.status) << test.golden << "\n" << result.err;
        EXPECT_EQ(result.err, "") << test.golden;
        compareGolden(test.golden, result.out);
    }
}

TEST_F(CommandLineTool, ExitStatusAndMessages)
{
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {{"diff", "@startup.bin", "@long.bin"}, 0, "", ""},
        {{"check", "@startup.bin"}, 0, "@startup.bin: no problems found.\n", ""},
        {{"check", "@short.bin"}, 1, "@short.bin: File corrupted.\n", ""},
        {{"check", "@empty.bin"}, 1, "@empty.bin: File corrupted.\n", ""},
        {{"check", "@corrupted.bin"}, 1, "@corrupted.bin: The content is corrupted.\n", ""},
        {{"check", "@foreign.bin"}, 1, "@foreign.bin: Pager unsupported.\n", ""},
        {{"check", "@othermap.bin"}, 1, "@othermap.bin: The content doesn't match the pager firmware.\n", ""},
        {{"check", "@x.bin"}, 1, "@x.bin: File could not be read.\n", ""},
        {{"check", "@folder.bin"}, 1, "@folder.bin: File could not be read.\n", ""},
        {{"show", "@missing.bin"}, 2, "", "q9tx: @missing.bin: File could not be read.\n"},
        {{"show", "@x.bin"}, 2, "", "q9tx: @x.bin: File could not be read.\n"},
        {{"diff", "@startup.bin", "@short.bin"}, 2, "", "q9tx: @short.bin: File corrupted.\n"},
        {{"show"}, 2, "", "q9tx: wrong number of arguments.\nTry 'q9tx show --help'.\n"},
        {{"show", "--colour", "@startup.bin"}, 2, "", "q9tx: unknown option '--colour'.\nTry 'q9tx show --help'.\n"},
        {{"set", "--json", "@startup.bin", "banner=x"}, 2, "",
         "q9tx: unknown option '--json'.\nTry 'q9tx set --help'.\n"},
        {{"frobnicate"}, 2, "", "q9tx: unknown command 'frobnicate'. 'q9tx --help' lists the commands.\n"},
        {{"help", "frobnicate"}, 2, "", "q9tx: unknown command 'frobnicate'. 'q9tx --help' lists the commands.\n"},
        {{"\x1B[2J"}, 2, "", "q9tx: unknown command '\\x1B[2J'. 'q9tx --help' lists the commands.\n"},
        {{"--version"}, 0, "q9tx " Q9TX_VERSION "\n", ""},
        {{"-V"}, 0, "q9tx " Q9TX_VERSION "\n", ""},
        {{"check", "--json=yes", "@startup.bin"}, 2, "",
         "q9tx: option '--json' takes no value.\nTry 'q9tx check --help'.\n"},
        {{"check", "--help=x"}, 2, "", "q9tx: option '--help' takes no value.\nTry 'q9tx check --help'.\n"},
        // "--" ends the options: a file whose name starts with '-' can be named.
        {{"check", "--", "-odd.bin"}, 1, "-odd.bin: File could not be read.\n", ""},
        {{"check", "--json", "@short.bin"}, 1,
         "{\n    \"file\": \"@short.bin\",\n    \"fileProblem\": \"File corrupted.\",\n    \"problems\": [\n    ],\n"
         "    \"usable\": false\n}\n",
         ""},
        // The pager commands' options, as the parser hands them on.
        {{"read", "--port", "ttyUSB0", "--port=/dev/pts/4", "-o", "@a.bin", "--timeout=2", "--json"}, 0,
         "read --port=ttyUSB0 --port=/dev/pts/4 --output=@a.bin --timeout=2 --json= |\n", ""},
        {{"write", "--advance", "--step=3", "--", "--wait"}, 0, "write --advance= --step=3 | --wait\n", ""},
        {{"detect", "--json"}, 0, "detect --json= |\n", ""},
        {{"verify", "--port", "-x", "@a.bin"}, 0, "verify --port=-x | @a.bin\n", ""},
        {{"read", "--port"}, 2, "", "q9tx: option '--port' needs a value (DEV).\nTry 'q9tx read --help'.\n"},
        {{"read", "-o"}, 2, "", "q9tx: option '-o' needs a value (FILE).\nTry 'q9tx read --help'.\n"},
        {{"read", "--output="}, 2, "", "q9tx: option '--output' needs a value (FILE).\nTry 'q9tx read --help'.\n"},
        {{"write", "--wait=yes", "a.bin"}, 2, "", "q9tx: option '--wait' takes no value.\nTry 'q9tx write --help'.\n"},
        {{"write", "-o", "out.bin", "a.bin"}, 2, "", "q9tx: unknown option '-o'.\nTry 'q9tx write --help'.\n"},
        {{"detect", "a.bin"}, 2, "", "q9tx: wrong number of arguments.\nTry 'q9tx detect --help'.\n"},
        {{"verify"}, 2, "", "q9tx: wrong number of arguments.\nTry 'q9tx verify --help'.\n"},
        {{"verify", "--frob", "a.bin"}, 2, "", "q9tx: unknown option '--frob'.\nTry 'q9tx verify --help'.\n"},
        {{"detect", "--step", "1"}, 2, "", "q9tx: unknown option '--step'.\nTry 'q9tx detect --help'.\n"},
    };
    for (const auto& test : cases) {
        const Result result = run(test.arguments);
        const std::string label = test.arguments.front() + " " + (test.arguments.size() > 1 ? test.arguments[1] : "");
        EXPECT_EQ(result.status, test.status) << label;
        EXPECT_EQ(result.out, test.out) << label;
        EXPECT_EQ(result.err, test.err) << label;
    }
}

TEST_F(CommandLineTool, RefusedChangesWriteNothing)
{
    const struct {
        std::vector<std::string> arguments;
        const char* err;
    } cases[] = {
        {{"set", "@startup.bin", "address3=2007665"}, "Addresses / Address 3 (address3): Illegal capcode."},
        {{"set", "@startup.bin", "address3=2004000"}, "Addresses / Address 3 (address3): The capcode has been used."},
        {{"set", "@startup.bin", "address3=20a"}, "Addresses / Address 3 (address3): Please enter a number."},
        {{"set", "@startup.bin", "banner=ok", "lcdBaseContrast=64"}, "General / LCD base contrast (lcdBaseContrast): Illegal value."},
        {{"set", "@startup.bin", "frequency=300"}, "RF / Frequency (frequency): Illegal frequency."},
        {{"set", "@startup.bin", "start2=12:60"}, "Schedule / Tuesday start (start2): Illegal value."},
        {{"set", "@startup.bin", "baudrate=9600"},
         "Decoder / Baud rate (baudrate): Baud rate is one of \"512 bps\", \"1200 bps\", \"2400 bps\"."},
        {{"set", "@startup.bin", "banner=\xE2\x82\xAC"}, "banner: '\xE2\x82\xAC' holds a character that the pager cannot store."},
        {{"set", "@startup.bin", "noSuchThing=1"}, "noSuchThing: no such setting; 'q9tx show --json FILE' lists the names."},
        {{"set", "@startup.bin", "address3"}, "'address3' is not NAME=VALUE."},
        {{"set", "@startup.bin", "=3"}, "'=3' is not NAME=VALUE."},
        {{"set", "@startup.bin", "finish1=08:00"}, "Schedule / Monday finish (finish1): Illegal value."},
        {{"set", "@changed.bin", "folderEn2=on", "folderSize2=99", "folderEn3=on", "folderSize3=99", "folderEn4=on",
          "folderSize4=99"},
         "Folders / Folder 4 size (folderSize4): The folders need more slots than the pager has. Make them smaller."},
        {{"set", "@faulty.bin", "banner=fine"},
         "Addresses / Address 2 (address2): The capcode has been used.\n"
         "Addresses / Address 6 (address6): The capcode has been used.\n"
         "Addresses / Address 7 (address7): Illegal capcode.\n"
         "RF / Frequency (frequency): Illegal frequency.\n"
         "Schedule / Wednesday finish (finish3): Illegal value."},
        {{"set", "@short.bin", "banner=fine"}, "@short.bin: File corrupted."},
        {{"set", "@startup.bin", "banner=fine", "-o", "@x.bin"}, "@x.bin: File could not be written."},
        {{"set", "@startup.bin", "banner=fine", "-o", "@folder.bin"}, "@folder.bin: File could not be written."},
        {{"set", "@startup.bin", "banner=fine", "-o", "@no/such/folder.bin"}, "@no/such/folder.bin: File could not be written."},
        {{"set", "@read-only.bin", "banner=fine"}, "@read-only.bin: File could not be written."},
        {{"set", "@startup.bin", "banner=fine", "-o", "@dangling.bin"}, "@dangling.bin: File could not be written."},
        {{"set", "@startup.bin", "banner=fine", "-o"}, "option '-o' needs a value (OUT).\nTry 'q9tx set --help'."},
        {{"set", "@startup.bin", "--output=@x.bin"}, "wrong number of arguments.\nTry 'q9tx set --help'."},
        {{"set", "@startup.bin", "\x1B]0;x\x07=1"},
         "\\x1B]0;x\\x07: no such setting; 'q9tx show --json FILE' lists the names."},
    };
    for (const auto& test : cases) {
        const auto before = snapshot();
        const Result result = run(test.arguments);
        const std::string label = test.arguments.back();
        EXPECT_EQ(result.status, 2) << label;
        EXPECT_EQ(result.out, "") << label;
        EXPECT_EQ(result.err, "q9tx: " + std::string(test.err) + "\n") << label;
        EXPECT_EQ(snapshot(), before) << label;
    }
}

TEST_F(CommandLineTool, SetChangesOnlyWhatItNames)
{
    Result result = run({"set", "@startup.bin", "address3=2004064", "storage2=Public", "folderEn1=yes",
                         "folderSize1=12", "banner=Night shift team", "frequency=152.0125", "toneUrgent=1234",
                         "finish5=17:30", "-o", "@made.bin"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Saved data to @made.bin.\n");
    EXPECT_EQ(Slurp(dir_ / "made.bin"), Slurp(dir_ / "changed.bin"));

    result = run({"set", "@changed.bin", "address3=2004016", "storage2=0", "banner=---- Zerin Q9TX ----",
                  "frequency=457.6", "toneUrgent=D1B1", "finish5=18:00"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Saved data to @changed.bin.\n");
    // Public storage gone, the folders are out of use again: back to the start-up file.
    EXPECT_EQ(Slurp(dir_ / "changed.bin"), Slurp(dir_ / "startup.bin"));

    // A name that is no text in any locale reaches the file system as the bytes given.
    result = run({"set", "@startup.bin", "banner=Bytes", "-o", "@\xFF\xFE.bin"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "Saved data to @\\xFF\\xFE.bin.\n");
    EXPECT_EQ(run({"check", "@\xFF\xFE.bin"}).status, 0);
    EXPECT_EQ(Slurp(dir_ / "\xFF\xFE.bin").size(), 512u);
}

}  // namespace
}  // namespace q9tx
