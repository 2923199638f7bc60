#include "editor/settings_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "editor/editor_shell.h"
#include "editor/error_box.h"
#include "editor/field_marks.h"
#include "editor/status_texts.h"
#include "editor/up_down_button.h"
#include "transfer/transfer_report.h"

namespace q9tx {
namespace {

constexpr int kPllChipFs8108 = 2;
constexpr char kDefaultFrequency[] = "457.6000";
constexpr int kFrequencySeparatorPosition = 3;

}  // namespace

SettingsEditor::SettingsEditor(EditorShell& shell, QWidget* parent) : QObject(parent), shell_(shell)
{
    // The factory panel's controls come first in the window's tab order.
    factory = BuildFactoryPanel();
    factory->setParent(parent);

    settings = new QWidget(parent);
    settings->setObjectName(QStringLiteral("settings"));
    auto* settingsColumn = new QVBoxLayout(settings);
    settingsColumn->setContentsMargins(4, 4, 4, 4);
    PageControl1 = new QTabWidget(settings);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    channels = BuildAddressesPage();
    timefilters = BuildSchedulePage();
    storagePage = BuildMessagesPage();
    general = BuildGeneralPage();
    PageControl1->addTab(channels, QStringLiteral("Addresses"));
    PageControl1->addTab(timefilters, QStringLiteral("Schedule"));
    PageControl1->addTab(storagePage, QStringLiteral("Messages"));
    PageControl1->addTab(general, QStringLiteral("General"));
    PageControl1->setCurrentWidget(general);
    settingsColumn->addWidget(PageControl1);

    WireEditorRules();
}

void SettingsEditor::ShowStartUpValues()
{
    bs1->setText(QStringLiteral("30"));
    bs3->setText(QStringLiteral("31"));
    factory->hide();
    pllChip->setEnabled(false);
    pllChip->setCurrentIndex(kPllChipFs8108);
    channelSpacing->hide();
    Label54->hide();
    serialInc->hide();
    displayHoldTime->setText(QStringLiteral("10"));
    displayHoldTimeUpDown->setPosition(10);
    displayHoldTimeUpDown->hide();
    lcdBaseContrast->setText(QStringLiteral("15"));
    lcdBaseContrastUpDown->setPosition(15);
    lcdBaseContrastUpDown->hide();
    messageOps->setChecked(true);
    powerOff->setChecked(true);
    rangeHoldTime->setText(QStringLiteral("30"));
    rangeHoldTimeUpDown->setPosition(30);
    rangeHoldTimeUpDown->hide();
    for (QCheckBox* box : {setup, schedule, textSize, useSchedule})
        box->setChecked(true);
    // Each rule on its own: one that fails is reported and the window still starts.
    Guarded([this] { CannedMessageClick(); });
    Guarded([this] { StorageExit(); });
    Guarded([this] { UnreadReminderChange(); });
    Guarded([this] { UseScheduleClick(); });

    QString defaultFrequency = QString::fromLatin1(kDefaultFrequency);
    defaultFrequency[kFrequencySeparatorPosition] = decimalSeparator();
    frequency->setText(defaultFrequency);
    Guarded([this] { FrequencyExit(); });
}

void SettingsEditor::ShowPager(const QString& firmwareText, int mapVersionIndex, bool escalatingAlertsKnown)
{
    firmware->setText(firmwareText);
    mapVersion->setCurrentIndex(mapVersionIndex);
    escalatingAlerts->setVisible(escalatingAlertsKnown);
}

void SettingsEditor::ShowNoPager()
{
    mapVersion->setCurrentIndex(0);
    firmware->setText(QStringLiteral("--"));
    firmware->setStatusTip(QString());
    escalatingAlerts->hide();
}

void SettingsEditor::ShowPagerInformation(const QString& text) { firmware->setStatusTip(text); }

int SettingsEditor::MapVersion() const { return mapVersion->currentIndex(); }

void SettingsEditor::SetPllChipChoosable(bool choosable) { pllChip->setEnabled(choosable); }

void SettingsEditor::TakeFactoryValues(const WriteFactoryValues& values)
{
    if (values.pllChip)
        pllChip->setCurrentIndex(*values.pllChip);
    bs2Option->setChecked(values.bs2Option);
    filterStrength->setCurrentIndex(values.filterStrength);
    preambleError->setCurrentIndex(values.preambleError);
}

void SettingsEditor::RefuseFrequency() { setRefused(frequency, true); }

void SettingsEditor::showStatus(int number) { shell_.setStatusText(StatusText(number)); }

void SettingsEditor::setStatusText(const QString& text) { shell_.setStatusText(text); }

QString SettingsEditor::statusText() const { return shell_.statusText(); }

QChar SettingsEditor::decimalSeparator() const { return shell_.decimalSeparator(); }

FieldEvents& SettingsEditor::fieldEvents() { return shell_.fieldEvents(); }

std::array<QLineEdit*, SettingsEditor::kToneCount> SettingsEditor::tonePatterns() const
{
    return {toneA, toneB, toneC, toneD, tonePowerOn, toneUrgent, toneWarning};
}

}  // namespace q9tx
