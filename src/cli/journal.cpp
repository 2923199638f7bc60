#include "cli/journal.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/trusted_open.h"
#include "image/frequency_text.h"

namespace q9tx::cli {
namespace {

constexpr std::size_t kFieldCount = 7;
constexpr std::size_t kSerialField = 3;

bool LooksLikeFormula(std::string_view text)
{
    return !text.empty() && std::string_view("=+-@\t").find(text.front()) != std::string_view::npos;
}

// The journal open for appending, or -1 with `failure` set. Only a regular file: a pipe
// or a device named like the journal could hang the run or swallow the record.
int OpenJournal(const std::string& path, std::string& failure)
{
    const int file = TrustedOpen(path, O_WRONLY | O_APPEND | O_CREAT | O_NOCTTY | O_NONBLOCK, 0644, failure);
    if (file < 0)
        return -1;
    struct stat status {};
    if (::fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
        failure = "not a regular file";
        ::close(file);
        return -1;
    }
    return file;
}

// Every record of a CSV text, each as its fields without quoting.
std::vector<std::vector<std::string>> CsvRecords(const std::string& text)
{
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        std::string& field = records.back().back();
        if (quoted) {
            if (ch != '"')
                field += ch;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else
                quoted = false;
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ',') {
            records.back().emplace_back();
        } else if (ch == '\n') {
            records.emplace_back(1);
        } else {
            field += ch;
        }
    }
    return records;
}

std::string WithoutFormulaGuard(const std::string& field)
{
    return field.size() > 1 && field.front() == '\'' && LooksLikeFormula(std::string_view(field).substr(1))
               ? field.substr(1)
               : field;
}

}  // namespace

std::string CsvField(std::string_view text)
{
    const std::string guarded = (LooksLikeFormula(text) ? "'" : "") + std::string(text);
    const bool quoted = guarded.find_first_of(",\"\r\n") != std::string::npos ||
                        (!guarded.empty() && (guarded.front() == ' ' || guarded.back() == ' '));
    if (!quoted)
        return guarded;
    std::string field = "\"";
    for (const char ch : guarded) {
        if (ch == '"')
            field += '"';
        field += ch;
    }
    return field + '"';
}

std::string JournalLine(const JournalEntry& entry)
{
    std::string capcodes;
    for (const std::uint32_t capcode : entry.capcodes)
        capcodes += (capcodes.empty() ? "" : " ") + std::to_string(capcode);
    const std::string frequency = entry.frequency ? HertzToFrequencyText(*entry.frequency, '.') : std::string();
    std::string line;
    const std::string* fields[] = {&entry.time,  &entry.port,  &entry.firmware, &entry.serialNumber,
                                   &capcodes,    &frequency,   &entry.outcome};
    for (const std::string* field : fields)
        line += (field == fields[0] ? "" : ",") + CsvField(*field);
    return line + '\n';
}

std::string JournalProblem(const std::string& path)
{
    std::string failure;
    const int file = OpenJournal(path, failure);
    if (file >= 0)
        ::close(file);
    return failure;
}

std::string AppendToJournal(const std::string& path, const std::string& line)
{
    std::string failure;
    const int file = OpenJournal(path, failure);
    if (file < 0)
        return failure;
    struct stat status {};
    const off_t before = ::fstat(file, &status) == 0 ? status.st_size : -1;
    const std::string text = (before == 0 ? kJournalHeader : "") + line;
    // O_APPEND: the line lands at the end, whatever else appended meanwhile.
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = ::write(file, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            failure = std::strerror(count < 0 ? errno : EIO);
            break;
        }
        written += std::size_t(count);
    }
    if (failure.empty() && ::fsync(file) != 0)
        failure = std::strerror(errno);
    // Half a line would be glued to the next one: the file goes back to its last whole line.
    if (!failure.empty() && written > 0 && before >= 0 && ::ftruncate(file, before) == 0)
        ::fsync(file);
    if (::close(file) != 0 && failure.empty())
        failure = std::strerror(errno);
    return failure;
}

std::set<std::string> JournalSerialNumbers(const std::string& path, std::string_view outcome)
{
    std::ifstream file(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::set<std::string> serials;
    for (const std::vector<std::string>& record : CsvRecords(text)) {
        if (record.size() != kFieldCount || WithoutFormulaGuard(record.back()) != outcome)
            continue;
        if (std::string serial = WithoutFormulaGuard(record[kSerialField]); !serial.empty())
            serials.insert(std::move(serial));
    }
    return serials;
}

}  // namespace q9tx::cli
