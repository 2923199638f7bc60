#include "editor/settings_view.h"

#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMultiHash>
#include <QVariant>

#include "editor/addresses_page.h"
#include "editor/error_box.h"
#include "editor/factory_panel.h"
#include "editor/field_marks.h"
#include "editor/frequency_field_text.h"
#include "editor/general_page.h"
#include "editor/messages_page.h"
#include "editor/schedule_page.h"
#include "editor/settings_editor.h"
#include "editor/text_conversion.h"
#include "editor/up_down_button.h"
#include "image/capcode.h"
#include "image/item_lists.h"
#include "image/setting_table.h"
#include "image/status_error.h"
#include "image/text_conversion.h"

namespace q9tx {

namespace {

// A drop-down that shows no selection because a load gave it a value beyond its items
// keeps that value here, so that saving or writing gives back what the pager had.
constexpr char kStoredValueProperty[] = "storedValue";

// The window's controls by object name, found in one walk.
class Controls {
public:
    explicit Controls(const SettingsEditor& form)
    {
        for (const QWidget* root : {form.settingsPanel(), static_cast<QWidget*>(form.factoryPanel())}) {
            for (QWidget* control : root->findChildren<QWidget*>())
                byName_.insert(control->objectName(), control);
        }
    }
    template <typename Control>
    Control* get(const std::string& name) const
    {
        const QString key = QString::fromStdString(name);
        for (auto it = byName_.constFind(key); it != byName_.cend() && it.key() == key; ++it) {
            if (auto* control = qobject_cast<Control*>(it.value()))
                return control;
        }
        throw std::logic_error("the editor has no control '" + name + "'");
    }

private:
    QMultiHash<QString, QWidget*> byName_;
};

// ---- Collecting. ----

std::int64_t ListValue(const QComboBox* box)
{
    if (box->currentIndex() >= 0)
        return box->currentIndex();
    const QVariant stored = box->property(kStoredValueProperty);
    return stored.isValid() ? stored.toLongLong() : 0;
}

// Texts are stored one byte per character.
std::string SingleByteText(const QString& text, UnreadableNumbers unreadable)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar character : text) {
        if (character.unicode() > 0xFF && unreadable == UnreadableNumbers::Refuse)
            throw ConversionError("'" + text.toStdString() + "' holds a character that the pager cannot store");
        bytes.push_back(static_cast<char>(character.unicode()));
    }
    return bytes;
}

std::int64_t NumberOfText(const SettingDefinition& setting, const QString& text, QChar separator)
{
    switch (setting.kind) {
    case SettingKind::Tone:
        return TextToTone(text.toStdString());
    case SettingKind::Frequency:
        // An empty field holds no frequency; the frequency rule has refused it.
        return text.isEmpty() ? 0 : FrequencyFieldToHertz(text, separator);
    default:
        return TextToInt(text);
    }
}

// The size of an unticked folder is neither stored nor checked.
bool IsUnusedFolderSize(const SettingsEditor& form, const std::string& name)
{
    for (int k = 0; k < MessagesPage::kFolderCount; ++k) {
        if (name == Member("folderSize", k + 1))
            return !form.messagesPage().folderEn[k]->isChecked();
    }
    return false;
}

// ---- Showing. ----

void SetListValue(QComboBox* box, std::int64_t value)
{
    const bool listed = value >= 0 && value < box->count();
    box->setCurrentIndex(listed ? static_cast<int>(value) : -1);
    box->setProperty(kStoredValueProperty, listed ? QVariant() : QVariant(static_cast<qlonglong>(value)));
}

void ShowNumber(SettingsEditor& form, QLineEdit* field, std::int64_t value)
{
    const GeneralPage& general = form.generalPage();
    for (UpDownButton* upDown :
         {general.displayHoldTimeUpDown, general.lcdBaseContrastUpDown, general.rangeHoldTimeUpDown}) {
        if (upDown->associate() == field)
            upDown->setPosition(static_cast<int>(value));
    }
    // After the up-down, which writes its position held in its range.
    field->setText(QString::number(value));
}

