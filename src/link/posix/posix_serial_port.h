#pragma once
// The serial port over POSIX termios: one exclusive tty at a time, with the pager's
// line settings, and a receive thread that hands received bytes to the main thread.

#include <memory>
#include <string>
#include <vector>

#include "link/posix/hang_up_notice.h"
#include "link/serial_port.h"

namespace q9tx {

struct ReceiveSession;
class TReceiveThread;

class PosixSerialPort : public SerialPort {
public:
    PosixSerialPort();
    // Closes the port; waits for receive threads that are still ending, releasing any
    // hand-over they queued so that none of them can block the main thread.
    ~PosixSerialPort() override;

    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    // `name` is a device under /dev (ttyUSB0) or, starting with "/", a path.
    bool OpenPort(const std::string& name) override;
    bool ClosePort() override;
    // False when the frame did not go out whole (no port, or the line did not take it
    // within a short bounded wait); the link's reply countdown then notices.
    bool WritePort(const std::uint8_t* bytes, std::size_t count) override;
    bool IsOpen() const override;
    void SetReceiveHandler(ReceiveHandler handler) override;
    void SetHangUpHandler(HangUpHandler handler) override;
    OpenFailure LastOpenFailure() const override;

    // Device path for a port name, or empty for a name that must not be opened.
    static std::string PortPath(const std::string& name);

private:
    struct EndingThread {
        std::unique_ptr<TReceiveThread> thread;
        std::shared_ptr<ReceiveSession> session;
    };

    bool fail(int descriptor, OpenFailure failure);
    void deleteEndedThreads();
    void hangUpNoticed();

    ReceiveHandler receiveHandler_;
    HangUpHandler hangUpHandler_;
    // Receives the hang-up notices on the main thread; going with the port, it takes
    // any still queued with it.
    HangUpNotice hangUpNotice_{[this] { hangUpNoticed(); }};
    OpenFailure lastOpenFailure_ = OpenFailure::None;
    std::shared_ptr<ReceiveSession> session_;
    std::unique_ptr<TReceiveThread> thread_;
    std::vector<EndingThread> endingThreads_;
};

}  // namespace q9tx
