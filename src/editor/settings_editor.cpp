#include "editor/settings_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include "editor/addresses_page.h"
#include "editor/editor_shell.h"
#include "editor/error_box.h"
#include "editor/factory_panel.h"
#include "editor/field_marks.h"
#include "editor/general_page.h"
#include "editor/messages_page.h"
#include "editor/schedule_page.h"
#include "editor/up_down_button.h"
#include "image/folder_chain.h"
#include "image/item_lists.h"
#include "image/setting_table.h"
#include "transfer/transfer_report.h"

namespace q9tx {
namespace {

// What the control shows once the window has started, in the setting table's words.
QString StartText(const QWidget* control)
{
    return QString::fromStdString(FindSetting(control->objectName().toStdString())->defaultText);
}

}  // namespace

SettingsEditor::SettingsEditor(EditorShell& shell, QWidget* parent) : QObject(parent), shell_(shell)
{
    // The factory panel's controls come first in the window's tab order.
    factory_ = new FactoryPanel(shell);
    factory_->setParent(parent);

    settings_ = new QWidget(parent);
    settings_->setObjectName(QStringLiteral("settings"));
    auto* settingsColumn = new QVBoxLayout(settings_);
    settingsColumn->setContentsMargins(4, 4, 4, 4);
    PageControl1 = new QTabWidget(settings_);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    addresses_ = new AddressesPage(shell);
    schedule_ = new SchedulePage(shell);
    messages_ = new MessagesPage(shell);
    general_ = new GeneralPage(shell);
    PageControl1->addTab(addresses_, QStringLiteral("Addresses"));
    PageControl1->addTab(schedule_, QStringLiteral("Schedule"));
    PageControl1->addTab(messages_, QStringLiteral("Messages"));
    PageControl1->addTab(general_, QStringLiteral("General"));
    PageControl1->setCurrentWidget(general_);
    settingsColumn->addWidget(PageControl1);

    connect(addresses_, &AddressesPage::storageLeft, this, &SettingsEditor::FolderGroupRule);
    connect(schedule_, &SchedulePage::scheduleUseChanged, this, &SettingsEditor::ScheduleUseRule);
    connect(general_, &GeneralPage::setupChanged, this, &SettingsEditor::ScheduleMenuRule);
}

void SettingsEditor::ShowStartUpValues()
{
    GeneralPage& g = *general_;
    for (QLineEdit* threshold : {factory_->bs1, factory_->bs3})
        threshold->setText(StartText(threshold));
    factory_->hide();
    g.pllChip->setEnabled(false);
    g.pllChip->setCurrentIndex(g.pllChip->findText(StartText(g.pllChip)));
    for (QWidget* control : std::initializer_list<QWidget*>{g.channelSpacing, g.Label54, g.serialInc})
        control->hide();
    // The spin buttons show only while their field has the focus.
    for (UpDownButton* upDown : {g.displayHoldTimeUpDown, g.lcdBaseContrastUpDown, g.rangeHoldTimeUpDown}) {
        const QString start = StartText(upDown->associate());
        upDown->associate()->setText(start);
        upDown->setPosition(start.toInt());
        upDown->hide();
    }
    // In this order: the schedule's rule reads the settings menu.
    for (QCheckBox* box : {messages_->messageOps, g.powerOff, g.setup, g.schedule, g.textSize, schedule_->useSchedule})
        box->setChecked(StartText(box) == QStringLiteral("yes"));
    // Each rule on its own: one that fails is reported and the window still starts.
    Guarded([this] { messages_->CannedMessageClick(); });
    Guarded([this] { addresses_->StorageExit(); });
    Guarded([this] { messages_->UnreadReminderChange(); });
    Guarded([this] { schedule_->UseScheduleClick(); });

    // The frequency rule fills in the digits the pager's synthesizer gives.
    g.frequency->setText(StartText(g.frequency).replace(QLatin1Char('.'), decimalSeparator()));
    Guarded([this] { general_->FrequencyExit(); });
}

void SettingsEditor::ShowPager(const QString& firmwareText, int mapVersionIndex, bool escalatingAlertsKnown)
{
    general_->firmware->setText(firmwareText);
    factory_->mapVersion->setCurrentIndex(mapVersionIndex);
    general_->escalatingAlerts->setVisible(escalatingAlertsKnown);
}

void SettingsEditor::ShowNoPager()
{
    factory_->mapVersion->setCurrentIndex(0);
    general_->firmware->setText(QStringLiteral("--"));
    general_->firmware->setStatusTip(QString());
    general_->escalatingAlerts->hide();
}

void SettingsEditor::ShowPagerInformation(const QString& text) { general_->firmware->setStatusTip(text); }

int SettingsEditor::MapVersion() const { return factory_->mapVersion->currentIndex(); }

void SettingsEditor::SetPllChipChoosable(bool choosable) { general_->pllChip->setEnabled(choosable); }

void SettingsEditor::TakeFactoryValues(const WriteFactoryValues& values)
{
    if (values.pllChip)
        general_->pllChip->setCurrentIndex(*values.pllChip);
    factory_->bs2Option->setChecked(values.bs2Option);
    factory_->filterStrength->setCurrentIndex(values.filterStrength);
    factory_->preambleError->setCurrentIndex(values.preambleError);
}

void SettingsEditor::RefuseFrequency() { setRefused(general_->frequency, true); }

void SettingsEditor::AdvanceAddresses() { addresses_->AdvanceAddresses(); }

QChar SettingsEditor::decimalSeparator() const { return shell_.decimalSeparator(); }

void SettingsEditor::FolderGroupRule() { messages_->SetFoldersUsable(AreFoldersUsable(addresses_->StorageChoices())); }

void SettingsEditor::ScheduleUseRule()
{
    const bool inUse = schedule_->useSchedule->isChecked();
    addresses_->ShowFixedStorage(inUse ? general_->schedule->text()
                                       : addresses_->storage[0]->itemText(kPrivateStorage));
    ScheduleMenuRule();
}

void SettingsEditor::ScheduleMenuRule()
{
    general_->schedule->setEnabled(general_->setup->isChecked() && schedule_->useSchedule->isChecked());
}

}  // namespace q9tx
