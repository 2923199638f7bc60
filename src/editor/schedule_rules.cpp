// Rules of the weekly schedule and the schedule check.

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "editor/field_marks.h"
#include "editor/schedule_page.h"
#include "editor/status_texts.h"
#include "image/item_lists.h"
#include "image/schedule_check.h"

using namespace q9tx;

namespace {

// A blank position of the mask is left out of the field's text, which is then shorter
// than the mask and holds no time.
std::string TimeText(const QLineEdit* field) { return field->text().toStdString(); }

// A day as its row shows it, the refusals being the time fields' marks.
ScheduleDay ShownDay(const SchedulePage& form, int day)
{
    ScheduleDay shown{form.period[day]->currentIndex(), TimeText(form.start[day]), TimeText(form.finish[day]),
                      form.nightShift[day]->isChecked()};
    shown.startRefused = isRefused(form.start[day]);
    shown.finishRefused = isRefused(form.finish[day]);
    return shown;
}

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
        // The day's choice decides, not the row's visibility: a load checks the settings
        // before the rows are shown or hidden for the new choices.
        const ScheduleDay shown = ShownDay(*this, day);
        const ScheduleDay settled = SettleScheduleDay(shown);
        for (const auto& [field, before, after] : {std::tuple{start[day], shown.start, settled.start},
                                                   std::tuple{finish[day], shown.finish, settled.finish}}) {
            if (after != before)
                field->setText(QString::fromStdString(after));
        }
        // A start keeps the mark its own rule left, unless the day went back to defaults.
        if (settled.startRefused != shown.startRefused)
            setRefused(start[day], settled.startRefused);
        setRefused(finish[day], settled.finishRefused);
        nightShift[day]->setChecked(settled.nightShift);
        if (settled.period != shown.period) {
            period[day]->setCurrentIndex(static_cast<int>(settled.period));
            PeriodChange(day);
        }
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
    // A field that shows less than a time (a blank position, or a minute that a pager
    // held as a number of three digits) holds no time to store, schedule in use or not,
    // and no time is guessed for it.
    bool storable = true;
    for (int day = 0; day < kDayCount; ++day) {
        const StorableTimes times = TimesStorable(ShownDay(*this, day));
        for (const auto& [field, stored] : {std::pair{start[day], times.start}, std::pair{finish[day], times.finish}}) {
            if (!stored) {
                setRefused(field, true);
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
