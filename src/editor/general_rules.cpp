// Rules of the general, alert, decoder and RF settings.

#include <algorithm>
#include <cstdint>
#include <optional>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScopeGuard>

#include "editor/field_marks.h"
#include "editor/frequency_field_text.h"
#include "editor/general_page.h"
#include "editor/status_texts.h"
#include "editor/text_conversion.h"
#include "editor/up_down_button.h"
#include "image/settings_rules.h"

using namespace q9tx;

namespace {

// The field's name is the setting's, whose range the field refuses a value outside. The
// text is never corrected: a refused value stays for the user to see and mend.
void LeaveRangeField(GeneralPage& form, QLineEdit* field, UpDownButton* upDown)
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

bool GeneralPage::TonePatternKeyPress(QChar key) { return IsControlKey(key.unicode()) || IsToneKey(key.unicode()); }

void GeneralPage::TonePatternExit(QLineEdit* field)
{
    const QString filled = WithOneByteRule(field->text(), ToneFilled);
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
    if (IsControlKey(key.unicode()) || IsDigitKey(key.unicode()))
        return true;
    return key == decimalSeparator() && frequency->text().size() > 2;
}

void GeneralPage::FrequencyExit()
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

bool GeneralPage::PasscodeCanBeEntered()
{
    const bool enterable = IsStorablePasscode(handProg->isChecked(), passcode->text().toStdString());
    setRefused(passcode, !enterable);
    if (enterable)
        return true;
    BringToFront(passcode);
    showStatus(StatusEnterNumber);
    return false;
}

void GeneralPage::PasscodeExit()
{
    // Only a refused passcode is judged again, so that leaving it otherwise keeps the
    // status bar as it is.
    if (isRefused(passcode) && IsStorablePasscode(handProg->isChecked(), passcode->text().toStdString())) {
        setRefused(passcode, false);
        setStatusText({});
    }
}
