#include "image/capcode.h"

#include "image/bit_reverse.h"

#include <stdexcept>
#include <string>

namespace q9tx {

namespace {

constexpr std::uint32_t kEnabledBit = 0x80;
constexpr std::uint32_t kFixedBits = 0x006;          // bits 2 and 1, always set
constexpr std::uint32_t kFrameField = 0x3800;        // bits 13 to 11

}  // namespace

std::uint32_t SlotTag(int slot)
{
    if (slot < 1 || slot > kSlotCount) {
        throw std::invalid_argument("address slot " + std::to_string(slot) + " is not 1 to 8");
    }
    return (ReverseBits(static_cast<std::uint32_t>(slot - 1), 3) << 8) | kFixedBits;
}

AddressWord CapcodeToAddressWord(std::uint32_t capcode, bool enabled, int slot)
{
    const std::uint32_t reversed = ReverseBits(capcode, kCapcodeBits);
    // R's bits 17..0 go to 31..14; its bits 20..18 (the reversed frame) to 13..11.
    return (reversed << 14) | ((reversed >> 7) & kFrameField) | (enabled ? kEnabledBit : 0) |
           SlotTag(slot);
}

StoredAddress AddressWordToCapcode(AddressWord word)
{
    const std::uint32_t reversed = ((word & kFrameField) << 7) | (word >> 14);
    return StoredAddress{ReverseBits(reversed, kCapcodeBits), (word & kEnabledBit) != 0};
}

}  // namespace q9tx
