// The window's entry points to the settings conversion: an image is shown as the
// settings it holds, and an image is built from the settings the controls hold.

#include <QCheckBox>

#include "editor/general_page.h"
#include "editor/settings_editor.h"
#include "editor/settings_view.h"
#include "editor/status_texts.h"
#include "image/settings_conversion.h"
#include "image/settings_validation.h"
#include "image/status_error.h"

using namespace q9tx;

namespace {

// The status number whose text the conversion's refusal gives.
int StatusOfRefusal(const SettingsRefused& refused)
{
    for (const int number : {StatusIllegalFrequency, StatusIllegalValue, StatusIllegalCapcode, StatusCapcodeUsed}) {
        if (StatusText(number).toStdString() == refused.problem().message)
            return number;
    }
    return StatusIllegalValue;
}

}  // namespace

ConfigImage SettingsEditor::EncodeImage(const std::optional<ImageHeader>& header) const
{
    const PagerSettings settings = CollectSettings(*this, UnreadableNumbers::Refuse);
    try {
        // The escalating-alerts option is stored only for a pager that shows it.
        return EncodeSettings(settings, header, !general_->escalatingAlerts->isHidden());
    } catch (const SettingsRefused& refused) {
        throw StatusError(StatusOfRefusal(refused));
    }
}

void SettingsEditor::DecodeImage(const ConfigImage& image)
{
    // What the image does not carry keeps what the editor shows.
    ShowSettings(*this, DecodeSettings(image, CollectSettings(*this, UnreadableNumbers::TakeStartUpValue)));
}
