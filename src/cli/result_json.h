#pragma once
// A pager's result as one line of JSON on stdout, with the journal's fields, for scripts:
// {"time", "port", "firmware", "serialNumber", "capcodes": [...], "frequency": hertz or
// null, "outcome", "success"}. Texts from the pager are kept as their 8-bit characters.

#include <string>
#include <vector>

#include <QJsonObject>

#include "cli/journal.h"
#include "image/pager_settings.h"
#include "image/settings_diff.h"

namespace q9tx::cli {

QJsonObject EntryObject(const JournalEntry& entry);

// One line, without its line break.
std::string EntryJson(const JournalEntry& entry, bool success);
std::string JsonLine(const QJsonObject& object);

// `q9tx verify --json`: the read's fields, the file and the differences (FILE -> pager)
// as `q9tx diff --json` gives them.
std::string VerifyJson(const JournalEntry& entry, const std::string& file,
                       const std::vector<SettingDifference>& differences, const PagerSettings& fileSettings,
                       const PagerSettings& pagerSettings);

}  // namespace q9tx::cli
