#include "link/frame.h"

#include <algorithm>

#include "checksum/crc16.h"

namespace q9tx {

std::size_t BuildFrame(FrameBuffer& buffer, std::uint8_t command, const std::uint8_t* payload,
                       std::uint8_t length)
{
    if (length > kMaxPayload || (length > 0 && payload == nullptr))
        return 0;
    buffer[0] = kSyncByte;
    buffer[1] = kSyncByte;
    buffer[2] = command;
    buffer[3] = length;
    if (length > 0)
        std::copy_n(payload, length, buffer.begin() + 4);
    const std::uint16_t crc = crc16(0, buffer.data() + 2, static_cast<std::uint16_t>(length + 2));
    buffer[4 + length] = static_cast<std::uint8_t>(crc >> 8);
    buffer[5 + length] = static_cast<std::uint8_t>(crc & 0xFF);
    return length + kFrameOverhead;
}

}  // namespace q9tx
