#include "link/posix/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>

#include "link/posix/open_failure_errno.h"
#include "link/posix/pager_line_settings.h"
#include "link/posix/receive_session.h"
#include "link/posix/receive_thread.h"

namespace q9tx {

namespace {

// A frame of 38 bytes takes 79 ms on the line; a queue that has not made room for
// it by then is stuck, and the frame is counted as lost rather than blocking the UI.
constexpr std::chrono::milliseconds kWriteRoomWait{100};

}  // namespace

PosixSerialPort::PosixSerialPort() = default;

PosixSerialPort::~PosixSerialPort()
{
    ClosePort();
    for (EndingThread& ending : endingThreads_) {
        // A thread blocked in a hand-over waits for this (main) thread; dropping its
        // queued call releases it, and it then sees the stop request.
        while (!ending.thread->wait(QDeadlineTimer(5))) {
            QCoreApplication::removePostedEvents(ending.thread.get(), QEvent::MetaCall);
        }
        // Already set once wait() returns; reading it orders the thread's last use of
        // the object before the delete for checkers that do not see inside Qt.
        while (!ending.session->threadEnded.load(std::memory_order_acquire)) {
            QThread::yieldCurrentThread();
        }
    }
    endingThreads_.clear();
}

std::string PosixSerialPort::PortPath(const std::string& name)
{
    if (name.empty()) {
        return {};
    }
    if (name.front() == '/') {
        return name;
    }
    // Names come from device discovery; one that climbs out of /dev is not a port.
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find('/', start), name.size());
        if (name.compare(start, end - start, "..") == 0) {
            return {};
        }
        start = end + 1;
    }
    return "/dev/" + name;
}

bool PosixSerialPort::fail(int descriptor, OpenFailure failure)
{
    if (descriptor >= 0) {
        ::close(descriptor);
    }
    lastOpenFailure_ = failure;
    return false;
}

bool PosixSerialPort::OpenPort(const std::string& name)
{
    deleteEndedThreads();
    if (session_) {
        return false;
    }
    const std::string path = PortPath(name);
    if (path.empty()) {
        return fail(-1, OpenFailure::NotFound);
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return fail(-1, OpenFailureFromErrno(errno));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode)) {
        return fail(fd, OpenFailure::NotSerial);
    }
    // The lock comes before any change to the tty, so a refused second opener
    // disturbs nothing of the first one's settings or exclusivity.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return fail(fd, OpenFailureFromErrno(errno));
    }
    termios settings{};
    if (::tcgetattr(fd, &settings) != 0) {
        return fail(fd, OpenFailure::NotSerial);
    }
    // Keeps other programs from opening the tty while we use it.
    ::ioctl(fd, TIOCEXCL);
    ApplyPagerLineSettings(settings);
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
        ::ioctl(fd, TIOCNXCL);
        return fail(fd, OpenFailure::Other);
    }
    ::tcflush(fd, TCIOFLUSH);

    const int wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        ::ioctl(fd, TIOCNXCL);
        return fail(fd, OpenFailure::Other);
    }
    session_ = std::make_shared<ReceiveSession>(fd, wakeFd);
    session_->deliver = [this](const std::uint8_t* bytes, std::size_t count) {
        if (receiveHandler_) {
            receiveHandler_(bytes, count);
        }
    };
    session_->hangUpNotice = &hangUpNotice_;
    thread_ = std::make_unique<TReceiveThread>(session_);
    thread_->start();
    lastOpenFailure_ = OpenFailure::None;
    return true;
}

bool PosixSerialPort::ClosePort()
{
    if (!session_) {
        return true;
    }
    ReceiveSession& session = *session_;
    session.deliver = nullptr;
    session.stopRequested.store(true, std::memory_order_release);
    const std::uint64_t wake = 1;
    [[maybe_unused]] const ssize_t written = ::write(session.wakeFd, &wake, sizeof wake);

    bool closed = true;
    {
        // Taken only once the woken thread has left poll() and read(), or while it
        // waits in a hand-over; it re-checks the stop request before touching them again.
        std::lock_guard<std::mutex> lock(session.descriptorMutex);
        ::ioctl(session.portFd, TIOCNXCL);
        // Linux releases the descriptor even when close() reports an error, so it is
        // never kept: only the result tells of the error.
        closed = ::close(session.portFd) == 0;
        ::close(session.wakeFd);
        session.portFd = -1;
        session.wakeFd = -1;
    }
    endingThreads_.push_back({std::move(thread_), std::move(session_)});
    deleteEndedThreads();
    return closed;
}

void PosixSerialPort::deleteEndedThreads()
{
    std::erase_if(endingThreads_, [](EndingThread& ending) {
        if (!ending.session->threadEnded.load(std::memory_order_acquire)) {
            return false;
        }
        ending.thread->wait();
        return true;
    });
}

void PosixSerialPort::hangUpNoticed()
{
    // A notice queued by a session closed since finds its flag on that session, not this one.
    if (!session_ || !session_->hangUpPending.exchange(false, std::memory_order_acquire)) {
        return;
    }
    // A copy: the handler may close the port and set another handler.
    const HangUpHandler handler = hangUpHandler_;
    if (handler) {
        handler();
    }
}

bool PosixSerialPort::WritePort(const std::uint8_t* bytes, std::size_t count)
{
    if (!session_ || count == 0) {
        return false;
    }
    const int fd = session_->portFd;
    const auto deadline = std::chrono::steady_clock::now() + kWriteRoomWait;
    std::size_t sent = 0;
    while (sent < count) {
        const ssize_t n = ::write(fd, bytes + sent, count - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                break;
            }
            pollfd room{fd, POLLOUT, 0};
            ::poll(&room, 1, static_cast<int>(left.count()));
            continue;
        }
        break;
    }
    return sent == count;
}

bool PosixSerialPort::IsOpen() const { return session_ != nullptr; }

void PosixSerialPort::SetReceiveHandler(ReceiveHandler handler) { receiveHandler_ = std::move(handler); }

void PosixSerialPort::SetHangUpHandler(HangUpHandler handler) { hangUpHandler_ = std::move(handler); }

OpenFailure PosixSerialPort::LastOpenFailure() const { return lastOpenFailure_; }

}  // namespace q9tx
