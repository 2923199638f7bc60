#include "link/supported_pagers.h"

namespace q9tx {

PagerLinkCode CheckPagerModel(const std::vector<std::uint8_t>& reply,
                              const SupportedPagerTable& table)
{
    if (reply.empty() || reply[0] < 2 || reply.size() < 3)
        return LinkPagerUnsupported;
    const std::uint8_t model = reply[1];
    const std::uint8_t mapVersion = reply[2];
    for (const std::uint8_t code : table.modelCodes) {
        if (code != model)
            continue;
        if (table.highestMapVersion < mapVersion)
            return LinkMapVersionTooNew;
        if (mapVersion >= table.lowestMapVersion)
            return LinkPagerSupported;
    }
    return LinkPagerUnsupported;
}

}  // namespace q9tx
