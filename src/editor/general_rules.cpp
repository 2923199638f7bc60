// Rules of the general, alert, decoder and RF settings and of BS1 and BS3.

#include <algorithm>
#include <cstdint>
#include <optional>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScopeGuard>

#include "editor/field_marks.h"
#include "editor/frequency_field_text.h"
#include "editor/settings_editor.h"
#include "editor/status_texts.h"
#include "editor/text_conversion.h"
#include "editor/up_down_button.h"
#include "image/settings_rules.h"

using namespace q9tx;

namespace {

// The field's name is the setting's, whose range the field refuses a value outside. The
// text is never corrected: a refused value stays for the user to see and mend.
void LeaveRangeField(SettingsEditor& form, QLineEdit* field, UpDownButton* upDown)
{
    // The spin button belongs to the focused field, also when its text cannot be read.
    const auto hideSpinButton = qScopeGuard([upDown] { upDown->hide(); });
    const QString text = field->text();
    const std::optional<std::int64_t> value =
        text.isEmpty() ? std::nullopt : std::optional<std::int64_t>(TextToInt(text));
    const bool refused = IsOutOfRange(field->objectName().toStdString(), value);
    setRefused(field, refused);
    if (refused)
        form.showStatus(StatusIllegalValue);
    else
        form.setStatusText({});
}

// Clamps both thresholds and, if they are out of order, moves the one that was left.
void CorrectThresholds(QLineEdit* bs1, QLineEdit* bs3, ThresholdLeft left)
{
    // Both are read before anything is written, so an unreadable one changes neither.
    const auto read = [](QLineEdit* field) { return static_cast<std::uint16_t>(TextToInt(field->text())); };
    const std::uint16_t typed1 = read(bs1);
    const std::uint16_t typed3 = read(bs3);
    const Thresholds ordered = OrderThresholds(typed1, typed3, left);
    if (ordered.bs1 != typed1)
        bs1->setText(QString::number(ordered.bs1));
    if (ordered.bs3 != typed3)
        bs3->setText(QString::number(ordered.bs3));
}

}  // namespace

void SettingsEditor::DisplayHoldTimeEnter() { displayHoldTimeUpDown->show(); }

void SettingsEditor::DisplayHoldTimeExit() { LeaveRangeField(*this, displayHoldTime, displayHoldTimeUpDown); }

void SettingsEditor::ContrastEnter() { lcdBaseContrastUpDown->show(); }

void SettingsEditor::ContrastExit() { LeaveRangeField(*this, lcdBaseContrast, lcdBaseContrastUpDown); }

void SettingsEditor::RangeHoldTimeEnter() { rangeHoldTimeUpDown->show(); }

void SettingsEditor::RangeHoldTimeExit() { LeaveRangeField(*this, rangeHoldTime, rangeHoldTimeUpDown); }

void SettingsEditor::FixedAlertModeChange()
{
    const bool userChooses = IsMuteOptionUsable(fixedAlertMode->currentIndex());
    muteOption->setEnabled(userChooses);
    if (!userChooses)
        muteOption->setChecked(false);
}

bool SettingsEditor::TonePatternKeyPress(QChar key) { return IsControlKey(key.unicode()) || IsToneKey(key.unicode()); }

void SettingsEditor::TonePatternExit(QLineEdit* field)
{
    const QString filled = WithOneByteRule(field->text(), ToneFilled);
    if (filled != field->text())
        field->setText(filled);
}

void SettingsEditor::SetupChange()
{
    const bool settingsMenu = setup->isChecked();
    powerOff->setEnabled(settingsMenu);
    textSize->setEnabled(settingsMenu);
    schedule->setEnabled(settingsMenu && useSchedule->isChecked());
}

bool SettingsEditor::FrequencyKeyPress(QChar key)
{
    if (IsControlKey(key.unicode()) || IsDigitKey(key.unicode()))
        return true;
    return key == decimalSeparator() && frequency->text().size() > 2;
}

void SettingsEditor::FrequencyExit()
{
    const QString text = frequency->text();
    const std::optional<CheckedFrequency> checked =
        text.isEmpty() ? std::nullopt
                       : CheckFrequency(FrequencyFieldToHertz(text, decimalSeparator()),
                                        static_cast<std::uint8_t>(std::max(pllChip->currentIndex(), 0)));
    setRefused(frequency, !checked);
    if (!checked) {
        showStatus(StatusIllegalFrequency);
        return;
    }
    setStatusText({});
    // Shows the frequency the pager will really use, and the step that gives it.
    channelSpacing->setCurrentIndex(checked->stepCode < channelSpacing->count() ? checked->stepCode : -1);
    const QString shown = HertzToFrequencyField(checked->hertz, decimalSeparator());
    if (shown != text)
        frequency->setText(shown);
}

void SettingsEditor::BS1Exit() { CorrectThresholds(bs1, bs3, ThresholdLeft::Bs1); }

void SettingsEditor::BS3Exit() { CorrectThresholds(bs1, bs3, ThresholdLeft::Bs3); }
