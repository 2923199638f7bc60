// Attaches the editor's rules to their controls. Check boxes run their rule on every
// change of state, by the user or by the editor's own code; drop-downs only on the
// user's choice; edits' change rules on every change of text. Entering, leaving and
// typed characters reach the rules through the field events.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "editor/error_box.h"
#include "editor/field_events.h"
#include "editor/masked_entry_guard.h"
#include "editor/settings_editor.h"

using namespace q9tx;

void SettingsEditor::WireEditorRules()
{
    using Rule = FieldEvents::Rule;
    FieldEvents& events = fieldEvents();
    const auto onToggle = [this](QCheckBox* box, Rule rule) {
        connect(box, &QCheckBox::toggled, this, [rule = std::move(rule)] { Guarded(rule); });
    };
    const auto onChoice = [this](QComboBox* box, Rule rule) {
        connect(box, &QComboBox::activated, this, [rule = std::move(rule)] { Guarded(rule); });
    };
    const auto onTextChange = [this](QLineEdit* edit, Rule rule) {
        connect(edit, &QLineEdit::textChanged, this, [rule = std::move(rule)] { Guarded(rule); });
    };
    const FieldEvents::KeyFilter numeric = [this](QChar key) { return NumericKeyPress(key); };
    const auto fixedString = [this, &events](QLineEdit* edit) {
        events.setExitRule(edit, [this, edit] { FixedStringExit(edit); });
    };

    // Addresses.
    for (int n = 0; n < kAddressCount; ++n) {
        onToggle(addrEn[n], [this, n] { AddrEnClick(n); });
        onTextChange(address[n], [this, n] { AddressChange(n); });
        events.setExitRule(address[n], [this, n] { AddressExit(n); });
        events.setKeyFilter(address[n], numeric);
    }
    for (int n = 0; n < kStorageChoiceCount; ++n) {
        onChoice(storage[n], [this, n] { StorageChange(n); });
        events.setExitRule(storage[n], [this] { StorageExit(); });
    }

    // Schedule.
    onToggle(useSchedule, [this] { UseScheduleClick(); });
    for (int day = 0; day < kDayCount; ++day) {
        onChoice(period[day], [this, day] { PeriodChange(day); });
        for (QLineEdit* time : {start[day], finish[day]}) {
            events.setExitRule(time, [this, time] { TimeStringExit(time); });
            events.setKeyFilter(time, numeric);
            new MaskedEntryGuard(time, events);
        }
    }

    // Messages and folders.
    onChoice(unreadReminder, [this] { UnreadReminderChange(); });
    onToggle(messageOps, [this] { MessageOpsClick(); });
    onToggle(cannedMessages, [this] { CannedMessageClick(); });
    for (QLineEdit* text : canned)
        fixedString(text);
    for (int k = 0; k < kFolderCount; ++k) {
        onToggle(folderEn[k], [this, k] { FolderEnClick(k); });
        fixedString(folderName[k]);
        events.setKeyFilter(folderSize[k], numeric);
    }

    // General, alerts, RF and the factory panel.
    fixedString(serialNum);
    fixedString(banner);
    struct RangeField {
        QLineEdit* field;
        void (SettingsEditor::*enter)();
        void (SettingsEditor::*exit)();
    };
    using Editor = SettingsEditor;
    for (const RangeField& range : {RangeField{displayHoldTime, &Editor::DisplayHoldTimeEnter, &Editor::DisplayHoldTimeExit},
                                    RangeField{lcdBaseContrast, &Editor::ContrastEnter, &Editor::ContrastExit},
                                    RangeField{rangeHoldTime, &Editor::RangeHoldTimeEnter, &Editor::RangeHoldTimeExit}}) {
        events.setEnterRule(range.field, [this, enter = range.enter] { (this->*enter)(); });
        events.setExitRule(range.field, [this, exit = range.exit] { (this->*exit)(); });
        events.setKeyFilter(range.field, numeric);
    }
    events.setKeyFilter(passcode, numeric);
    onChoice(fixedAlertMode, [this] { FixedAlertModeChange(); });
    for (QLineEdit* tone : tonePatterns()) {
        events.setExitRule(tone, [this, tone] { TonePatternExit(tone); });
        events.setKeyFilter(tone, [this](QChar key) { return TonePatternKeyPress(key); });
    }
    onToggle(setup, [this] { SetupChange(); });
    events.setExitRule(frequency, [this] { FrequencyExit(); });
    events.setKeyFilter(frequency, [this](QChar key) { return FrequencyKeyPress(key); });
    events.setExitRule(bs1, [this] { BS1Exit(); });
    events.setKeyFilter(bs1, numeric);
    events.setExitRule(bs3, [this] { BS3Exit(); });
    events.setKeyFilter(bs3, numeric);

    RefuseMultiByteCharacters();
}
