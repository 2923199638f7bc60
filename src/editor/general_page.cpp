// The page "General": firmware and serial number, general options, alerts, decoder,
// RF and the menus the pager's user may open.

#include <string_view>

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
#include "editor/control_hints.h"
#include "editor/settings_editor.h"
#include "editor/up_down_button.h"
#include "image/item_lists.h"
#include "image/settings_rules.h"

using namespace q9tx;

namespace {

// A wrapping spin button over the setting's range, the range its exit rule checks.
UpDownButton* SpinButton(QLineEdit* edit, std::string_view name, QWidget* parent)
{
    const ValueRange range = *RangeOf(name);
    return new UpDownButton(edit, range.minimum, range.maximum, true, parent);
}

// The edit and its up-down side by side in one grid cell, the unit after them.
void AddWithUpDown(QGridLayout* grid, int row, const QString& caption, QLineEdit* edit, UpDownButton* upDown,
                   const QString& unit)
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
    auto* label = MakeLabel(edit->parentWidget(), {}, caption);
    label->setBuddy(edit);
    grid->addWidget(label, row, 0);
    grid->addLayout(pair, row, 1);
}

}  // namespace

QWidget* SettingsEditor::BuildGeneralPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("general"));
    auto* column = new QVBoxLayout(page);

    // Directly on the page: firmware and serial number.
    auto* identity = new QHBoxLayout;
    firmware = MakeLabel(page, QStringLiteral("firmware"), QString());
    firmware->setMinimumWidth(firmware->fontMetrics().horizontalAdvance(QStringLiteral("V255")) + 4);
    serialNum = MakeEdit(page, QStringLiteral("serialNum"), 8, QStringLiteral("00000000"));
    serialInc = MakeCheck(page, QStringLiteral("serialInc"), QStringLiteral("auto inc."), false);
    identity->addWidget(MakeLabel(page, {}, QStringLiteral("Firmware:")));
    identity->addWidget(firmware);
    identity->addSpacing(16);
    identity->addWidget(MakeLabel(page, {}, QStringLiteral("Serial num:")));
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

    misc = MakeGroup(page, QStringLiteral("misc"), QStringLiteral("General"), QStringLiteral("General|General"));
    auto* miscGrid = new QGridLayout(misc);
    miscGrid->setVerticalSpacing(2);
    banner = MakeEdit(misc, QStringLiteral("banner"), 20, QStringLiteral("---- Zerin Q9TX ----"));
    QFont bannerFont(QStringLiteral("Courier"));
    bannerFont.setStyleHint(QFont::TypeWriter);
    bannerFont.setFixedPitch(true);
    bannerFont.setBold(true);
    bannerFont.setPixelSize(20);
    banner->setFont(bannerFont);
    banner->setFixedWidth(QFontMetrics(bannerFont).horizontalAdvance(QString(20, QLatin1Char('W'))) + 12);
    displayHoldTime = MakeEdit(misc, QStringLiteral("displayHoldTime"), 3, QStringLiteral("0"));
    displayHoldTimeUpDown = SpinButton(displayHoldTime, "displayHoldTime", misc);
    displayHoldTimeUpDown->setObjectName(QStringLiteral("displayHoldTimeUpDown"));
    lcdBaseContrast = MakeEdit(misc, QStringLiteral("lcdBaseContrast"), 2, QStringLiteral("8"));
    lcdBaseContrastUpDown = SpinButton(lcdBaseContrast, "lcdBaseContrast", misc);
    lcdBaseContrastUpDown->setObjectName(QStringLiteral("lcdBaseContrastUpDown"));
    menuLanguage = MakeDropDown(misc, QStringLiteral("menuLanguage"),
                                ItemTexts(kMenuLanguageItems),
                                0, 14);
    dateFormat = MakeDropDown(misc, QStringLiteral("dateFormat"), ItemTexts(kDateFormatItems), 0);
    timeFormat = MakeDropDown(misc, QStringLiteral("timeFormat"), ItemTexts(kTimeFormatItems), 0);
    rangeHoldTime = MakeEdit(misc, QStringLiteral("rangeHoldTime"), 3, QStringLiteral("0"));
    ApplyHint(rangeHoldTime, QStringLiteral("1-255 sec, 0=always on"));
    rangeHoldTimeUpDown = SpinButton(rangeHoldTime, "rangeHoldTime", misc);
    rangeHoldTimeUpDown->setObjectName(QStringLiteral("rangeHoldTimeUpDown"));
    handProg = MakeCheck(misc, QStringLiteral("handProg"), QStringLiteral("Hand programming"), false);
    passcode = MakeEdit(misc, QStringLiteral("passcode"), 4, QStringLiteral("6947"));

    miscGrid->addWidget(banner, 0, 0, 1, 2);
    AddWithUpDown(miscGrid, 1, QStringLiteral("Display hold time:"), displayHoldTime, displayHoldTimeUpDown,
                  QStringLiteral("sec"));
    AddWithUpDown(miscGrid, 2, QStringLiteral("LCD base contrast:"), lcdBaseContrast, lcdBaseContrastUpDown, {});
    AddCaptioned(miscGrid, 3, 0, QStringLiteral("Menu language:"), menuLanguage);
    AddCaptioned(miscGrid, 4, 0, QStringLiteral("Date format:"), dateFormat);
    AddCaptioned(miscGrid, 5, 0, QStringLiteral("Time format:"), timeFormat);
    AddWithUpDown(miscGrid, 6, QStringLiteral("Range hold time:"), rangeHoldTime, rangeHoldTimeUpDown,
                  QStringLiteral("sec"));
    miscGrid->addWidget(handProg, 7, 0, 1, 2);
    AddCaptioned(miscGrid, 8, 0, QStringLiteral("Passcode:"), passcode);
    miscGrid->setRowStretch(9, 1);
    leftColumn->addWidget(misc);

    alerts = MakeGroup(page, QStringLiteral("alerts"), QStringLiteral("Alerts"),
                       QStringLiteral("Alerts|Alert duration, style and beep patterns"));
    auto* alertGrid = new QGridLayout(alerts);
    alertGrid->setVerticalSpacing(2);
    alertDuration = MakeDropDown(alerts, QStringLiteral("alertDuration"),
                                 ItemTexts(kHoldTimeItems), 2);
    fixedAlertMode = MakeDropDown(alerts, QStringLiteral("fixedAlertMode"),
                                  ItemTexts(kFixedAlertModeItems), 0);
    muteOption = MakeCheck(alerts, QStringLiteral("muteOption"), QStringLiteral("Allow muting"), false);
    escalatingAlerts = MakeCheck(alerts, QStringLiteral("escalatingAlerts"), QStringLiteral("Escalating alerts"), false);
    flashingAlerts = MakeCheck(alerts, QStringLiteral("flashingAlerts"), QStringLiteral("Flashes during alerts"), false);
    lowBattAlertDelay = MakeCheck(alerts, QStringLiteral("lowBattAlertDelay"),
                                  QStringLiteral("Low battery alert delay (16 sec)"), false);
    nightMode = MakeCheck(alerts, QStringLiteral("nightMode"), QStringLiteral("Warning alerts during bed time"), false);
    ApplyHint(nightMode, QStringLiteral("Silence period: 9:00 pm to 6:00 am"));
    toneA = MakeUpperCaseEdit(alerts, QStringLiteral("toneA"), 4, QStringLiteral("FFFC"));
    toneB = MakeUpperCaseEdit(alerts, QStringLiteral("toneB"), 4, QStringLiteral("CFFC"));
    toneC = MakeUpperCaseEdit(alerts, QStringLiteral("toneC"), 4, QStringLiteral("CCC0"));
    toneD = MakeUpperCaseEdit(alerts, QStringLiteral("toneD"), 4, QStringLiteral("CCCC"));
    tonePowerOn = MakeUpperCaseEdit(alerts, QStringLiteral("tonePowerOn"), 4, QStringLiteral("A000"));
    toneUrgent = MakeUpperCaseEdit(alerts, QStringLiteral("toneUrgent"), 4, QStringLiteral("D1B1"));
    toneWarning = MakeUpperCaseEdit(alerts, QStringLiteral("toneWarning"), 4, QStringLiteral("8000"));

    AddCaptioned(alertGrid, 0, 0, QStringLiteral("Duration:"), alertDuration);
    AddCaptioned(alertGrid, 1, 0, QStringLiteral("Fixed mode:"), fixedAlertMode);
    int row = 2;
    for (QCheckBox* box : {muteOption, escalatingAlerts, flashingAlerts, lowBattAlertDelay, nightMode})
        alertGrid->addWidget(box, row++, 0, 1, 2);
    // Function tones A to D on the left, the event tones on the right.
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

    decoder = MakeGroup(page, QStringLiteral("decoder"), QStringLiteral("Decoder"),
                        QStringLiteral("Decoder|Decoder settings"));
    auto* decoderGrid = new QGridLayout(decoder);
    baudrate = MakeDropDown(decoder, QStringLiteral("baudrate"), ItemTexts(kBaudrateItems), 1);
    polarity = MakeDropDown(decoder, QStringLiteral("polarity"), ItemTexts(kPolarityItems), 0);
    AddCaptioned(decoderGrid, 0, 0, QStringLiteral("Baud rate:"), baudrate);
    AddCaptioned(decoderGrid, 1, 0, QStringLiteral("Polarity:"), polarity);
    rightColumn->addWidget(decoder);

    rf = MakeGroup(page, QStringLiteral("rf"), QStringLiteral("RF"), QStringLiteral("RF|RF settings"));
    auto* rfGrid = new QGridLayout(rf);
    pllChip = MakeDropDown(rf, QStringLiteral("pllChip"), ItemTexts(kPllChipItems), 0);
    frequency = MakeEdit(rf, QStringLiteral("frequency"), 9);
    Label54 = MakeLabel(rf, QStringLiteral("Label54"), QStringLiteral("Chan. spacing:"));
    channelSpacing = MakeSimpleCombo(rf, QStringLiteral("channelSpacing"),
                                     ItemTexts(kChannelSpacingItems), 0);
    channelSpacing->setEnabled(false);
    Label54->setBuddy(channelSpacing);
    AddCaptioned(rfGrid, 0, 0, QStringLiteral("PLL chip:"), pllChip);
    AddCaptioned(rfGrid, 1, 0, QStringLiteral("Frequency:"), frequency);
    rfGrid->addWidget(MakeLabel(rf, {}, QStringLiteral("MHz")), 1, 2);
    rfGrid->addWidget(Label54, 2, 0);
    rfGrid->addWidget(channelSpacing, 2, 1, 1, 2);
    rightColumn->addWidget(rf);

    menus = MakeGroup(page, QStringLiteral("menus"), QStringLiteral("Menus"),
                      QStringLiteral("Menus|Options for user to access"));
    auto* menuGrid = new QGridLayout(menus);
    setup = MakeCheck(menus, QStringLiteral("setup"), QStringLiteral("Settings"), false);
    schedule = MakeCheck(menus, QStringLiteral("schedule"), QStringLiteral("Schedule"), false);
    textSize = MakeCheck(menus, QStringLiteral("textSize"), QStringLiteral("Text size"), false);
    powerOff = MakeCheck(menus, QStringLiteral("powerOff"), QStringLiteral("Power off"), false);
    menuGrid->addWidget(setup, 0, 0);
    menuGrid->addWidget(schedule, 0, 1);
    menuGrid->addWidget(textSize, 1, 0);
    menuGrid->addWidget(powerOff, 1, 1);
    rightColumn->addWidget(menus);
    rightColumn->addStretch(1);
    column->addStretch(1);
    return page;
}
