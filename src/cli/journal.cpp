#include "cli/journal.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "image/frequency_text.h"

namespace q9tx::cli {

std::string CsvField(std::string_view text)
{
    const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted)
        return std::string(text);
    std::string field = "\"";
    for (const char ch : text) {
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

namespace {

// The journal open for appending, or -1 with `failure` set. Only a regular file: a pipe
// or a device named like the journal could hang the run or swallow the record.
int OpenJournal(const std::string& path, std::string& failure)
{
    const int file = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644);
    if (file < 0) {
        failure = std::strerror(errno);
        return -1;
    }
    struct stat status {};
    if (::fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
        failure = "not a regular file";
        ::close(file);
        return -1;
    }
    return file;
}

}  // namespace

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
    // O_APPEND: the line lands at the end, whatever else appended meanwhile.
    std::size_t written = 0;
    while (written < line.size()) {
        const ssize_t count = ::write(file, line.data() + written, line.size() - written);
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
    if (::close(file) != 0 && failure.empty())
        failure = std::strerror(errno);
    return failure;
}

}  // namespace q9tx::cli
