#pragma once
// The one frame format of the pager link, both directions:
// 7E 7E, command, payload length n (0..32), n payload bytes, CRC high, CRC low.
// The CRC covers command, length and payload; there is no byte stuffing.

#include <array>
#include <cstddef>
#include <cstdint>

namespace q9tx {

constexpr std::uint8_t kSyncByte = 0x7E;
constexpr std::size_t kMaxPayload = 32;
constexpr std::size_t kFrameOverhead = 6;  // two sync bytes, command, length, two CRC bytes
constexpr std::size_t kMaxFrameSize = kMaxPayload + kFrameOverhead;

using FrameBuffer = std::array<std::uint8_t, kMaxFrameSize>;

// Command bytes. Block reads and writes carry the block number (0..15) in the low nibble,
// and the pager answers with the same command value.
enum FrameCommand : std::uint8_t {
    CmdInformationText = 0x46,  // F
    CmdIdentify = 0x48,         // H
    CmdSignOff = 0x49,          // I
    CmdVerifying = 0x4A,        // J
    CmdWriteFailedK = 0x4B,     // K
    CmdWriteCompleted = 0x4C,   // L
    CmdWriteFailedM = 0x4D,     // M
    CmdPoll = 0x4E,             // N
    CmdPollAnswer = 0x4F,       // O
    CmdReadBlock = 0x60,        // + block number
    CmdWriteBlock = 0x70,       // + block number
};

// Lays out a whole frame in buffer and returns its size (length + 6). Returns 0 and leaves
// the buffer alone when the payload is longer than 32 bytes or missing.
std::size_t BuildFrame(FrameBuffer& buffer, std::uint8_t command, const std::uint8_t* payload,
                       std::uint8_t length);

}  // namespace q9tx
