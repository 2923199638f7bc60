#pragma once
// A pager address (capcode, 21 bits) and the bit-reversed word that stores it in one of
// the image's eight address slots.

#include "image/config_image.h"

#include <cstdint>

namespace q9tx {

inline constexpr std::uint32_t kCapcodeBits = 21;
inline constexpr std::uint32_t kMaxCapcode = (1u << kCapcodeBits) - 1;

struct StoredAddress {
    std::uint32_t capcode;
    bool enabled;
    friend bool operator==(const StoredAddress&, const StoredAddress&) = default;
};

// The bits 0 to 10 of a slot's word before the enable bit and the capcode are added.
// Throws std::invalid_argument for a slot outside 1 to 8.
std::uint32_t SlotTag(int slot);

// Only the low 21 bits of `capcode` are stored. Throws std::invalid_argument for a
// slot outside 1 to 8.
AddressWord CapcodeToAddressWord(std::uint32_t capcode, bool enabled, int slot);

// Ignores the slot tag and the fixed bits.
StoredAddress AddressWordToCapcode(AddressWord word);

// The frame number the pager listens in, 0 to 7.
constexpr std::uint32_t FrameOf(std::uint32_t capcode) { return capcode % 8; }

}  // namespace q9tx
