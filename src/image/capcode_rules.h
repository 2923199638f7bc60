#pragma once
// Whether a receiving address may be used: its capcode lies in a range the pager accepts
// and no other address holds it.

#include "image/config_image.h"
#include "image/pager_settings.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace q9tx {

using Capcodes = std::array<std::int64_t, kSlotCount>;

// The capcodes the pager accepts; the gaps between the ranges are reserved addresses.
bool IsLegalCapcode(std::int64_t capcode);

// Whether no address but `slot` (1 to 8) holds its capcode. Every address counts, in use
// or not.
bool IsFreeCapcode(std::span<const std::int64_t, kSlotCount> capcodes, int slot);

// The status text number that refuses the capcode of `slot` (1 to 8): "Illegal capcode."
// before "The capcode has been used."; none when it is accepted.
std::optional<int> CapcodeRefusal(std::span<const std::int64_t, kSlotCount> capcodes, int slot);

// The capcodes of address1 to address8.
Capcodes CapcodesOf(const PagerSettings& settings);

}  // namespace q9tx
