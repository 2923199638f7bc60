#pragma once
// The editor as a view of a settings value: it shows one, as a load does, and collects
// the one its controls hold. The byte rules live in the settings conversion; this file
// knows only how each kind of setting sits in its control.

#include "image/pager_settings.h"

namespace q9tx {

class SettingsEditor;

// What collecting does with a numeric text that holds no number.
enum class UnreadableNumbers {
    // Throws ConversionError ("'<text>' is not a valid integer value"), except for the
    // size of an unticked folder, which nothing uses: it reads as its start-up value.
    Refuse,
    // Reads as the start-up value: for values a load replaces or keeps unseen.
    TakeStartUpValue,
};

// The settings the controls hold. A drop-down without a selection gives the value beyond
// its items that the last load put there.
PagerSettings CollectSettings(const SettingsEditor& form, UnreadableNumbers unreadable);

// Sets the controls in the order a load sets them (check boxes run their own rules as
// they change), clears the error marks of the fields it fills and runs the editor's
// load rules once each, in their order.
void ShowSettings(SettingsEditor& form, const PagerSettings& settings);

}  // namespace q9tx
