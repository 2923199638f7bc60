#pragma once
// The programming journal: one CSV line per event of a pager, appended and flushed to the
// disk before the pager goes on, so that a fleet's record survives a crash.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace q9tx::cli {

struct JournalEntry {
    std::string time;      // ISO 8601, UTC
    std::string port;
    std::string firmware;  // as the window shows it: "V2", "D7"
    std::string serialNumber;
    std::vector<std::uint32_t> capcodes;  // the enabled addresses, slot order
    std::optional<std::uint32_t> frequency;  // hertz
    std::string outcome;   // the programmer's message
};

// The first line of a new journal.
inline constexpr char kJournalHeader[] = "time,port,firmware,serial number,capcodes,frequency (MHz),outcome\n";

// A field as CSV carries it: in double quotes, with every quote doubled, whenever it holds
// a separator, a quote, a line break or surrounding spaces; and with a leading single
// quote when a spreadsheet would take it for a formula (=, +, -, @, tab).
std::string CsvField(std::string_view text);

// time,port,firmware,serial number,capcodes (space-separated),frequency (MHz),outcome;
// ends with a line break.
std::string JournalLine(const JournalEntry& entry);

// Appends `line` to the file (created when missing, with kJournalHeader first) and waits
// until it is on the disk. A line that cannot be written whole is cut off again, so the
// file keeps whole lines only. Returns an empty string, or the reason it failed (also for
// anything but a regular file, and for a link in the journal's place that the folder's
// owner did not make).
std::string AppendToJournal(const std::string& path, const std::string& line);

// Why the journal could not be appended to, or an empty string; creates it when missing,
// so that a run finds out before the first pager.
std::string JournalProblem(const std::string& path);

// The serial numbers of the lines whose outcome is `outcome`; none when there is no file.
std::set<std::string> JournalSerialNumbers(const std::string& path, std::string_view outcome);

}  // namespace q9tx::cli
