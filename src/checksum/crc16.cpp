#include "checksum/crc16.h"

#include <array>

namespace q9tx {
namespace {

// Entry i is the register after shifting i << 8 eight times through the polynomial.
constexpr std::array<std::uint16_t, 256> MakeCrcTable()
{
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < table.size(); ++i) {
        unsigned crc = i << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? ((crc << 1) ^ 0x1021) : (crc << 1);
        table[i] = static_cast<std::uint16_t>(crc);
    }
    return table;
}

constexpr std::array<std::uint16_t, 256> kCrcTable = MakeCrcTable();
static_assert(kCrcTable[1] == 0x1021 && kCrcTable[2] == 0x2042);

}  // namespace

std::uint16_t crc16(std::uint16_t start, const std::uint8_t* bytes, std::uint16_t count)
{
    unsigned crc = start;
    for (std::uint16_t i = 0; i < count; ++i)
        crc = kCrcTable[((crc >> 8) ^ bytes[i]) & 0xFF] ^ ((crc << 8) & 0xFFFF);
    return static_cast<std::uint16_t>(crc);
}

}  // namespace q9tx
