// The check that decides whether the editor's settings may be saved or written.

#include <algorithm>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "editor/addresses_page.h"
#include "editor/editor_shell.h"
#include "editor/field_events.h"
#include "editor/field_marks.h"
#include "editor/general_page.h"
#include "editor/masked_entry_guard.h"
#include "editor/messages_page.h"
#include "editor/schedule_page.h"
#include "editor/settings_editor.h"
#include "editor/status_texts.h"
#include "editor/text_conversion.h"

using namespace q9tx;

namespace {

// Fields the user types or chooses in; check boxes and buttons hold no value to test.
bool IsInputField(const QWidget* control)
{
    return qobject_cast<const QLineEdit*>(control) || qobject_cast<const QComboBox*>(control);
}

struct Refusal {
    QWidget* field;
    int status;
};

// The marked fields in the order the validation reads them, each with the message its
// rule shows for it.
std::vector<Refusal> MarkedFields(const SettingsEditor& form)
{
    const AddressesPage& addresses = form.addressesPage();
    const GeneralPage& general = form.generalPage();
    const SchedulePage& schedule = form.schedulePage();
    std::vector<Refusal> refusals;
    for (QLineEdit* field : addresses.address) {
        if (!isRefused(field))
            continue;
        bool legal = false;
        try {
            legal = addresses.IsLegalCapcode(field);
        } catch (const ConversionError&) {
        }
        refusals.push_back({field, legal ? StatusCapcodeUsed : StatusIllegalCapcode});
    }
    for (const Refusal& candidate : {Refusal{general.displayHoldTime, StatusIllegalValue},
                                     Refusal{general.frequency, StatusIllegalFrequency},
                                     Refusal{general.lcdBaseContrast, StatusIllegalValue},
                                     Refusal{general.rangeHoldTime, StatusIllegalValue},
                                     Refusal{general.passcode, StatusEnterNumber}}) {
        if (isRefused(candidate.field))
            refusals.push_back(candidate);
    }
    if (schedule.useSchedule->isChecked()) {
        for (int day = 0; day < SchedulePage::kDayCount; ++day) {
            for (QLineEdit* time : {schedule.start[day], schedule.finish[day]}) {
                if (isRefused(time))
                    refusals.push_back({time, StatusIllegalValue});
            }
        }
    }
    return refusals;
}

// Brings the page that holds the field to the front and gives the field the focus.
void BringToFront(QWidget* field)
{
    for (QWidget* ancestor = field->parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto* page = qobject_cast<EditorPanel*>(ancestor)) {
            page->BringToFront(field);
            return;
        }
    }
}

}  // namespace

bool SettingsEditor::ValidateSettings()
{
    // The field the user is still in has not been tested yet: leave it and come back.
    if (QWidget* current = shell_.fieldEvents().enteredField(); current && IsInputField(current)) {
        // A masked field that refuses to be left stops the save or write right here.
        if (MaskedEntryGuard* guard = MaskedEntryGuard::of(current); guard && guard->refusesLeaving()) {
            guard->keepUserIn();
            return false;
        }
        shell_.fieldEvents().exitAndReenter();
    }
    const auto marked = [](const QWidget* field) { return isRefused(field); };
    if (std::any_of(addresses_->address.begin(), addresses_->address.end(), marked))
        return false;
    for (const QWidget* field :
         {general_->displayHoldTime, general_->frequency, general_->lcdBaseContrast, general_->rangeHoldTime}) {
        if (marked(field))
            return false;
    }
    if (!general_->PasscodeCanBeEntered())
        return false;
    if (!schedule_->TimesCanBeStored())
        return false;
    if (schedule_->useSchedule->isChecked() && !schedule_->CheckSchedule())
        return false;
    return messages_->FoldersCanBeStored();
}

void SettingsEditor::ShowSettingsRefusal()
{
    // A time field that refuses to be left keeps the user and says why itself.
    if (const MaskedEntryGuard* guard = MaskedEntryGuard::of(shell_.fieldEvents().enteredField());
        guard && guard->refusesLeaving())
        return;
    const std::vector<Refusal> refusals = MarkedFields(*this);
    if (refusals.empty())
        return;
    const QString shown = shell_.statusText();
    if (std::any_of(refusals.begin(), refusals.end(),
                    [&shown](const Refusal& refusal) { return StatusText(refusal.status) == shown; }))
        return;
    // An earlier success (a write that advanced an address into a refused one) must not
    // stay in view: the first refused field says why, where the user can mend it.
    const Refusal& first = refusals.front();
    BringToFront(first.field);
    shell_.setStatusText(StatusText(first.status));
}
