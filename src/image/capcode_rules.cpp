#include "image/capcode_rules.h"

#include "image/status_texts.h"

#include <algorithm>

namespace q9tx {

namespace {

struct CapcodeRange {
    std::int64_t first;
    std::int64_t last;
};
constexpr CapcodeRange kLegalCapcodes[] = {{8, 2007663}, {2007672, 2045055}, {2045064, 2097143}};

}  // namespace

bool IsLegalCapcode(std::int64_t capcode)
{
    return std::any_of(std::begin(kLegalCapcodes), std::end(kLegalCapcodes), [capcode](const CapcodeRange& range) {
        return capcode >= range.first && capcode <= range.last;
    });
}

bool IsFreeCapcode(std::span<const std::int64_t, kSlotCount> capcodes, int slot)
{
    const std::int64_t capcode = capcodes[static_cast<std::size_t>(slot - 1)];
    return std::count(capcodes.begin(), capcodes.end(), capcode) == 1;
}

std::optional<int> CapcodeRefusal(std::span<const std::int64_t, kSlotCount> capcodes, int slot)
{
    if (!IsLegalCapcode(capcodes[static_cast<std::size_t>(slot - 1)])) {
        return StatusIllegalCapcode;
    }
    if (!IsFreeCapcode(capcodes, slot)) {
        return StatusCapcodeUsed;
    }
    return std::nullopt;
}

Capcodes CapcodesOf(const PagerSettings& settings)
{
    Capcodes capcodes{};
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        capcodes[static_cast<std::size_t>(slot - 1)] = settings.number(Member("address", slot));
    }
    return capcodes;
}

}  // namespace q9tx
