#pragma once
// The pagers this tool can program, and the check of an identification reply against them.
// Identification payload: model code, map version, feature byte, unused, firmware number,
// firmware version.

#include <cstdint>
#include <span>
#include <vector>

#include "link/link_messages.h"

namespace q9tx {

struct SupportedPagerTable {
    std::span<const std::uint8_t> modelCodes;
    std::uint8_t lowestMapVersion;
    std::uint8_t highestMapVersion;
};

inline constexpr std::uint8_t kSupportedModelCodes[] = {0x08};
inline constexpr SupportedPagerTable SupportedPagers{kSupportedModelCodes, 0, 0};

// reply: the length byte followed by the identification payload. Returns
// LinkPagerSupported, LinkMapVersionTooNew or LinkPagerUnsupported. A reply without a map
// version cannot show that the pager's layout is one we know, so it counts as unsupported.
PagerLinkCode CheckPagerModel(const std::vector<std::uint8_t>& reply,
                              const SupportedPagerTable& table = SupportedPagers);

}  // namespace q9tx
