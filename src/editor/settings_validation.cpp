// The check that decides whether the editor's settings may be saved or written.

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "editor/field_events.h"
#include "editor/field_marks.h"
#include "editor/masked_entry_guard.h"
#include "editor/settings_editor.h"
#include "editor/status_texts.h"
#include "editor/text_conversion.h"
#include "image/folder_slots.h"
#include "image/settings_rules.h"

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
std::vector<Refusal> MarkedFields(SettingsEditor& form)
{
    std::vector<Refusal> refusals;
    for (QLineEdit* field : form.address) {
        if (!isRefused(field))
            continue;
        bool legal = false;
        try {
            legal = form.IsLegalCapcode(field);
        } catch (const ConversionError&) {
        }
        refusals.push_back({field, legal ? StatusCapcodeUsed : StatusIllegalCapcode});
    }
    for (const Refusal& candidate : {Refusal{form.displayHoldTime, StatusIllegalValue},
                                     Refusal{form.frequency, StatusIllegalFrequency},
                                     Refusal{form.lcdBaseContrast, StatusIllegalValue},
                                     Refusal{form.rangeHoldTime, StatusIllegalValue},
                                     Refusal{form.passcode, StatusEnterNumber}}) {
        if (isRefused(candidate.field))
            refusals.push_back(candidate);
    }
    if (form.useSchedule->isChecked()) {
        for (int day = 0; day < SettingsEditor::kDayCount; ++day) {
            for (QLineEdit* time : {form.start[day], form.finish[day]}) {
                if (isRefused(time))
                    refusals.push_back({time, StatusIllegalValue});
            }
        }
    }
    return refusals;
}

void BringToFront(SettingsEditor& form, QWidget* field)
{
    for (int page = 0; page < form.PageControl1->count(); ++page) {
        if (form.PageControl1->widget(page)->isAncestorOf(field))
            form.PageControl1->setCurrentIndex(page);
    }
    field->setFocus(Qt::OtherFocusReason);
}

// The passcode has no exit rule, and a paste gets letters past its key filter: the pager's
// keys enter digits only, so such a passcode is refused here and marked until it is mended.
bool PasscodeCanBeEntered(SettingsEditor& form)
{
    const bool enterable = IsLegalPasscode(form.passcode->text().toStdString());
    setRefused(form.passcode, !enterable);
    if (enterable)
        return true;
    BringToFront(form, form.passcode);
    form.showStatus(StatusEnterNumber);
    return false;
}

// Folder sizes carry no mark: a size whose range the image cannot hold is refused here,
// where the user can make it smaller, instead of being saved as other folders.
bool FoldersCanBeStored(SettingsEditor& form)
{
    std::array<FolderUse, SettingsEditor::kFolderCount> folders{};
    for (int k = 0; k < SettingsEditor::kFolderCount; ++k) {
        std::optional<std::int64_t> size;
        try {
            size = TextToInt(form.folderSize[k]->text());
        } catch (const ConversionError&) {
        }
        folders[k] = {form.folderEn[k]->isChecked(), size};
    }
    const std::optional<FolderSlotsProblem> problem = CheckFolderSlots(folders);
    if (!problem)
        return true;
    BringToFront(form, form.folderSize[problem->folder - 1]);
    form.setStatusText(QString::fromStdString(problem->message));
    return false;
}

}  // namespace

bool SettingsEditor::ValidateSettings()
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
    if (!PasscodeCanBeEntered(*this))
        return false;
    if (!TimesCanBeStored())
        return false;
    if (useSchedule->isChecked() && !CheckSchedule())
        return false;
    return FoldersCanBeStored(*this);
}

void SettingsEditor::ShowSettingsRefusal()
{
    // A time field that refuses to be left keeps the user and says why itself.
    if (const MaskedEntryGuard* guard = MaskedEntryGuard::of(fieldEvents().enteredField());
        guard && guard->refusesLeaving())
        return;
    const std::vector<Refusal> refusals = MarkedFields(*this);
    if (refusals.empty())
        return;
    const QString shown = statusText();
    if (std::any_of(refusals.begin(), refusals.end(),
                    [&shown](const Refusal& refusal) { return StatusText(refusal.status) == shown; }))
        return;
    // An earlier success (a write that advanced an address into a refused one) must not
    // stay in view: the first refused field says why, where the user can mend it.
    const Refusal& first = refusals.front();
    BringToFront(*this, first.field);
    showStatus(first.status);
}
