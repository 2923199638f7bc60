// The check that decides whether the editor's settings may be saved or written.

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "app/tform1.h"
#include "editor/field_events.h"
#include "editor/field_marks.h"
#include "editor/masked_entry_guard.h"

using namespace q9tx;

namespace {

// Fields the user types or chooses in; check boxes and buttons hold no value to test.
bool IsInputField(const QWidget* control)
{
    return qobject_cast<const QLineEdit*>(control) || qobject_cast<const QComboBox*>(control);
}

}  // namespace

bool TForm1::ValidateSettings()
{
    // The field the user is still in has not been tested yet: leave it and come back.
    if (QWidget* current = fieldEvents().enteredField(); current && IsInputField(current)) {
        // A masked field that refuses to be left stops the save or write right here.
        if (MaskedEntryGuard* guard = MaskedEntryGuard::of(current); guard && guard->refusesLeaving()) {
            guard->keepUserIn();
            return false;
        }
        fieldEvents().exitAndReenter();
    }
    const auto marked = [](const QWidget* field) { return isRefused(field); };
    if (std::any_of(address.begin(), address.end(), marked))
        return false;
    for (const QWidget* field : {displayHoldTime, frequency, lcdBaseContrast, rangeHoldTime}) {
        if (marked(field))
            return false;
    }
    if (!TimesCanBeStored())
        return false;
    if (!useSchedule->isChecked())
        return true;
    return CheckSchedule();
}
