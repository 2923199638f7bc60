#pragma once
// The page "Schedule": the weekly schedule, one row per day, indexed from 0: start[0]
// is "start1", Monday's start.

#include <array>

#include "editor/editor_panel.h"
#include "image/config_image.h"

class QGroupBox;
class QLabel;

namespace q9tx {

class SchedulePage : public EditorPanel {
    Q_OBJECT
public:
    static constexpr int kDayCount = q9tx::kDayCount;

    explicit SchedulePage(EditorShell& shell);

    // Also runs the rules of other pages that follow the schedule's use.
    void UseScheduleClick();
    void PeriodChange(int day);
    void TimeStringExit(QLineEdit* field);
    bool CheckSchedule();
    // False, with the refused fields marked, the page in front and "Illegal value."
    // shown, when an "Enabled" day's time field holds no complete time.
    bool TimesCanBeStored();

    QGroupBox* timetable = nullptr;
    QCheckBox* useSchedule = nullptr;
    std::array<QLabel*, kDayCount> dayLabel{};  // "Label55", "Label57", ... "Label67"
    std::array<QComboBox*, kDayCount> period{};
    std::array<QLineEdit*, kDayCount> start{};
    std::array<QLabel*, kDayCount> toLabel{};  // "Label56", "Label58", ... "Label68"
    std::array<QLineEdit*, kDayCount> finish{};
    std::array<QCheckBox*, kDayCount> nightShift{};

signals:
    void scheduleUseChanged();

private:
    void WireRules();
};

}  // namespace q9tx
