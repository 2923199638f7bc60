#pragma once
// The serial port as the link sees it. The POSIX implementation opens a tty with the
// pager's line settings and runs the receive thread; tests use a fake.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace q9tx {

// Why the last OpenPort failed; lets the link tell the user about a port it may not use.
enum class OpenFailure { None, NotFound, PermissionDenied, Busy, Other };

class SerialPort {
public:
    // Runs on the main thread with bytes received since the last call, in arrival order.
    using ReceiveHandler = std::function<void(const std::uint8_t* bytes, std::size_t count)>;

    virtual ~SerialPort() = default;

    // Opens and configures the port; false when a port is already open (that one stays
    // open) or when this one cannot be opened.
    virtual bool OpenPort(const std::string& name) = 0;
    // False only when the system refuses to close the port.
    virtual bool ClosePort() = 0;
    // Writes one whole frame without blocking; false when the frame did not go out whole.
    virtual bool WritePort(const std::uint8_t* bytes, std::size_t count) = 0;
    virtual bool IsOpen() const = 0;
    // True once the device behind the open port has gone (adapter pulled, the other side
    // of a pseudo-terminal closed): nothing will ever arrive on it again. A port that
    // cannot tell says false.
    virtual bool HungUp() const { return false; }
    virtual void SetReceiveHandler(ReceiveHandler handler) = 0;
    virtual OpenFailure LastOpenFailure() const = 0;
};

}  // namespace q9tx
