// The page "Schedule": the weekly schedule, one row per day.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/control_factory.h"
#include "editor/settings_editor.h"
#include "image/item_lists.h"

using namespace q9tx;

namespace {

const char* const kDayNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
// The day-name and "to" labels of day N are Label55 + 2N and Label56 + 2N.
constexpr int kFirstDayLabel = 55;

enum DayColumn { NameColumn, PeriodColumn, StartColumn, ToColumn, FinishColumn, NightShiftColumn };

}  // namespace

QWidget* SettingsEditor::BuildSchedulePage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("timefilters"));
    auto* column = new QVBoxLayout(page);

    timetable = MakeGroup(page, QStringLiteral("timetable"), QStringLiteral("Schedule"),
                          QStringLiteral("Schedule|Schedule options"));
    auto* grid = new QGridLayout(timetable);
    useSchedule = MakeCheck(timetable, QStringLiteral("useSchedule"), QStringLiteral("Use schedule"), false);
    grid->addWidget(useSchedule, 0, NameColumn, 1, 3);

    const QStringList periods = ItemTexts(kPeriodItems);
    for (int day = 0; day < kDayCount; ++day) {
        const QString number = QString::number(day + 1);
        const int row = day + 1;
        dayLabel[day] = MakeLabel(timetable, QStringLiteral("Label%1").arg(kFirstDayLabel + 2 * day),
                                  QString::fromLatin1(kDayNames[day]));
        period[day] = MakeDropDown(timetable, QStringLiteral("period") + number, periods, 2);
        start[day] = MakeTimeEdit(timetable, QStringLiteral("start") + number, QStringLiteral("09:00"));
        toLabel[day] = MakeLabel(timetable, QStringLiteral("Label%1").arg(kFirstDayLabel + 2 * day + 1),
                                 QStringLiteral("to"));
        finish[day] = MakeTimeEdit(timetable, QStringLiteral("finish") + number, QStringLiteral("18:00"));
        nightShift[day] = MakeCheck(timetable, QStringLiteral("nightShift") + number, QStringLiteral("Night shift"),
                                    false);
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
    return page;
}
