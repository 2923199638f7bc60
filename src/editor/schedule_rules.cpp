// Rules of the weekly schedule and the schedule check.

#include <algorithm>
#include <optional>
#include <string>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "editor/field_marks.h"
#include "editor/schedule_page.h"
#include "editor/status_texts.h"
#include "image/item_lists.h"
#include "image/settings_validation.h"

using namespace q9tx;

namespace {

// A blank position of the mask is left out of the field's text, which is then shorter
// than the mask and holds no time.
std::string TimeText(const QLineEdit* field) { return field->text().toStdString(); }

}  // namespace

void SchedulePage::UseScheduleClick()
{
    const bool inUse = useSchedule->isChecked();
    for (int day = 0; day < kDayCount; ++day) {
        for (QWidget* control : std::initializer_list<QWidget*>{period[day], start[day], finish[day], nightShift[day]})
            control->setEnabled(inUse);
    }
    emit scheduleUseChanged();
}

void SchedulePage::PeriodChange(int day)
{
    const bool within = period[day]->currentIndex() == kEnabledWithin;
    for (QWidget* control : std::initializer_list<QWidget*>{start[day], toLabel[day], finish[day], nightShift[day]})
        control->setVisible(within);
}

void SchedulePage::TimeStringExit(QLineEdit* field)
{
    const bool legal = IsLegalTime(TimeText(field));
    setRefused(field, !legal);
    if (legal)
        setStatusText(QString());
    else
        showStatus(StatusIllegalValue);
}

bool SchedulePage::CheckSchedule()
{
    for (int day = 0; day < kDayCount; ++day) {
        // What the user can no longer see goes back to its defaults. The day's choice
        // decides, not the row's visibility: a load checks the settings before the rows
        // are shown or hidden for the new choices, and a night shift of a day that the
        // load enabled must not go with the row's earlier look.
        if (period[day]->currentIndex() != kEnabledWithin) {
            if (isRefused(start[day])) {
                setRefused(start[day], false);
                start[day]->setText(QStringLiteral("09:00"));
            }
            if (isRefused(finish[day])) {
                setRefused(finish[day], false);
                finish[day]->setText(QStringLiteral("18:00"));
            }
            nightShift[day]->setChecked(false);
        }
        const ScheduleDayCheck checked = CheckScheduleDay(TimeText(start[day]), TimeText(finish[day]),
                                                          nightShift[day]->isChecked(), period[day]->currentIndex());
        if (checked.disablesDay) {
            period[day]->setCurrentIndex(kDisabledAllDay);
            PeriodChange(day);
        }
        setRefused(finish[day], checked.refusesFinish);
    }
    const auto marked = [](const QLineEdit* field) { return isRefused(field); };
    const bool fails = std::any_of(start.begin(), start.end(), marked) || std::any_of(finish.begin(), finish.end(), marked);
    if (fails)
        showStatus(StatusIllegalValue);
    else
        setStatusText(QString());
    return !fails;
}

bool SchedulePage::TimesCanBeStored()
{
    // The image keeps two digits of hour and two of minute for each time of an "Enabled"
    // day. A field that shows less (a blank position, or a minute that a pager held as a
    // number of three digits) holds no time to store, schedule in use or not, and no
    // time is guessed for it.
    bool storable = true;
    for (int day = 0; day < kDayCount; ++day) {
        if (period[day]->currentIndex() != kEnabledWithin)
            continue;
        for (QLineEdit* time : {start[day], finish[day]}) {
            if (!ClockValue(TimeText(time))) {
                setRefused(time, true);
                storable = false;
            }
        }
    }
    if (!storable) {
        BringToFront();
        showStatus(StatusIllegalValue);
    }
    return storable;
}
