// The journal's lines: quoting that any spreadsheet or CSV reader takes back unchanged,
// and appending that keeps every earlier line.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>

#include "cli/journal.h"

namespace q9tx::cli {
namespace {

struct FieldCase {
    const char* text;
    const char* field;
};

TEST(Journal, QuotesOnlyWhatNeedsIt)
{
    const FieldCase cases[] = {
        {"", ""},
        {"ttyUSB0", "ttyUSB0"},
        {"Write completed.", "Write completed."},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\nlines", "\"two\nlines\""},
        {"cr\r", "\"cr\r\""},
        {" padded ", "\" padded \""},
        {"\"", "\"\"\"\""},
        // What a spreadsheet would run as a formula is shown as text.
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+1", "'+1"},
        {"-2", "'-2"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"},
        {"a=b", "a=b"},
    };
    for (const FieldCase& c : cases)
        EXPECT_EQ(CsvField(c.text), c.field) << c.text;
}

TEST(Journal, LineHoldsEveryFieldInOrder)
{
    JournalEntry entry;
    entry.time = "2026-12-08T10:45:34Z";
    entry.port = "/dev/pts/3";
    entry.firmware = "V2";
    entry.serialNumber = "12,\"3\"";
    entry.capcodes = {2004000, 2004008};
    entry.frequency = 457600000;
    entry.outcome = "Write completed.";
    EXPECT_EQ(JournalLine(entry),
              "2026-12-08T10:45:34Z,/dev/pts/3,V2,\"12,\"\"3\"\"\",2004000 2004008,457.6,Write completed.\n");

    JournalEntry empty;
    empty.outcome = "Pager unsupported.";
    EXPECT_EQ(JournalLine(empty), ",,,,,,Pager unsupported.\n");
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Journal, AppendsAndReportsWhatStopsIt)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("fleet.csv").toStdString();
    {
        std::ofstream earlier(path);
        earlier << "earlier line\n";
    }
    EXPECT_EQ(AppendToJournal(path, "one\n"), "");
    EXPECT_EQ(AppendToJournal(path, "two\n"), "");
    EXPECT_EQ(Contents(path), "earlier line\none\ntwo\n");

    // Neither a folder nor a pipe: a pipe without a reader would hang the run.
    const std::string fifo = dir.filePath("pipe.csv").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& refused : {dir.filePath("missing/fleet.csv").toStdString(), dir.path().toStdString(), fifo}) {
        EXPECT_FALSE(AppendToJournal(refused, "x\n").empty()) << refused;
        EXPECT_FALSE(JournalProblem(refused).empty()) << refused;
    }
    // Checked before the first pager: a new journal is created, empty.
    const std::string fresh = dir.filePath("new.csv").toStdString();
    EXPECT_EQ(JournalProblem(fresh), "");
    EXPECT_EQ(Contents(fresh), "");
    EXPECT_EQ(JournalProblem(path), "");
    EXPECT_EQ(Contents(path), "earlier line\none\ntwo\n");
    // Its first line names the fields.
    EXPECT_EQ(AppendToJournal(fresh, "one\n"), "");
    EXPECT_EQ(Contents(fresh), std::string(kJournalHeader) + "one\n");
}

TEST(Journal, FollowsOnlyLinksOfTheFoldersOwner)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "a link of another owner needs root";
    QTemporaryDir dir;
    const std::string target = dir.filePath("elsewhere.csv").toStdString();
    const std::string own = dir.filePath("own.csv").toStdString();
    const std::string foreign = dir.filePath("foreign.csv").toStdString();
    ASSERT_EQ(::symlink(target.c_str(), own.c_str()), 0);
    ASSERT_EQ(::symlink(target.c_str(), foreign.c_str()), 0);
    ASSERT_EQ(::lchown(foreign.c_str(), 4242, 4242), 0);
    EXPECT_EQ(AppendToJournal(own, "one\n"), "");
    EXPECT_NE(AppendToJournal(foreign, "two\n").find("nor the folder's owner made"), std::string::npos);
    EXPECT_NE(JournalProblem(foreign), "");
    EXPECT_EQ(Contents(target), std::string(kJournalHeader) + "one\n");
}

TEST(Journal, SerialNumbersOfOneOutcome)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("fleet.csv").toStdString();
    JournalEntry entry;
    const struct {
        const char* serial;
        const char* outcome;
    } lines[] = {
        {"00000001", "Write started."},   {"00000001", "Write completed."}, {"00000002", "Write started."},
        {"00000002", "Pager disconnected."}, {"=3,\"x\"", "Write completed."}, {"", "Write completed."},
    };
    for (const auto& line : lines) {
        entry.serialNumber = line.serial;
        entry.outcome = line.outcome;
        ASSERT_EQ(AppendToJournal(path, JournalLine(entry)), "");
    }
    EXPECT_EQ(JournalSerialNumbers(path, "Write completed."), (std::set<std::string>{"00000001", "=3,\"x\""}));
    EXPECT_TRUE(JournalSerialNumbers(dir.filePath("none.csv").toStdString(), "Write completed.").empty());
}

}  // namespace
}  // namespace q9tx::cli
