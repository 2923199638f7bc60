#pragma once
// Changing one setting from its NAME=VALUE text as a user of the editor would: the text
// is read as the field takes it, and the field's rules of settings_rules.h run (key
// filter, range and capcode checks, filling, the folder chain, the mute option, the
// BS1/BS3 order, the frequency check). A refused value leaves the settings unchanged.

#include "image/pager_settings.h"
#include "image/settings_validation.h"

#include <optional>
#include <string_view>

namespace q9tx {

// `text` is the value as FormatValue writes it, without the quotes of a text: an item
// text or position for a list, yes/no (also on/off, true/false, 1/0) for a check box, a
// decimal number of megahertz with "." for the frequency. Texts are 8-bit characters;
// \xNN and \\ stand for any byte and a backslash. Returns the refusal, naming the setting,
// or nothing when the value was taken.
std::optional<SettingProblem> ApplySetting(PagerSettings& settings, std::string_view name, std::string_view text);

}  // namespace q9tx
