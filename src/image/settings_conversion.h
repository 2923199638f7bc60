#pragma once
// The conversion between a configuration image and the settings as the editor knows them,
// without widgets. Loading an image runs the editor's rules that change values (folder
// chain, schedule check, mute option, serial number fill), so the result is what the
// editor holds after the load.

#include "image/config_image.h"
#include "image/pager_settings.h"

#include <optional>

namespace q9tx {

// The settings an editor holding `previous` shows after loading `image`. The image must
// have passed ValidateImage. What the image does not carry for every slot (urgent targets
// of disabled or public slots, the serial number and PLL chip of an image made without a
// pager, the BS1 and BS3 thresholds) keeps its value from `previous`.
PagerSettings DecodeSettings(const ConfigImage& image, const PagerSettings& previous = DefaultSettings());

// The image of `settings`: with the pager's `header` for a write, or without one for a
// file (the frequency is then stored for the FS8170). The escalating-alerts bit is stored
// only while `escalatingAlertsShown`, as the editor stores it only while it shows the
// option. Throws SettingsRefused for a frequency the chip cannot be set to ("Illegal
// frequency.") and for an "Enabled" day whose time holds no clock value ("Illegal value.").
ConfigImage EncodeSettings(const PagerSettings& settings, const std::optional<ImageHeader>& header,
                           bool escalatingAlertsShown = true);

}  // namespace q9tx
