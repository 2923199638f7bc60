#include "link/link_trace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "link/frame.h"

namespace q9tx {

Q_LOGGING_CATEGORY(lcLink, "q9tx.link", QtInfoMsg)

namespace {

std::FILE* traceFile = nullptr;

// CLOCK_MONOTONIC in seconds, as the simulated pager stamps its frames.
std::string Timestamp()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%06ld", static_cast<long long>(now.tv_sec), now.tv_nsec / 1000);
    return text;
}

void Write(const std::string& line)
{
    if (traceFile) {
        std::fputs(line.c_str(), traceFile);
        std::fputc('\n', traceFile);
        // Flushed per line, so that the trace of a crash or a kill ends with its last frame.
        std::fflush(traceFile);
    }
    if (lcLink().isDebugEnabled())
        qCDebug(lcLink).noquote() << QString::fromStdString(line);
}

struct Meaning {
    std::uint8_t command;
    const char* out;
    const char* in;
};

constexpr Meaning kMeanings[] = {
    {CmdInformationText, "information request", "information text"},
    {CmdIdentify, "identify", "identification"},
    {CmdSignOff, "sign-off", "sign-off"},
    {CmdVerifying, "verifying", "verdict J: verifying"},
    {CmdWriteFailedK, "write failed", "verdict K: write failed"},
    {CmdWriteCompleted, "write completed", "verdict L: write completed"},
    {CmdWriteFailedM, "write failed", "verdict M: write failed"},
    {CmdPoll, "poll", "poll"},
    {CmdPollAnswer, "poll answer", "poll answer"},
};

}  // namespace

std::string LinkTrace::OpenFile(const std::string& path)
{
    CloseFile();
    traceFile = std::fopen(path.c_str(), "we");
    return traceFile ? std::string() : std::strerror(errno);
}

void LinkTrace::CloseFile()
{
    if (traceFile)
        std::fclose(traceFile);
    traceFile = nullptr;
}

bool LinkTrace::Enabled() { return traceFile != nullptr || lcLink().isDebugEnabled(); }

void LinkTrace::Frame(Direction direction, const std::string& port, const std::uint8_t* bytes, std::size_t size,
                      std::string_view note)
{
    if (!Enabled())
        return;
    std::string line = Timestamp() + " " + port + (direction == Direction::Out ? " out " : " in  ");
    char hex[4];
    for (std::size_t i = 0; i < size; ++i) {
        std::snprintf(hex, sizeof hex, i == 0 ? "%02X" : " %02X", bytes[i]);
        line += hex;
    }
    line += "  ";
    line += size > 2 ? FrameMeaning(direction, bytes[2]) : "?";
    if (!note.empty())
        line.append(" (").append(note).append(")");
    Write(line);
}

void LinkTrace::Event(const std::string& port, std::string_view event)
{
    if (Enabled())
        Write(Timestamp() + " " + port + " " + std::string(event));
}

std::string FrameMeaning(LinkTrace::Direction direction, std::uint8_t command)
{
    const bool out = direction == LinkTrace::Direction::Out;
    const std::string block = std::to_string(command & 0x0F);
    if ((command & 0xF0) == CmdReadBlock)
        return out ? "request block " + block : "block " + block;
    if ((command & 0xF0) == CmdWriteBlock)
        return out ? "write block " + block : "block " + block + " stored";
    for (const Meaning& meaning : kMeanings) {
        if (meaning.command == command)
            return out ? meaning.out : meaning.in;
    }
    return "unknown command";
}

}  // namespace q9tx
