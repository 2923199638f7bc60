#pragma once
// The receive side of the frame format: a byte-at-a-time state machine that finds frames
// in the stream by their two sync bytes and keeps the last one in the receive frame buffer.
// No time-out between bytes: a partial frame waits for the rest however long it takes.

#include <array>
#include <cstdint>
#include <vector>

#include "link/frame.h"

namespace q9tx {

class FrameParser {
public:
    // States 0..6 each consume one byte; 7 marks a completed frame awaiting dispatch.
    enum : std::uint8_t {
        WaitFirstSync = 0,
        WaitSecondSync = 1,
        WaitCommand = 2,
        WaitLength = 3,
        InPayload = 4,
        WaitCrcHigh = 5,
        WaitCrcLow = 6,
        FrameComplete = 7,
    };

    // Takes one received byte; true when it completed a frame (state FrameComplete).
    bool Feed(std::uint8_t byte);
    void Reset() { state_ = WaitFirstSync; }

    std::uint8_t State() const { return state_; }
    // Ends the dispatch of a completed frame; true when there was one and its CRC matches.
    bool FinishFrame();

    std::uint8_t Command() const { return buffer_[0]; }
    // The length byte followed by the payload of the last frame.
    std::vector<std::uint8_t> LengthAndPayload() const;
    // The last frame as it arrived, sync bytes and CRC included, for the trace.
    std::vector<std::uint8_t> ReceivedFrame() const;

private:
    // Command, length, up to 32 payload bytes, CRC high, CRC low.
    std::array<std::uint8_t, kMaxPayload + 4> buffer_{};
    std::uint16_t receivedCrc_ = 0;
    std::uint8_t index_ = 0;
    std::uint8_t expected_ = 0;
    std::uint8_t state_ = WaitFirstSync;
};

}  // namespace q9tx
