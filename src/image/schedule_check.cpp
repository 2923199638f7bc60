#include "image/schedule_check.h"

#include "image/item_lists.h"

namespace q9tx {

namespace {

constexpr int kNightShiftFinish = 2400;
constexpr std::size_t kTimeLength = 5;
constexpr std::size_t kDigitPositions[] = {0, 1, 3, 4};

}  // namespace

std::optional<int> ClockValue(std::string_view time)
{
    if (time.size() != kTimeLength) {
        return std::nullopt;
    }
    int value = 0;
    for (const std::size_t position : kDigitPositions) {
        const char digit = time[position];
        if (digit < '0' || digit > '9') {
            return std::nullopt;
        }
        value = value * 10 + (digit - '0');
    }
    return value;
}

bool IsLegalTime(std::string_view time)
{
    const std::optional<int> clock = ClockValue(time);
    return clock && *clock / 100 < 24 && *clock % 100 < 60;
}

ScheduleDayCheck CheckScheduleDay(std::string_view start, std::string_view finish, bool nightShift,
                                  std::int64_t period)
{
    const std::optional<int> begins = ClockValue(start);
    const std::optional<int> ends = nightShift ? std::optional<int>(kNightShiftFinish) : ClockValue(finish);
    const bool disablesDay = begins && ends && *begins == *ends;
    // A start that holds no time cannot be before any finish.
    const bool endsTooEarly = !disablesDay && period == kEnabledWithin && (!begins || !ends || *ends < *begins);
    return {disablesDay, !IsLegalTime(finish) || endsTooEarly};
}

ScheduleDay SettleScheduleDay(ScheduleDay day)
{
    // What the user can no longer see goes back to its defaults.
    if (day.period != kEnabledWithin) {
        if (day.startRefused) {
            day.start = kDefaultStart;
            day.startRefused = false;
        }
        if (day.finishRefused) {
            day.finish = kDefaultFinish;
            day.finishRefused = false;
        }
        day.nightShift = false;
    }
    const ScheduleDayCheck checked = CheckScheduleDay(day.start, day.finish, day.nightShift, day.period);
    if (checked.disablesDay) {
        day.period = kDisabledAllDay;
    }
    day.finishRefused = checked.refusesFinish;
    return day;
}

StorableTimes TimesStorable(const ScheduleDay& day)
{
    const bool stored = day.period == kEnabledWithin;
    return {!stored || ClockValue(day.start).has_value(), !stored || ClockValue(day.finish).has_value()};
}

ScheduleDay ScheduleDayOf(const PagerSettings& settings, int day)
{
    ScheduleDay values{settings.number(Member("period", day)), settings.text(Member("start", day)),
                       settings.text(Member("finish", day)), settings.checked(Member("nightShift", day))};
    values.startRefused = !IsLegalTime(values.start);
    values.finishRefused = !IsLegalTime(values.finish);
    return values;
}

void SetScheduleDay(PagerSettings& settings, int day, const ScheduleDay& values)
{
    settings.setNumber(Member("period", day), values.period);
    settings.setText(Member("start", day), values.start);
    settings.setText(Member("finish", day), values.finish);
    settings.setChecked(Member("nightShift", day), values.nightShift);
}

}  // namespace q9tx
