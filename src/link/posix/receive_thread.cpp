#include "link/posix/receive_thread.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace q9tx {

TReceiveThread::TReceiveThread(std::shared_ptr<ReceiveSession> session) : session_(std::move(session)) {}

void TReceiveThread::handOver() { session_->HandOver(); }

bool TReceiveThread::readAvailable(ReceiveSession& session, bool portSignalledTrouble)
{
    bool gotBytes = false;
    while (!session.ring.full()) {
        std::uint8_t byte = 0;
        const ssize_t n = ::read(session.portFd, &byte, 1);
        if (n == 1) {
            session.ring.push(byte);
            gotBytes = true;
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A hang-up that still reports "try again" would otherwise wake poll() forever.
            return gotBytes || !portSignalledTrouble;
        }
        // 0 or EIO: the device went away (unplugged adapter, closed pseudo-terminal master).
        return false;
    }
    return true;
}

void TReceiveThread::run()
{
    ReceiveSession& session = *session_;
    bool portUsable = true;
    bool hangUpReported = false;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(session.descriptorMutex);
            if (session.stopRequested.load(std::memory_order_acquire)) {
                break;
            }
            // After a hang-up only the wake descriptor is watched: no spinning on POLLHUP.
            pollfd fds[2] = {{portUsable ? session.portFd : -1, POLLIN, 0}, {session.wakeFd, POLLIN, 0}};
            const int ready = ::poll(fds, 2, -1);
            if (ready < 0 && errno != EINTR) {
                break;
            }
            if (session.stopRequested.load(std::memory_order_acquire)) {
                break;
            }
            if (ready > 0 && fds[0].revents != 0) {
                const bool trouble = (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
                portUsable = readAvailable(session, trouble);
            }
        }
        if (!session.ring.empty()) {
            QMetaObject::invokeMethod(this, "handOver", Qt::BlockingQueuedConnection);
        }
        if (!portUsable && !hangUpReported) {
            // Queued to an object of the port, not of this thread: the handler closes
            // the port, which may end and free this thread object.
            hangUpReported = true;
            session.hangUpPending.store(true, std::memory_order_release);
            QMetaObject::invokeMethod(session.hangUpNotice, "notice", Qt::QueuedConnection);
        }
    }
    session.threadEnded.store(true, std::memory_order_release);
}

}  // namespace q9tx
