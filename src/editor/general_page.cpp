// The page "General": how it is laid out and which rule each control runs.

#include "editor/general_page.h"


#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/control_factory.h"
#include "editor/up_down_button.h"
#include "image/settings_rules.h"

namespace q9tx {
namespace {

// How many items the language list shows at once.
constexpr int kLanguageLines = 14;
constexpr int kBannerLength = 20;

// A wrapping spin button over the setting's range, the range its exit rule checks.
UpDownButton* SpinButton(QLineEdit* edit, QWidget* parent)
{
    const ValueRange range = *RangeOf(edit->objectName().toStdString());
    auto* upDown = new UpDownButton(edit, range.minimum, range.maximum, true, parent);
    upDown->setObjectName(edit->objectName() + QStringLiteral("UpDown"));
    return upDown;
}

// The edit and its up-down side by side in one grid cell, the unit after them.
void AddWithUpDown(QGridLayout* grid, int row, QLineEdit* edit, UpDownButton* upDown, const QString& unit)
{
    auto* pair = new QHBoxLayout;
    pair->setSpacing(0);
    pair->addWidget(edit);
    pair->addWidget(upDown);
    if (!unit.isEmpty()) {
        pair->addSpacing(4);
        pair->addWidget(MakeLabel(edit->parentWidget(), {}, unit));
    }
    pair->addStretch(1);
    const QString caption = SettingCaption(edit->objectName().toStdString()) + QLatin1Char(':');
    auto* label = MakeLabel(edit->parentWidget(), {}, caption);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addLayout(pair, row, 1);
}

}  // namespace

GeneralPage::GeneralPage(EditorShell& shell) : EditorPanel(shell, QStringLiteral("general"))
{
    auto* column = new QVBoxLayout(this);

    // Directly on the page: firmware and serial number.
    auto* identity = new QHBoxLayout;
    firmware = MakeLabel(this, QStringLiteral("firmware"), QString());
    firmware->setMinimumWidth(firmware->fontMetrics().horizontalAdvance(QStringLiteral("V255")) + 4);
    serialNum = MakeSettingEdit(this, "serialNum");
    serialInc = MakeCheck(this, QStringLiteral("serialInc"), QStringLiteral("auto inc."), false);
    identity->addWidget(MakeLabel(this, {}, QStringLiteral("Firmware:")));
    identity->addWidget(firmware);
    identity->addSpacing(16);
    identity->addWidget(MakeLabel(this, {}, SettingCaption("serialNum") + QLatin1Char(':')));
    identity->addWidget(serialNum);
    identity->addWidget(serialInc);
    identity->addStretch(1);
    column->addLayout(identity);

    auto* groups = new QHBoxLayout;
    column->addLayout(groups);
    auto* leftColumn = new QVBoxLayout;
    auto* middleColumn = new QVBoxLayout;
    auto* rightColumn = new QVBoxLayout;
    groups->addLayout(leftColumn);
    groups->addLayout(middleColumn);
    groups->addLayout(rightColumn);

    misc = MakeSettingGroup(this, "General");
    auto* miscGrid = new QGridLayout(misc);
    miscGrid->setVerticalSpacing(2);
    // The banner shows as the pager's display does: bold fixed-pitch characters.
    banner = MakeSettingEdit(misc, "banner");
    QFont bannerFont(QStringLiteral("Courier"));
    bannerFont.setStyleHint(QFont::TypeWriter);
    bannerFont.setFixedPitch(true);
    bannerFont.setBold(true);
    bannerFont.setPixelSize(20);
    banner->setFont(bannerFont);
    banner->setFixedWidth(QFontMetrics(bannerFont).horizontalAdvance(QString(kBannerLength, QLatin1Char('W'))) + 12);
    displayHoldTime = MakeSettingEdit(misc, "displayHoldTime");
    displayHoldTimeUpDown = SpinButton(displayHoldTime, misc);
    lcdBaseContrast = MakeSettingEdit(misc, "lcdBaseContrast");
    lcdBaseContrastUpDown = SpinButton(lcdBaseContrast, misc);
    menuLanguage = MakeSettingDropDown(misc, "menuLanguage", kLanguageLines);
    dateFormat = MakeSettingDropDown(misc, "dateFormat");
    timeFormat = MakeSettingDropDown(misc, "timeFormat");
    rangeHoldTime = MakeSettingEdit(misc, "rangeHoldTime");
    rangeHoldTimeUpDown = SpinButton(rangeHoldTime, misc);
    handProg = MakeSettingCheck(misc, "handProg");
    passcode = MakeSettingEdit(misc, "passcode");

    miscGrid->addWidget(banner, 0, 0, 1, 2);
    AddWithUpDown(miscGrid, 1, displayHoldTime, displayHoldTimeUpDown, QStringLiteral("sec"));
    AddWithUpDown(miscGrid, 2, lcdBaseContrast, lcdBaseContrastUpDown, {});
    AddCaptioned(miscGrid, 3, 0, menuLanguage);
    AddCaptioned(miscGrid, 4, 0, dateFormat);
    AddCaptioned(miscGrid, 5, 0, timeFormat);
    AddWithUpDown(miscGrid, 6, rangeHoldTime, rangeHoldTimeUpDown, QStringLiteral("sec"));
    miscGrid->addWidget(handProg, 7, 0, 1, 2);
    AddCaptioned(miscGrid, 8, 0, passcode);
    miscGrid->setRowStretch(9, 1);
    leftColumn->addWidget(misc);

    alerts = MakeSettingGroup(this, "Alerts");
    auto* alertGrid = new QGridLayout(alerts);
    alertGrid->setVerticalSpacing(2);
    alertDuration = MakeSettingDropDown(alerts, "alertDuration");
    fixedAlertMode = MakeSettingDropDown(alerts, "fixedAlertMode");
    muteOption = MakeSettingCheck(alerts, "muteOption");
    escalatingAlerts = MakeSettingCheck(alerts, "escalatingAlerts");
    flashingAlerts = MakeSettingCheck(alerts, "flashingAlerts");
    lowBattAlertDelay = MakeSettingCheck(alerts, "lowBattAlertDelay");
    nightMode = MakeSettingCheck(alerts, "nightMode");
    toneA = MakeSettingUpperCaseEdit(alerts, "toneA");
    toneB = MakeSettingUpperCaseEdit(alerts, "toneB");
    toneC = MakeSettingUpperCaseEdit(alerts, "toneC");
    toneD = MakeSettingUpperCaseEdit(alerts, "toneD");
    tonePowerOn = MakeSettingUpperCaseEdit(alerts, "tonePowerOn");
    toneUrgent = MakeSettingUpperCaseEdit(alerts, "toneUrgent");
    toneWarning = MakeSettingUpperCaseEdit(alerts, "toneWarning");

    AddCaptioned(alertGrid, 0, 0, alertDuration);
    AddCaptioned(alertGrid, 1, 0, fixedAlertMode);
    int row = 2;
    for (QCheckBox* box : {muteOption, escalatingAlerts, flashingAlerts, lowBattAlertDelay, nightMode})
        alertGrid->addWidget(box, row++, 0, 1, 2);
    // Function tones A to D on the left, the event tones on the right; inside the group
    // "Alerts" the function tones go by their letter alone.
    auto* toneGrid = new QGridLayout;
    const std::array<const char*, kToneCount> toneCaptions = {"A:", "B:", "C:", "D:", "Power on:", "Urgent:", "Warning:"};
    const std::array<QLineEdit*, kToneCount> tones = tonePatterns();
    for (int i = 0; i < kToneCount; ++i) {
        const int toneColumn = i < 4 ? 0 : 2;
        AddCaptioned(toneGrid, i < 4 ? i : i - 4, toneColumn, QString::fromLatin1(toneCaptions[i]), tones[i]);
    }
    toneGrid->setColumnMinimumWidth(1, tones[0]->width() + 12);
    toneGrid->setColumnStretch(4, 1);
    alertGrid->addLayout(toneGrid, row, 0, 1, 2);
    alertGrid->setRowStretch(row + 1, 1);
    middleColumn->addWidget(alerts);

    decoder = MakeSettingGroup(this, "Decoder");
    auto* decoderGrid = new QGridLayout(decoder);
    baudrate = MakeSettingDropDown(decoder, "baudrate");
    polarity = MakeSettingDropDown(decoder, "polarity");
    AddCaptioned(decoderGrid, 0, 0, baudrate);
    AddCaptioned(decoderGrid, 1, 0, polarity);
    rightColumn->addWidget(decoder);

    rf = MakeSettingGroup(this, "RF");
    auto* rfGrid = new QGridLayout(rf);
    pllChip = MakeSettingDropDown(rf, "pllChip");
    frequency = MakeSettingEdit(rf, "frequency");
    Label54 = MakeLabel(rf, QStringLiteral("Label54"), SettingCaption("channelSpacing") + QLatin1Char(':'));
    // The frequency rule shows the step it found; the user does not choose it.
    channelSpacing = MakeSettingDropDown(rf, "channelSpacing");
    AllowTyping(channelSpacing);
    channelSpacing->setEnabled(false);
    Label54->setBuddy(channelSpacing);
    AddCaptioned(rfGrid, 0, 0, pllChip);
    AddCaptioned(rfGrid, 1, 0, frequency);
    rfGrid->addWidget(MakeLabel(rf, {}, QStringLiteral("MHz")), 1, 2);
    rfGrid->addWidget(Label54, 2, 0);
    rfGrid->addWidget(channelSpacing, 2, 1, 1, 2);
    rightColumn->addWidget(rf);

    menus = MakeSettingGroup(this, "Menus");
    auto* menuGrid = new QGridLayout(menus);
    setup = MakeSettingCheck(menus, "setup");
    schedule = MakeSettingCheck(menus, "schedule");
    textSize = MakeSettingCheck(menus, "textSize");
    powerOff = MakeSettingCheck(menus, "powerOff");
    menuGrid->addWidget(setup, 0, 0);
    menuGrid->addWidget(schedule, 0, 1);
    menuGrid->addWidget(textSize, 1, 0);
    menuGrid->addWidget(powerOff, 1, 1);
    rightColumn->addWidget(menus);
    rightColumn->addStretch(1);
    column->addStretch(1);
    WireRules();
}

void GeneralPage::WireRules()
{
    FieldEvents& events = fieldEvents();
    attachTextRules();
    struct RangeField {
        QLineEdit* field;
        void (GeneralPage::*enter)();
        void (GeneralPage::*exit)();
    };
    for (const RangeField& range : {RangeField{displayHoldTime, &GeneralPage::DisplayHoldTimeEnter, &GeneralPage::DisplayHoldTimeExit},
                                    RangeField{lcdBaseContrast, &GeneralPage::ContrastEnter, &GeneralPage::ContrastExit},
                                    RangeField{rangeHoldTime, &GeneralPage::RangeHoldTimeEnter, &GeneralPage::RangeHoldTimeExit}}) {
        events.setEnterRule(range.field, [this, enter = range.enter] { (this->*enter)(); });
        events.setExitRule(range.field, [this, exit = range.exit] { (this->*exit)(); });
        filterNumericKeys(range.field);
    }
    filterNumericKeys(passcode);
    events.setExitRule(passcode, [this] { PasscodeExit(); });
    onChoice(fixedAlertMode, [this] { FixedAlertModeChange(); });
    for (QLineEdit* tone : tonePatterns()) {
        events.setExitRule(tone, [this, tone] { TonePatternExit(tone); });
        events.setKeyFilter(tone, [this](QChar key) { return TonePatternKeyPress(key); });
    }
    onToggle(setup, [this] { SetupChange(); });
    events.setExitRule(frequency, [this] { FrequencyExit(); });
    events.setKeyFilter(frequency, [this](QChar key) { return FrequencyKeyPress(key); });
}

std::array<QLineEdit*, GeneralPage::kToneCount> GeneralPage::tonePatterns() const
{
    return {toneA, toneB, toneC, toneD, tonePowerOn, toneUrgent, toneWarning};
}

}  // namespace q9tx
