#pragma once
// Settings and differences as JSON for scripts. The keys are the control names.

#include "image/pager_settings.h"
#include "image/settings_diff.h"
#include "image/settings_validation.h"

#include <QJsonArray>

#include <string>
#include <vector>

namespace q9tx {

// {"address1": 2004000, "addrEn1": true, "banner": "...", ...}: check boxes are booleans,
// list positions, numbers, capcodes and hertz are numbers (no frequency is null), tone
// patterns, times and texts are strings (texts as their 8-bit characters).
std::string SettingsJson(const PagerSettings& settings);

// [{"name": ..., "label": ..., "from": ..., "to": ...}], the values as SettingsJson gives them.
QJsonArray DifferencesArray(const std::vector<SettingDifference>& differences, const PagerSettings& from,
                            const PagerSettings& to);
std::string DifferencesJson(const std::vector<SettingDifference>& differences, const PagerSettings& from,
                            const PagerSettings& to);

// {"file": ..., "usable": false, "fileProblem": "File corrupted.", "problems": []} or, for a file
// that can be opened, {"file": ..., "usable": true, "problems": [{"name", "label", "message"}]}.
std::string CheckJson(const std::string& file, const std::string& fileProblem,
                      const std::vector<SettingProblem>& problems);

}  // namespace q9tx
