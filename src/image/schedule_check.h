#pragma once
// The weekly schedule's rules: the time rule of a start or finish field, and the
// schedule check that settles each day before a save or a write.

#include "image/pager_settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace q9tx {

inline constexpr char kDefaultStart[] = "09:00";
inline constexpr char kDefaultFinish[] = "18:00";

// The clock value hh * 100 + nn of an "hh:nn" text, or none when a position holds no digit.
std::optional<int> ClockValue(std::string_view time);
// The time rule: five characters, hour below 24 and minute below 60.
bool IsLegalTime(std::string_view time);

// One day of the schedule check, after a day that is not "Enabled" has lost its night
// shift: whether equal start and finish turn it into "Disabled, all day", and whether its
// finish is refused (not a legal time, or, on a day still "Enabled", before its start).
struct ScheduleDayCheck {
    bool disablesDay;
    bool refusesFinish;
};
ScheduleDayCheck CheckScheduleDay(std::string_view start, std::string_view finish, bool nightShift,
                                  std::int64_t period);

// A day of the schedule with the refusals (error marks) of its two times.
struct ScheduleDay {
    std::int64_t period = 0;
    std::string start;
    std::string finish;
    bool nightShift = false;
    bool startRefused = false;
    bool finishRefused = false;
    friend bool operator==(const ScheduleDay&, const ScheduleDay&) = default;
};

// The schedule check of one day. A day that is not "Enabled" gets the default text back
// for each refused time, which is then no longer refused, and loses its night shift; a
// day whose start equals its finish becomes "Disabled, all day"; the finish is refused
// exactly when CheckScheduleDay refuses it. The start keeps its refusal otherwise.
ScheduleDay SettleScheduleDay(ScheduleDay day);

// Whether the image can store each time of the day: an "Enabled" day's times go into it as
// numbers, used or not, so each needs a clock value; other days store none.
struct StorableTimes {
    bool start;
    bool finish;
};
StorableTimes TimesStorable(const ScheduleDay& day);

// Day `day` (1 to 7) of the settings. The settings hold no refused value but a time
// loaded from an image that fails the time rule, so such a time counts as refused.
ScheduleDay ScheduleDayOf(const PagerSettings& settings, int day);
void SetScheduleDay(PagerSettings& settings, int day, const ScheduleDay& values);

}  // namespace q9tx
