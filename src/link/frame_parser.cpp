#include "link/frame_parser.h"

#include <algorithm>

#include "checksum/crc16.h"

namespace q9tx {

bool FrameParser::Feed(std::uint8_t byte)
{
    switch (state_) {
    case WaitFirstSync:
        if (byte == kSyncByte) {
            state_ = WaitSecondSync;
            index_ = 0;
        }
        break;
    case WaitSecondSync:
        // A stray byte is dropped, not taken as a new first sync byte.
        if (byte == kSyncByte) {
            state_ = WaitCommand;
            index_ = 0;
        } else {
            state_ = WaitFirstSync;
        }
        break;
    case WaitCommand:
        // Taken whatever its value, so command 0x7E needs no escaping.
        buffer_[0] = byte;
        index_ = 1;
        state_ = WaitLength;
        break;
    case WaitLength:
        if (byte > kMaxPayload) {
            state_ = WaitFirstSync;
            break;
        }
        buffer_[1] = byte;
        index_ = 2;
        expected_ = byte;
        state_ = byte == 0 ? WaitCrcHigh : InPayload;
        break;
    case InPayload:
        buffer_[index_++] = byte;
        if (--expected_ == 0)
            state_ = WaitCrcHigh;
        break;
    case WaitCrcHigh:
        buffer_[index_++] = byte;
        receivedCrc_ = static_cast<std::uint16_t>(byte << 8);
        state_ = WaitCrcLow;
        break;
    case WaitCrcLow:
        buffer_[index_] = byte;
        receivedCrc_ = static_cast<std::uint16_t>(receivedCrc_ + byte);
        --index_;  // now the number of bytes the CRC covers: length + 2
        state_ = FrameComplete;
        return true;
    default:
        state_ = WaitFirstSync;
        break;
    }
    return false;
}

bool FrameParser::FinishFrame()
{
    if (state_ != FrameComplete)
        return false;
    state_ = WaitFirstSync;
    return crc16(0, buffer_.data(), index_) == receivedCrc_;
}

std::vector<std::uint8_t> FrameParser::LengthAndPayload() const
{
    return std::vector<std::uint8_t>(buffer_.begin() + 1, buffer_.begin() + 2 + buffer_[1]);
}

std::vector<std::uint8_t> FrameParser::ReceivedFrame() const
{
    const std::size_t covered = std::size_t(4) + buffer_[1];
    std::vector<std::uint8_t> frame(2 + covered, kSyncByte);
    std::copy(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(covered), frame.begin() + 2);
    return frame;
}

}  // namespace q9tx
