#pragma once
// After a completed write every address set to count up moves on by its step, so that
// the next pager gets the next capcodes. The window and the command line both use it.

#include <array>
#include <vector>

#include "image/config_image.h"
#include "image/pager_settings.h"
#include "image/settings_validation.h"

namespace q9tx {

// Capcodes from here on are not counted up.
inline constexpr std::int64_t kAdvanceLimit = 2097144;

struct AddressAdvance {
    std::vector<int> advancedSlots;  // 1 to 8
    // What leaving each advanced field would refuse: a capcode moved into a reserved range
    // or onto one another address holds, so that it is noticed before the next pager.
    std::vector<SettingProblem> problems;
};

// The step of each slot, 0 to 8 (the window's autoInc lists); the image does not carry
// them.
using AddressSteps = std::array<int, kSlotCount>;

// Considers the slots in use, for slots 1 to 4 only with private storage, with a step
// above 0 and a capcode below kAdvanceLimit.
AddressAdvance AdvanceAddresses(PagerSettings& settings, const AddressSteps& steps);

}  // namespace q9tx
