#include "cli/run_checks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/file_reasons.h"
#include "cli/status_messages.h"
#include "image/printable_text.h"
#include "image/status_texts.h"
#include "link/posix/posix_serial_port.h"

namespace q9tx::cli {
namespace {

// Why `port` is no serial port the run could use; empty when it may be one (a port that
// is busy or refused is reported by the link, which waits for it).
std::string PortProblem(const std::string& port)
{
    const std::string path = PosixSerialPort::PortPath(port);
    struct stat status {};
    if (path.empty() || ::stat(path.c_str(), &status) != 0)
        return "The port " + PrintableText(port) + " does not exist.";
    if (!S_ISCHR(status.st_mode))
        return "The port " + PrintableText(port) + " is not a serial port.";
    const int file = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0)
        return {};
    const bool terminal = ::isatty(file) == 1;
    ::close(file);
    return terminal ? std::string() : "The port " + PrintableText(port) + " is not a serial port.";
}

std::string FileProblem(const std::string& path, int status, const std::string& reason)
{
    return reason.empty() ? std::string() : PrintableText(path) + ": " + StatusMessage(status) + " (" + reason + ")";
}

}  // namespace

std::string RunProblem(const RunOptions& options)
{
    std::string problems;
    const auto add = [&problems](const std::string& problem) {
        if (!problem.empty())
            problems += (problems.empty() ? "" : "\n") + problem;
    };
    for (const std::string& port : options.ports)
        add(PortProblem(port));
    const bool fileWritten = options.command == RunOptions::Command::Read || options.advance;
    if (fileWritten && !options.file.empty())
        add(FileProblem(options.file, StatusFileNotWritten, WriteReason(options.file)));
    return problems;
}

}  // namespace q9tx::cli
