// The page "Schedule": how it is laid out and which rule each control runs.

#include "editor/schedule_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/control_factory.h"
#include "image/pager_settings.h"
#include "editor/masked_entry_guard.h"

namespace q9tx {
namespace {

// The day-name and "to" labels of day N are Label55 + 2N and Label56 + 2N.
constexpr int kFirstDayLabel = 55;

enum DayColumn { NameColumn, PeriodColumn, StartColumn, ToColumn, FinishColumn, NightShiftColumn };

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
                                  SettingCaption(Member("period", day + 1)));
        period[day] = MakeSettingDropDown(timetable, Member("period", day + 1));
        start[day] = MakeSettingTimeEdit(timetable, Member("start", day + 1));
        toLabel[day] = MakeLabel(timetable, QStringLiteral("Label%1").arg(kFirstDayLabel + 2 * day + 1),
                                 QStringLiteral("to"));
        finish[day] = MakeSettingTimeEdit(timetable, Member("finish", day + 1));
        nightShift[day] = MakeSettingCheck(timetable, Member("nightShift", day + 1), QStringLiteral("Night shift"));
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
