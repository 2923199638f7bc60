#pragma once
// CRC-16 with polynomial 0x1021, start value given by the caller, no reflection and no
// final XOR (the parameters known as CRC-16/XMODEM). Frames start from 0; the image's
// check words use the same routine.

#include <cstdint>

namespace q9tx {

std::uint16_t crc16(std::uint16_t start, const std::uint8_t* bytes, std::uint16_t count);

}  // namespace q9tx
