#pragma once
// The programmer's own words for the failures that images, files and settings report,
// by status number, for code that shows them without the window.

#include <string>

namespace q9tx {

inline constexpr int kStatusFileNotRead = 1300;
inline constexpr int kStatusFileCorrupted = 1301;
inline constexpr int kStatusFileNotWritten = 1302;
inline constexpr int kStatusCapcodeUsed = 1500;
inline constexpr int kStatusIllegalCapcode = 1501;
inline constexpr int kStatusIllegalValue = 1502;
inline constexpr int kStatusIllegalFrequency = 1600;
inline constexpr int kStatusEnterNumber = 1700;

// The text of a status number; empty for one this table does not hold.
std::string MessageText(int number);

}  // namespace q9tx