void ShowValue(SettingsEditor& form, const Controls& controls, const SettingDefinition& setting,
               const SettingValue& value)
{
    const std::string& name = setting.name;
    switch (setting.kind) {
    case SettingKind::Check:
        controls.get<QCheckBox>(name)->setChecked(value.number != 0);
        return;
    case SettingKind::List:
        SetListValue(controls.get<QComboBox>(name), value.number);
        return;
    case SettingKind::Number:
        ShowNumber(form, controls.get<QLineEdit>(name), value.number);
        return;
    case SettingKind::Capcode:
        controls.get<QLineEdit>(name)->setText(QString::number(value.number));
        return;
    case SettingKind::Frequency:
        // Shown as it is: the frequency rule judges it and fills only a text it accepts.
        controls.get<QLineEdit>(name)->setText(
            value.number > 0 ? HertzToFrequencyDigits(static_cast<std::uint32_t>(value.number), form.decimalSeparator())
                             : QString());
        return;
    case SettingKind::Tone:
        controls.get<QLineEdit>(name)->setText(
            QString::fromStdString(ToneToText(static_cast<std::uint16_t>(value.number))));
        return;
    case SettingKind::Text:
    case SettingKind::Time:
        controls.get<QLineEdit>(name)->setText(
            QString::fromLatin1(value.text.data(), static_cast<qsizetype>(value.text.size())));
        return;
    }
}

// The order a load fills the controls in. It matters where a check box's rule reads
// another control: an address row's rule sees the row's storage from before the load,
// and a folder's rule unticks the folders after it before they are filled.
std::vector<std::string> ShowingOrder()
{
    std::vector<std::string> first;
    for (int n = 1; n <= kSlotCount; ++n) {
        first.push_back(Member("addrEn", n));
        first.push_back(Member("address", n));
    }
    std::vector<std::string> last;
    for (int n = 1; n <= kSlotCount; ++n) {
        for (const char* letter : {"A", "B", "C", "D"})
            last.push_back(Member("urgent", n, letter));
    }
    for (int k = 1; k <= kFolderCount; ++k) {
        last.push_back(Member("folderEn", k));
        last.push_back(Member("folderSize", k));
    }
    last.push_back("serialNum");
    for (int n = 1; n <= kCannedCount; ++n)
        last.push_back(Member("canned", n));
    for (int day = 1; day <= kDayCount; ++day) {
        for (const char* family : {"nightShift", "start", "finish", "period"})
            last.push_back(Member(family, day));
    }
    const std::set<std::string> placed(first.begin(), first.end());
    const std::set<std::string> placedLast(last.begin(), last.end());
    std::vector<std::string> order = first;
    for (const SettingDefinition& setting : SettingTable()) {
        if (!placed.count(setting.name) && !placedLast.count(setting.name))
            order.push_back(setting.name);
    }
    order.insert(order.end(), last.begin(), last.end());
    return order;
}

void ShowFrames(SettingsEditor& form, const PagerSettings& settings)
{
    for (int row = 0; row < AddressesPage::kAddressCount; ++row) {
        const auto capcode = static_cast<std::uint32_t>(settings.number(Member("address", row + 1)));
        form.addressesPage().frame[row]->setText(QString::number(FrameOf(capcode)));
    }
}

// A row that stores publicly counts up by no step.
void ResetPublicAutoIncrements(SettingsEditor& form)
{
    const AddressesPage& addresses = form.addressesPage();
    for (int row = 0; row < AddressesPage::kStorageChoiceCount; ++row) {
        if (addresses.storage[row]->currentIndex() == kPublicStorage)
            addresses.autoInc[row]->setCurrentIndex(0);
    }
}

