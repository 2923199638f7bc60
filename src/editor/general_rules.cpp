// Rules of the general, alert, decoder and RF settings and of BS1 and BS3.

#include <algorithm>
#include <cstdint>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScopeGuard>

#include "editor/field_marks.h"
#include "editor/factory_panel.h"
#include "editor/frequency_field_text.h"
#include "editor/general_page.h"
#include "editor/status_texts.h"
#include "editor/text_conversion.h"
#include "editor/up_down_button.h"
#include "image/rf_word.h"
#include "image/settings_rules.h"

using namespace q9tx;

namespace {

constexpr int kToneDigits = 4;

bool IsControlCharacter(QChar key) { return key.unicode() < 32; }

bool IsDecimalDigit(QChar key) { return key >= QLatin1Char('0') && key <= QLatin1Char('9'); }

bool IsHexDigit(QChar key)
{
    const QChar upper = key.toUpper();
    return IsDecimalDigit(key) || (upper >= QLatin1Char('A') && upper <= QLatin1Char('F'));
}

// The range of a field with a spin button is the spin button's range. The field's text
// is never corrected: a refused value stays for the user to see and mend.
void LeaveRangeField(GeneralPage& form, QLineEdit* field, UpDownButton* upDown)
{
    // The spin button belongs to the focused field, also when its text cannot be read.
    const auto hideSpinButton = qScopeGuard([upDown] { upDown->hide(); });
    const QString text = field->text();
    bool accepted = !text.isEmpty();
    if (accepted) {
        const int value = TextToInt(text);
        accepted = value >= upDown->minimum() && value <= upDown->maximum();
    }
    setRefused(field, !accepted);
    if (accepted)
        form.setStatusText({});
    else
        form.showStatus(StatusIllegalValue);
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

void GeneralPage::DisplayHoldTimeEnter() { displayHoldTimeUpDown->show(); }

void GeneralPage::DisplayHoldTimeExit() { LeaveRangeField(*this, displayHoldTime, displayHoldTimeUpDown); }

void GeneralPage::ContrastEnter() { lcdBaseContrastUpDown->show(); }

void GeneralPage::ContrastExit() { LeaveRangeField(*this, lcdBaseContrast, lcdBaseContrastUpDown); }

void GeneralPage::RangeHoldTimeEnter() { rangeHoldTimeUpDown->show(); }

void GeneralPage::RangeHoldTimeExit() { LeaveRangeField(*this, rangeHoldTime, rangeHoldTimeUpDown); }

void GeneralPage::FixedAlertModeChange()
{
    const bool userChooses = IsMuteOptionUsable(fixedAlertMode->currentIndex());
    muteOption->setEnabled(userChooses);
    if (!userChooses)
        muteOption->setChecked(false);
}

bool GeneralPage::TonePatternKeyPress(QChar key) { return IsControlCharacter(key) || IsHexDigit(key); }

void GeneralPage::TonePatternExit(QLineEdit* field)
{
    const QString filled = field->text().leftJustified(kToneDigits, QLatin1Char('0'));
    if (filled != field->text())
        field->setText(filled);
}

void GeneralPage::SetupChange()
{
    const bool settingsMenu = setup->isChecked();
    powerOff->setEnabled(settingsMenu);
    textSize->setEnabled(settingsMenu);
    emit setupChanged();
}

bool GeneralPage::FrequencyKeyPress(QChar key)
{
    if (IsControlCharacter(key) || IsDecimalDigit(key))
        return true;
    return key == decimalSeparator() && frequency->text().size() > 2;
}

void GeneralPage::FrequencyExit()
{
    RfWord rfWord{};
    SetRfChipType(rfWord, static_cast<std::uint8_t>(std::max(pllChip->currentIndex(), 0)));
    const QString text = frequency->text();
    const bool accepted = !text.isEmpty() && FrequencyToRfWord(FrequencyFieldToHertz(text, decimalSeparator()), rfWord);
    setRefused(frequency, !accepted);
    if (!accepted) {
        showStatus(StatusIllegalFrequency);
        return;
    }
    setStatusText({});
    // Shows the frequency the pager will really use, and the step that gives it.
    const std::uint32_t hertz = RfWordToFrequency(rfWord);
    const int step = RfStepCode(rfWord);
    channelSpacing->setCurrentIndex(step < channelSpacing->count() ? step : -1);
    const QString shown = HertzToFrequencyField(hertz, decimalSeparator());
    if (shown != text)
        frequency->setText(shown);
}

void FactoryPanel::BS1Exit() { CorrectThresholds(bs1, bs3, ThresholdLeft::Bs1); }

void FactoryPanel::BS3Exit() { CorrectThresholds(bs1, bs3, ThresholdLeft::Bs3); }
