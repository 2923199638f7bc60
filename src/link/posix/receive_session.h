#pragma once
// What one open port shares between the main thread and its receive thread. It
// lives as long as either side holds it, so a thread that outlives ClosePort still
// finds valid memory, while the descriptors themselves are closed by ClosePort.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>

#include <QObject>

#include "link/posix/receive_ring.h"

namespace q9tx {

struct ReceiveSession {
    ReceiveSession(int portDescriptor, int wakeDescriptor) : portFd(portDescriptor), wakeFd(wakeDescriptor) {}

    // Held by the receive thread while it polls or reads; ClosePort wakes the thread
    // and takes it before closing, so the thread never uses a closed or reused
    // descriptor. Both descriptors are -1 once closed.
    std::mutex descriptorMutex;
    int portFd;
    int wakeFd;

    std::atomic<bool> stopRequested{false};
    // Set as the thread's last act, so the owner may free the thread object.
    std::atomic<bool> threadEnded{false};

    ReceiveRing ring;

    // Main thread only: receives the drained bytes; empty once the port is closed,
    // so a hand-over queued before ClosePort delivers nothing.
    std::function<void(const std::uint8_t*, std::size_t)> deliver;
    // Set by the receive thread, once, before it queues a call to hangUpNotice; the
    // main thread takes it, so a notice from a session closed since is not acted on.
    std::atomic<bool> hangUpPending{false};
    // Lives on the main thread as long as the port; hang-up notices are queued to it.
    QObject* hangUpNotice = nullptr;

    // Main thread: drains the ring into `deliver`.
    void HandOver()
    {
        std::uint8_t bytes[ReceiveRing::kCapacity];
        const std::size_t count = ring.drain(bytes);
        if (count > 0 && deliver) {
            deliver(bytes, count);
        }
    }
};

}  // namespace q9tx
