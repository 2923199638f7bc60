#pragma once
// The page "General": firmware and serial number, general options, alerts, decoder,
// RF and the menus the pager's user may open.

#include <array>

#include "editor/editor_panel.h"
#include "image/config_image.h"

class QGroupBox;
class QLabel;

namespace q9tx {

class UpDownButton;

class GeneralPage : public EditorPanel {
    Q_OBJECT
public:
    static constexpr int kToneCount = q9tx::kToneCount;

    explicit GeneralPage(EditorShell& shell);

    void DisplayHoldTimeEnter();
    void DisplayHoldTimeExit();
    void ContrastEnter();
    void ContrastExit();
    void RangeHoldTimeEnter();
    void RangeHoldTimeExit();
    void FixedAlertModeChange();
    bool TonePatternKeyPress(QChar key);
    void TonePatternExit(QLineEdit* field);
    // Also runs the rules of other pages that follow the settings menu.
    void SetupChange();
    bool FrequencyKeyPress(QChar key);
    void FrequencyExit();
    // The pager's keys enter digits only, and a paste gets letters past the key filter:
    // with hand programming on, such a passcode is refused (marked, its page in front,
    // "Please enter a number.") before a save or write, and its mark goes once it is mended.
    bool PasscodeCanBeEntered();
    void PasscodeExit();

    // The seven tone fields in the inventory's order: A, B, C, D, power on, urgent, warning.
    std::array<QLineEdit*, kToneCount> tonePatterns() const;

    QLabel* firmware = nullptr;
    QLineEdit* serialNum = nullptr;
    QCheckBox* serialInc = nullptr;
    QGroupBox* misc = nullptr;
    QLineEdit* banner = nullptr;
    QLineEdit* displayHoldTime = nullptr;
    UpDownButton* displayHoldTimeUpDown = nullptr;
    QLineEdit* lcdBaseContrast = nullptr;
    UpDownButton* lcdBaseContrastUpDown = nullptr;
    QComboBox* menuLanguage = nullptr;
    QComboBox* dateFormat = nullptr;
    QComboBox* timeFormat = nullptr;
    QLineEdit* rangeHoldTime = nullptr;
    UpDownButton* rangeHoldTimeUpDown = nullptr;
    QCheckBox* handProg = nullptr;
    QLineEdit* passcode = nullptr;
    QGroupBox* alerts = nullptr;
    QComboBox* alertDuration = nullptr;
    QComboBox* fixedAlertMode = nullptr;
    QCheckBox* muteOption = nullptr;
    QCheckBox* escalatingAlerts = nullptr;
    QCheckBox* flashingAlerts = nullptr;
    QCheckBox* lowBattAlertDelay = nullptr;
    QCheckBox* nightMode = nullptr;
    QLineEdit* toneA = nullptr;
    QLineEdit* toneB = nullptr;
    QLineEdit* toneC = nullptr;
    QLineEdit* toneD = nullptr;
    QLineEdit* tonePowerOn = nullptr;
    QLineEdit* toneUrgent = nullptr;
    QLineEdit* toneWarning = nullptr;
    QGroupBox* decoder = nullptr;
    QComboBox* baudrate = nullptr;
    QComboBox* polarity = nullptr;
    QGroupBox* rf = nullptr;
    QComboBox* pllChip = nullptr;
    QLineEdit* frequency = nullptr;
    QLabel* Label54 = nullptr;
    QComboBox* channelSpacing = nullptr;
    QGroupBox* menus = nullptr;
    QCheckBox* setup = nullptr;
    QCheckBox* schedule = nullptr;
    QCheckBox* textSize = nullptr;
    QCheckBox* powerOff = nullptr;

signals:
    void setupChanged();

private:
    void WireRules();
};

}  // namespace q9tx
