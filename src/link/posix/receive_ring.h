#pragma once
// The ring that carries received bytes from the receive thread to the main thread.
// The thread only writes slots and the write index, the main thread only the read
// index; the indices are atomics so each side sees the other's finished work.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace q9tx {

class ReceiveRing {
public:
    static constexpr std::uint16_t kSlots = 128;
    // One slot stays free so that a full ring differs from an empty one.
    static constexpr std::size_t kCapacity = kSlots - 1;

    bool empty() const { return writeIndex_.load(std::memory_order_acquire) == readIndex_.load(std::memory_order_acquire); }

    bool full() const
    {
        return next(writeIndex_.load(std::memory_order_relaxed)) == readIndex_.load(std::memory_order_acquire);
    }

    // Receive thread: stores one byte; false (and nothing stored) when the ring is full,
    // because unparsed bytes are never overwritten.
    bool push(std::uint8_t byte)
    {
        const std::uint16_t write = writeIndex_.load(std::memory_order_relaxed);
        if (next(write) == readIndex_.load(std::memory_order_acquire)) {
            return false;
        }
        slots_[write] = byte;
        writeIndex_.store(next(write), std::memory_order_release);
        return true;
    }

    // Main thread: moves every stored byte, oldest first, into `out` (room for
    // kCapacity bytes) and returns how many there were.
    std::size_t drain(std::uint8_t* out)
    {
        std::uint16_t read = readIndex_.load(std::memory_order_relaxed);
        const std::uint16_t write = writeIndex_.load(std::memory_order_acquire);
        std::size_t count = 0;
        while (read != write) {
            out[count++] = slots_[read];
            read = next(read);
        }
        readIndex_.store(read, std::memory_order_release);
        return count;
    }

private:
    static std::uint16_t next(std::uint16_t index) { return static_cast<std::uint16_t>((index + 1) % kSlots); }

    std::array<std::uint8_t, kSlots> slots_{};
    std::atomic<std::uint16_t> writeIndex_{0};
    std::atomic<std::uint16_t> readIndex_{0};
};

}  // namespace q9tx
