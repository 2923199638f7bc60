#pragma once
// Settings as text: how a value is written for people (the window's item texts, capcodes
// of seven digits, the frequency as the field shows it) and how a typed value is read.

#include "image/pager_settings.h"
#include "image/setting_table.h"

#include <optional>
#include <string>
#include <string_view>

namespace q9tx {

// The value as the window shows it. Texts are quoted, with bytes outside printable
// ASCII, quotes and backslashes written as \xNN; a list position beyond the items is
// "(value N)"; a missing frequency is "(none)".
std::string FormatValue(const SettingDefinition& setting, const SettingValue& value);

// The stored bytes of a text written with the \xNN and \\ escapes of FormatValue (without
// the quotes). None when an escape is incomplete.
std::optional<std::string> UnescapeText(std::string_view text);

// "457.6" -> "457.60000": the frequency field's text for a number of hertz.
std::string FrequencyFieldText(std::uint32_t hertz);

}  // namespace q9tx
