#pragma once
// Capcodes and several decoder options are stored with their bits in reverse order.

#include <cstdint>

namespace q9tx {

// The low `count` bits of `value` in reverse order: bit i becomes bit count - 1 - i.
// Bits at or above `count` are dropped; a count above 32 is treated as 32.
// Applying it twice with the same count gives back the low `count` bits.
constexpr std::uint32_t ReverseBits(std::uint32_t value, unsigned count)
{
    if (count == 0) {
        return 0;
    }
    if (count > 32) {
        count = 32;
    }
    // Reverse all 32 bits by swapping ever larger groups, then drop the unused low end.
    value = ((value >> 1) & 0x55555555u) | ((value & 0x55555555u) << 1);
    value = ((value >> 2) & 0x33333333u) | ((value & 0x33333333u) << 2);
    value = ((value >> 4) & 0x0F0F0F0Fu) | ((value & 0x0F0F0F0Fu) << 4);
    value = ((value >> 8) & 0x00FF00FFu) | ((value & 0x00FF00FFu) << 8);
    value = (value >> 16) | (value << 16);
    return value >> (32 - count);
}

}  // namespace q9tx
