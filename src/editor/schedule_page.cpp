// The page "Schedule": how it is laid out and which rule each control runs.

#include "editor/schedule_page.h"

#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/control_factory.h"
#include "editor/masked_entry_guard.h"

namespace q9tx {
namespace {

// The day-name and "to" labels of day N are Label55 + 2N and Label56 + 2N.
constexpr int kFirstDayLabel = 55;

enum DayColumn { NameColumn, PeriodColumn, StartColumn, ToColumn, FinishColumn, NightShiftColumn };

std::string Name(const char* family, int day) { return family + std::to_string(day + 1); }

}  // namespace

SchedulePage::SchedulePage(EditorShell& shell) : EditorPanel(shell, QStringLiteral("timefilters"))
{
    auto* column = new QVBoxLayout(this);

    timetable = MakeSettingGroup(this, "Schedule");
    auto* grid = new QGridLayout(timetable);
    useSchedule = MakeSettingCheck(timetable, "useSchedule");
    grid->addWidget(useSchedule, 0, NameColumn, 1, 3);

    for (int day = 0; day < kDayCount; ++day) {
        const int row = day + 1;
        dayLabel[day] = MakeLabel(timetable, QStringLiteral("Label%1").arg(kFirstDayLabel + 2 * day),
                                  SettingCaption(Name("period", day)));
        period[day] = MakeSettingDropDown(timetable, Name("period", day));
        start[day] = MakeSettingTimeEdit(timetable, Name("start", day));
        toLabel[day] = MakeLabel(timetable, QStringLiteral("Label%1").arg(kFirstDayLabel + 2 * day + 1),
                                 QStringLiteral("to"));
        finish[day] = MakeSettingTimeEdit(timetable, Name("finish", day));
        nightShift[day] = MakeSettingCheck(timetable, Name("nightShift", day), QStringLiteral("Night shift"));
        // Hidden times must not let the rest of the row move.
        for (QWidget* control : std::initializer_list<QWidget*>{start[day], toLabel[day], finish[day], nightShift[day]}) {
            QSizePolicy policy = control->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            control->setSizePolicy(policy);
        }
        grid->addWidget(dayLabel[day], row, NameColumn);
        grid->addWidget(period[day], row, PeriodColumn);
        grid->addWidget(start[day], row, StartColumn);
        grid->addWidget(toLabel[day], row, ToColumn);
        grid->addWidget(finish[day], row, FinishColumn);
        grid->addWidget(nightShift[day], row, NightShiftColumn);
    }
    grid->setColumnStretch(NightShiftColumn + 1, 1);
    column->addWidget(timetable);
    column->addStretch(1);
    WireRules();
}

void SchedulePage::WireRules()
{
    onToggle(useSchedule, [this] { UseScheduleClick(); });
    for (int day = 0; day < kDayCount; ++day) {
        onChoice(period[day], [this, day] { PeriodChange(day); });
        for (QLineEdit* time : {start[day], finish[day]}) {
            fieldEvents().setExitRule(time, [this, time] { TimeStringExit(time); });
            filterNumericKeys(time);
            new MaskedEntryGuard(time, fieldEvents());
        }
    }
}

}  // namespace q9tx
