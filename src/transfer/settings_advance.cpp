#include "transfer/settings_advance.h"

#include "image/item_lists.h"

namespace q9tx {

AddressAdvance AdvanceAddresses(PagerSettings& settings, const AddressSteps& steps)
{
    AddressAdvance result;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        if (!settings.checked(Member("addrEn", slot)))
            continue;
        if (slot <= kSlotsWithStorage && settings.number(Member("storage", slot)) != kPrivateStorage)
            continue;
        const int step = steps[std::size_t(slot - 1)];
        const std::string address = Member("address", slot);
        const std::int64_t capcode = settings.number(address);
        if (step <= 0 || capcode < 0 || capcode >= kAdvanceLimit)
            continue;
        settings.setNumber(address, capcode + step);
        result.advancedSlots.push_back(slot);
    }
    // Tested once all have moved, as leaving each field would.
    for (const int slot : result.advancedSlots) {
        if (std::optional<SettingProblem> problem = AddressProblem(settings, slot))
            result.problems.push_back(*problem);
    }
    return result;
}

}  // namespace q9tx