// A mark belongs to the value its rule judged. Every marked field has just been given a
// new value, so its old mark goes; the rules below mark again what the new values earn.
void ClearMarksOfFilledFields(SettingsEditor& form)
{
    const AddressesPage& addresses = form.addressesPage();
    const SchedulePage& schedule = form.schedulePage();
    const GeneralPage& general = form.generalPage();
    std::vector<QLineEdit*> marked(addresses.address.begin(), addresses.address.end());
    marked.insert(marked.end(), schedule.start.begin(), schedule.start.end());
    marked.insert(marked.end(), schedule.finish.begin(), schedule.finish.end());
    marked.insert(marked.end(),
                  {general.displayHoldTime, general.lcdBaseContrast, general.rangeHoldTime, general.frequency});
    for (QLineEdit* field : marked)
        setRefused(field, false);
}

// The editor's rules, each once and in this order, so that colours, marks, enabled and
// shown controls and filled texts follow the new values. Each runs on its own: one
// that fails is reported and the others still run. The range fields keep the value
// the pager holds unjudged, as a value they were never left with; the time fields are
// judged by the settings check while the schedule is in use.
void RunLoadRules(SettingsEditor& form)
{
    AddressesPage& addresses = form.addressesPage();
    SchedulePage& schedule = form.schedulePage();
    MessagesPage& messages = form.messagesPage();
    GeneralPage& general = form.generalPage();
    std::vector<std::function<void()>> rules;
    for (int row = 0; row < AddressesPage::kAddressCount; ++row)
        rules.emplace_back([&addresses, row] { addresses.AddressExit(row); });
    rules.emplace_back([&form] { form.ValidateSettings(); });
    rules.emplace_back([&messages] { messages.CannedMessageClick(); });
    rules.emplace_back([&general] { general.FixedStringExit(general.serialNum); });
    rules.emplace_back([&general] { general.FixedAlertModeChange(); });
    rules.emplace_back([&general] { general.FrequencyExit(); });
    for (int day = 0; day < SchedulePage::kDayCount; ++day)
        rules.emplace_back([&schedule, day] { schedule.PeriodChange(day); });
    rules.emplace_back([&general] { general.SetupChange(); });
    for (int row = 0; row < AddressesPage::kStorageChoiceCount; ++row)
        rules.emplace_back([&addresses, row] { addresses.StorageChange(row); });
    rules.emplace_back([&addresses] { addresses.StorageExit(); });
    rules.emplace_back([&messages] { messages.UnreadReminderChange(); });
    rules.emplace_back([&schedule] { schedule.UseScheduleClick(); });
    for (const std::function<void()>& rule : rules)
        Guarded(rule);
}

}  // namespace

PagerSettings CollectSettings(const SettingsEditor& form, UnreadableNumbers unreadable)
{
    const Controls controls(form);
    const PagerSettings& startUp = DefaultSettings();
    PagerSettings settings;
    for (const SettingDefinition& setting : SettingTable()) {
        const std::string& name = setting.name;
        switch (setting.kind) {
        case SettingKind::Check:
            settings.setChecked(name, controls.get<QCheckBox>(name)->isChecked());
            continue;
        case SettingKind::List:
            settings.setNumber(name, ListValue(controls.get<QComboBox>(name)));
            continue;
        case SettingKind::Text:
        case SettingKind::Time:
            settings.setText(name, SingleByteText(controls.get<QLineEdit>(name)->text(), unreadable));
            continue;
        default:
            break;
        }
        try {
            settings.setNumber(name, NumberOfText(setting, controls.get<QLineEdit>(name)->text(), form.decimalSeparator()));
        } catch (const ConversionError&) {
            if (unreadable == UnreadableNumbers::Refuse && !IsUnusedFolderSize(form, name))
                throw;
            settings.setNumber(name, startUp.number(name));
        }
    }
    return settings;
}

void ShowSettings(SettingsEditor& form, const PagerSettings& settings)
{
    static const std::vector<std::string> order = ShowingOrder();
    const Controls controls(form);
    for (const std::string& name : order)
        ShowValue(form, controls, *FindSetting(name), settings.value(name));
    ShowFrames(form, settings);
    ResetPublicAutoIncrements(form);
    ClearMarksOfFilledFields(form);
    RunLoadRules(form);
}

}  // namespace q9tx
