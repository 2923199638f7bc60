#pragma once
// The settings file after --advance: the file's own bytes with the new capcodes of the
// addresses that moved and new check words, and nothing else changed, so that its header,
// chip and serial number stay as the user made them.

#include <vector>

#include "image/config_image.h"
#include "image/pager_settings.h"

namespace q9tx::cli {

// `slots` (1 to 8) take their capcodes from `settings`.
ConfigImage WithAdvancedAddresses(ConfigImage file, const PagerSettings& settings, const std::vector<int>& slots);

}  // namespace q9tx::cli
