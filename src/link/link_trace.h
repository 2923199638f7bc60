#pragma once
// The link's trace, for support when a cable or a pager misbehaves: every frame in and
// out with a monotonic timestamp, its direction, its bytes in hex and what it means, and
// the port's events (opened, hang-up, removed, closed). It goes to the file named with
// --trace and, when QT_LOGGING_RULES enables "q9tx.link.debug", to Qt's log. One trace
// serves every link of the process; like the link, it is used on the main thread only.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <QLoggingCategory>

namespace q9tx {

Q_DECLARE_LOGGING_CATEGORY(lcLink)

class LinkTrace {
public:
    enum class Direction { Out, In };

    // Every later line also goes to this file, which is replaced. Returns an empty text,
    // or why the file cannot be written.
    static std::string OpenFile(const std::string& path);
    static void CloseFile();
    // Whether anything would take a line: formatting costs nothing otherwise.
    static bool Enabled();

    static void Frame(Direction direction, const std::string& port, const std::uint8_t* bytes, std::size_t size,
                      std::string_view note = {});
    static void Event(const std::string& port, std::string_view event);
};

// "poll", "identification", "request block 3", "block 3 stored", ...
std::string FrameMeaning(LinkTrace::Direction direction, std::uint8_t command);

}  // namespace q9tx
