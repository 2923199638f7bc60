// The conversion between the editor's controls and the configuration image. A field that
// holds a control's value as it is goes through the layout table; the derived and the
// conditional fields each have a step of their own.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>

#include "app/error_box.h"
#include "app/status_texts.h"
#include "app/tform1.h"
#include "editor/field_marks.h"
#include "editor/frequency_field_text.h"
#include "editor/text_conversion.h"
#include "editor/up_down_button.h"
#include "image/bit_reverse.h"
#include "image/capcode.h"
#include "image/image_layout.h"
#include "image/image_validation.h"
#include "image/rf_word.h"
#include "image/status_error.h"
#include "image/text_conversion.h"
#include "image/text_field.h"

using namespace q9tx;

namespace {

// Item positions the conversion looks at.
constexpr std::uint32_t kReminderDisabled = 0;
constexpr int kPrivateStorage = 0;
constexpr int kPublicStorage = 1;
constexpr std::uint32_t kBaudrate2400 = 2;
constexpr std::uint32_t kFilterOff = 4;
enum PeriodItem : int { DisabledAllDay = 0, EnabledAllDay = 1, EnabledWithin = 2 };

// Within a day record: start hour with the night-shift bit, start minute, finish hour,
// finish minute. An hour above 23 codes a period without times.
constexpr std::size_t kStartHour = 0;
constexpr std::size_t kStartMinute = 1;
constexpr std::size_t kFinishHour = 2;
constexpr std::size_t kFinishMinute = 3;
constexpr std::uint8_t kNightShiftBit = 0x80;
constexpr std::uint8_t kHourMask = 0x7F;
constexpr std::uint8_t kLastHour = 23;
constexpr std::uint8_t kNoTimeHour = 24;
// The times a day without its own shows.
constexpr char kDefaultStart[] = "09:00";
constexpr char kDefaultFinish[] = "18:00";

constexpr std::uint8_t kFolderUnused = 0xFF;
constexpr char kFactoryPasscode[] = "6947";

// A drop-down that shows no selection because the image held a value beyond its items
// keeps that value here, so that writing the settings back keeps what the pager had.
constexpr char kStoredValueProperty[] = "storedValue";

// ---- Controls and values. ----

template <typename Control>
Control* ControlOf(const TForm1& form, const ImageField& field)
{
    auto* control = form.findChild<Control*>(QString::fromStdString(field.control));
    if (!control)
        throw std::logic_error("the editor has no control '" + field.control + "'");
    return control;
}

const ImageField& FieldOfControl(const QObject* control) { return FieldOf(control->objectName().toStdString()); }

std::uint32_t ListValue(const QComboBox* box)
{
    if (box->currentIndex() >= 0)
        return static_cast<std::uint32_t>(box->currentIndex());
    const QVariant stored = box->property(kStoredValueProperty);
    return stored.isValid() ? stored.toUInt() : 0;
}

void SetListValue(QComboBox* box, std::uint32_t value)
{
    const bool listed = value < static_cast<std::uint32_t>(box->count());
    box->setCurrentIndex(listed ? static_cast<int>(value) : -1);
    box->setProperty(kStoredValueProperty, listed ? QVariant() : QVariant(value));
}

// Texts are stored one byte per character, so every byte shows as one character and
// goes back as the same byte.
std::string SingleByteText(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar character : text) {
        if (character.unicode() > 0xFF)
            throw ConversionError("'" + text.toStdString() + "' holds a character that the pager cannot store");
        bytes.push_back(static_cast<char>(character.unicode()));
    }
    return bytes;
}

QString TextOfBytes(const std::string& bytes) { return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())); }

std::uint32_t NumberOf(const QLineEdit* field) { return static_cast<std::uint32_t>(TextToInt(field->text())); }

std::size_t TextWidth(const ImageField& field) { return field.bits / 8u; }

bool HoldsControlValue(const ImageField& field)
{
    switch (field.kind) {
    case FieldKind::ListIndex:
    case FieldKind::CheckBit:
    case FieldKind::Number:
    case FieldKind::Word16:
    case FieldKind::Text:
        return !field.control.empty();
    default:
        return false;
    }
}

bool CarriesUrgentTargets(const TForm1& form, int row)
{
    return form.addrEn[row]->isChecked() &&
           (row >= TForm1::kStorageChoiceCount || ListValue(form.storage[row]) == kPrivateStorage);
}

// ---- Editor to image. ----

// Whether the control's value goes into its field (the field otherwise keeps its
// default), or nothing when the field has a step of its own.
std::optional<bool> WritesValue(const TForm1& form, FieldRule rule)
{
    switch (rule) {
    case FieldRule::Plain:
    case FieldRule::LowBattAlertDelay:  // checked is 01b
    case FieldRule::SerialNumber:
        return true;
    case FieldRule::NumReminders:
        return ListValue(form.unreadReminder) != kReminderDisabled;
    case FieldRule::MenuBit:
        return form.setup->isChecked();
    case FieldRule::EscalatingAlerts:
        // Shown only for pagers that know the option.
        return !form.escalatingAlerts->isHidden();
    case FieldRule::Passcode:
        return form.handProg->isChecked();
    case FieldRule::CannedText:
        return form.cannedMessages->isChecked();
    default:
        return std::nullopt;
    }
}

void StoreValue(const TForm1& form, const ImageField& field, ConfigImage& image)
{
    switch (field.kind) {
    case FieldKind::CheckBit:
        WriteField(image, field, ControlOf<QCheckBox>(form, field)->isChecked() ? 1 : 0);
        break;
    case FieldKind::ListIndex:
        WriteField(image, field, ListValue(ControlOf<QComboBox>(form, field)));
        break;
    case FieldKind::Number:
        WriteField(image, field, NumberOf(ControlOf<QLineEdit>(form, field)));
        break;
    case FieldKind::Word16:
        WriteField(image, field, TextToTone(ControlOf<QLineEdit>(form, field)->text().toStdString()));
        break;
    case FieldKind::Text:
        WriteTextField(image, field.offset, TextWidth(field),
                       SingleByteText(ControlOf<QLineEdit>(form, field)->text()));
        break;
    default:
        break;
    }
}

void EncodeValues(const TForm1& form, ConfigImage& image)
{
    for (const ImageField& field : ImageLayout()) {
        if (field.kind == FieldKind::Fixed) {
            WriteField(image, field, field.fixedValue);
            continue;
        }
        if (!HoldsControlValue(field))
            continue;
        const std::optional<bool> writes = WritesValue(form, field.rule);
        if (writes && *writes)
            StoreValue(form, field, image);
        else if (writes && field.rule == FieldRule::Passcode)
            WriteTextField(image, field.offset, TextWidth(field), kFactoryPasscode);
    }
}

void EncodeAddresses(const TForm1& form, ConfigImage& image)
{
    for (int row = 0; row < TForm1::kAddressCount; ++row) {
        const int slot = row + 1;
        WriteLe32(image, AddressWordOffset(slot),
                  CapcodeToAddressWord(NumberOf(form.address[row]), form.addrEn[row]->isChecked(), slot));
    }
}

void EncodeDecoderOptions(const TForm1& form, ConfigImage& image)
{
    // 2400 bps is bit 3, with bit 4 left at 1; the slower rates are bit 4 alone.
    const std::uint32_t baudrate = ListValue(form.baudrate);
    WriteField(image, FieldOfControl(form.baudrate), baudrate == kBaudrate2400 ? 0b11u : baudrate << 1);
    for (const QLineEdit* threshold : {form.bs1, form.bs3}) {
        const ImageField& field = FieldOfControl(threshold);
        WriteField(image, field, ReverseBits(NumberOf(threshold), field.bits));
    }
    const std::uint32_t filter = ListValue(form.filterStrength);
    WriteField(image, FieldOfControl(form.filterStrength), filter < kFilterOff ? 1u | (ReverseBits(filter, 2) << 1) : 0u);
    const ImageField& preamble = FieldOfControl(form.preambleError);
    WriteField(image, preamble, ReverseBits(ListValue(form.preambleError), preamble.bits));
}

void EncodeRfWord(const TForm1& form, ConfigImage& image, bool forPager)
{
    RfWord rfWord{};
    // A file always names the FS8170; a pager gets the chip the frequency was checked for.
    const int chip = forPager ? std::max(form.pllChip->currentIndex(), 0) : PllChipFs8170;
    SetRfChipType(rfWord, static_cast<std::uint8_t>(chip));
    const std::uint32_t hertz = FrequencyFieldToHertz(form.frequency->text(), form.decimalSeparator());
    // A word the chip cannot use would tune the pager to a wrong frequency.
    if (!FrequencyToRfWord(hertz, rfWord))
        throw StatusError(StatusIllegalFrequency);
    PutRfWord(image, rfWord);
}

void EncodeUrgentTargets(const TForm1& form, ConfigImage& image)
{
    for (int row = 0; row < TForm1::kAddressCount; ++row) {
        if (!CarriesUrgentTargets(form, row))
            continue;
        unsigned nibble = 0;
        for (int function = 0; function < TForm1::kFunctionCount; ++function) {
            if (form.urgentTarget[row][function]->isChecked())
                nibble |= 1u << function;
        }
        const int slot = row + 1;
        image[UrgentByteOffset(slot)] |= static_cast<std::uint8_t>(nibble << UrgentNibbleShift(slot));
    }
}

void EncodeFolderRanges(const TForm1& form, ConfigImage& image)
{
    // Enabled folders take consecutive slot numbers from 0; the counter is 16 bits wide
    // and each stored slot number its low 8 bits.
    std::uint16_t last = 0;
    for (int k = 0; k < TForm1::kFolderCount; ++k) {
        const std::size_t offset = FolderRangeOffset(k + 1);
        if (!form.folderEn[k]->isChecked()) {
            image[offset] = kFolderUnused;
            image[offset + 1] = 0;
            continue;
        }
        const auto size = static_cast<std::uint16_t>(NumberOf(form.folderSize[k]));
        const auto first = static_cast<std::uint16_t>(k == 0 ? 0 : last + 1);
        last = static_cast<std::uint16_t>(first + size - 1);
        image[offset] = static_cast<std::uint8_t>(first);
        image[offset + 1] = static_cast<std::uint8_t>(last);
    }
}

void EncodeSchedule(const TForm1& form, ConfigImage& image)
{
    for (int day = 0; day < TForm1::kDayCount; ++day) {
        std::uint8_t* record = &image[ScheduleDayOffset(day + 1)];
        switch (form.period[day]->currentIndex()) {
        case EnabledAllDay:
            record[kFinishHour] = kNoTimeHour;
            break;
        case EnabledWithin: {
            const std::string start = form.start[day]->text().toStdString();
            const std::string finish = form.finish[day]->text().toStdString();
            record[kStartHour] = TimeTextHour(start);
            record[kStartMinute] = TimeTextMinute(start);
            record[kFinishHour] = TimeTextHour(finish);
            record[kFinishMinute] = TimeTextMinute(finish);
            if (form.nightShift[day]->isChecked())
                record[kStartHour] |= kNightShiftBit;
            break;
        }
        default:
            record[kStartHour] = kNoTimeHour;
            break;
        }
    }
}

// ---- Image to editor. ----

void ShowNumber(TForm1& form, QLineEdit* field, std::uint32_t value)
{
    for (UpDownButton* upDown : {form.displayHoldTimeUpDown, form.lcdBaseContrastUpDown, form.rangeHoldTimeUpDown}) {
        if (upDown->associate() == field)
            upDown->setPosition(static_cast<int>(value));
    }
    // After the up-down, which writes its position held in its range.
    field->setText(QString::number(value));
}

void ShowValue(TForm1& form, const ImageField& field, const ConfigImage& image)
{
    switch (field.kind) {
    case FieldKind::CheckBit:
        ControlOf<QCheckBox>(form, field)->setChecked(ReadField(image, field) != 0);
        break;
    case FieldKind::ListIndex:
        SetListValue(ControlOf<QComboBox>(form, field), ReadField(image, field));
        break;
    case FieldKind::Number:
        ShowNumber(form, ControlOf<QLineEdit>(form, field), ReadField(image, field));
        break;
    case FieldKind::Word16:
        ControlOf<QLineEdit>(form, field)->setText(
            QString::fromStdString(ToneToText(static_cast<std::uint16_t>(ReadField(image, field)))));
        break;
    case FieldKind::Text:
        ControlOf<QLineEdit>(form, field)->setText(TextOfBytes(ReadTextField(image, field.offset, TextWidth(field))));
        break;
    default:
        break;
    }
}

void DecodeValues(TForm1& form, const ConfigImage& image, std::initializer_list<FieldRule> rules)
{
    for (const ImageField& field : ImageLayout()) {
        if (HoldsControlValue(field) && std::find(rules.begin(), rules.end(), field.rule) != rules.end())
            ShowValue(form, field, image);
    }
}

void DecodeAddresses(TForm1& form, const ConfigImage& image)
{
    for (int row = 0; row < TForm1::kAddressCount; ++row) {
        const StoredAddress stored = AddressWordToCapcode(ReadLe32(image, AddressWordOffset(row + 1)));
        form.addrEn[row]->setChecked(stored.enabled);
        form.address[row]->setText(QString::number(stored.capcode));
        form.frame[row]->setText(QString::number(FrameOf(stored.capcode)));
    }
}

void DecodeRfWord(TForm1& form, const ConfigImage& image)
{
    RfWord rfWord = RfWordOf(image);
    if (OriginWord(image) != 0)
        SetListValue(form.pllChip, RfChipType(rfWord));
    // A word that stands for no frequency leaves the field empty: its rule refuses it
    // and the user enters the frequency again. Any other frequency is shown as it is;
    // its rule judges it and fills only a text it accepts.
    const std::optional<std::uint32_t> hertz = RfWordToShownFrequency(rfWord);
    form.frequency->setText(hertz ? HertzToFrequencyDigits(*hertz, form.decimalSeparator()) : QString());
    SetListValue(form.channelSpacing, RfStepCode(rfWord));
}

void DecodeDecoderOptions(TForm1& form, const ConfigImage& image)
{
    const std::uint32_t baudrate = ReadField(image, FieldOfControl(form.baudrate));
    SetListValue(form.baudrate, (baudrate & 1u) ? kBaudrate2400 : (baudrate >> 1) & 1u);
    const std::uint32_t filter = ReadField(image, FieldOfControl(form.filterStrength));
    SetListValue(form.filterStrength, (filter & 1u) ? ReverseBits(filter >> 1, 2) : kFilterOff);
    const ImageField& preamble = FieldOfControl(form.preambleError);
    SetListValue(form.preambleError, ReverseBits(ReadField(image, preamble), preamble.bits));
}

void DecodeUrgentTargets(TForm1& form, const ConfigImage& image)
{
    for (int row = 0; row < TForm1::kAddressCount; ++row) {
        if (!CarriesUrgentTargets(form, row))
            continue;
        const int slot = row + 1;
        const unsigned nibble = image[UrgentByteOffset(slot)] >> UrgentNibbleShift(slot);
        for (int function = 0; function < TForm1::kFunctionCount; ++function)
            form.urgentTarget[row][function]->setChecked((nibble >> function) & 1u);
    }
}

void DecodeFolders(TForm1& form, const ConfigImage& image)
{
    for (int k = 0; k < TForm1::kFolderCount; ++k) {
        const std::size_t offset = FolderRangeOffset(k + 1);
        const int first = image[offset];
        const int last = image[offset + 1];
        const bool inUse = first != kFolderUnused;
        form.folderEn[k]->setChecked(inUse);
        form.folderSize[k]->setText(QString::number(inUse ? last - first + 1 : 1));
    }
}

QString TimeText(int hour, int minute)
{
    // A minute of three digits cannot be shown; its positions stay blank, and the
    // settings check refuses to store the time until the user enters it again.
    const QString minutes = minute < 100 ? QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0')) : QString();
    return QStringLiteral("%1:%2").arg(hour, 2, 10, QLatin1Char('0')).arg(minutes);
}

void DecodeSchedule(TForm1& form, const ConfigImage& image)
{
    for (int day = 0; day < TForm1::kDayCount; ++day) {
        const std::uint8_t* record = &image[ScheduleDayOffset(day + 1)];
        const int startHour = record[kStartHour] & kHourMask;
        const int finishHour = record[kFinishHour];
        form.nightShift[day]->setChecked(record[kStartHour] & kNightShiftBit);
        if (startHour > kLastHour || finishHour > kLastHour) {
            form.start[day]->setText(QString::fromLatin1(kDefaultStart));
            form.finish[day]->setText(QString::fromLatin1(kDefaultFinish));
        }
        if (startHour > kLastHour) {
            form.period[day]->setCurrentIndex(DisabledAllDay);
        } else if (finishHour > kLastHour) {
            form.period[day]->setCurrentIndex(EnabledAllDay);
        } else {
            form.period[day]->setCurrentIndex(EnabledWithin);
            form.start[day]->setText(TimeText(startHour, record[kStartMinute]));
            form.finish[day]->setText(TimeText(finishHour, record[kFinishMinute]));
        }
    }
}

void ResetPublicAutoIncrements(TForm1& form)
{
    for (int row = 0; row < TForm1::kStorageChoiceCount; ++row) {
        if (form.storage[row]->currentIndex() == kPublicStorage)
            form.autoInc[row]->setCurrentIndex(0);
    }
}

// A mark belongs to the value its rule judged. Every marked field has just been given a
// new value, so its old mark goes; the rules below mark again what the new values earn.
void ClearMarksOfFilledFields(TForm1& form)
{
    std::vector<QLineEdit*> marked(form.address.begin(), form.address.end());
    marked.insert(marked.end(), form.start.begin(), form.start.end());
    marked.insert(marked.end(), form.finish.begin(), form.finish.end());
    marked.insert(marked.end(), {form.displayHoldTime, form.lcdBaseContrast, form.rangeHoldTime, form.frequency});
    for (QLineEdit* field : marked)
        setRefused(field, false);
}

// The editor's rules, each once and in this order, so that colours, marks, enabled and
// shown controls and filled texts follow the new values. Each runs on its own: one
// that fails is reported and the others still run. The range fields keep the value
// the pager holds unjudged, as a value they were never left with; the time fields are
// judged by the settings check while the schedule is in use.
void RunEditorRules(TForm1& form)
{
    std::vector<std::function<void()>> rules;
    for (int row = 0; row < TForm1::kAddressCount; ++row)
        rules.emplace_back([&form, row] { form.AddressExit(row); });
    rules.emplace_back([&form] { form.ValidateSettings(); });
    rules.emplace_back([&form] { form.CannedMessageClick(); });
    rules.emplace_back([&form] { form.FixedStringExit(form.serialNum); });
    rules.emplace_back([&form] { form.FixedAlertModeChange(); });
    rules.emplace_back([&form] { form.FrequencyExit(); });
    for (int day = 0; day < TForm1::kDayCount; ++day)
        rules.emplace_back([&form, day] { form.PeriodChange(day); });
    rules.emplace_back([&form] { form.SetupChange(); });
    for (int row = 0; row < TForm1::kStorageChoiceCount; ++row)
        rules.emplace_back([&form, row] { form.StorageChange(row); });
    rules.emplace_back([&form] { form.StorageExit(); });
    rules.emplace_back([&form] { form.UnreadReminderChange(); });
    rules.emplace_back([&form] { form.UseScheduleClick(); });
    for (const std::function<void()>& rule : rules)
        Guarded(rule);
}

}  // namespace

ConfigImage TForm1::EncodeImage(const std::optional<ImageHeader>& header) const
{
    ConfigImage image{};
    PutHeader(image, header.value_or(OwnImageHeader()));
    EncodeValues(*this, image);
    EncodeAddresses(*this, image);
    EncodeDecoderOptions(*this, image);
    EncodeRfWord(*this, image, header.has_value());
    EncodeUrgentTargets(*this, image);
    EncodeFolderRanges(*this, image);
    EncodeSchedule(*this, image);
    StoreCheckWord1(image);
    StoreCheckWord2(image);
    return image;
}

void TForm1::DecodeImage(const ConfigImage& image)
{
    DecodeAddresses(*this, image);
    DecodeRfWord(*this, image);
    DecodeDecoderOptions(*this, image);
    // Urgent targets and canned messages depend on boxes set here.
    DecodeValues(*this, image,
                 {FieldRule::Plain, FieldRule::NumReminders, FieldRule::MenuBit, FieldRule::EscalatingAlerts,
                  FieldRule::LowBattAlertDelay, FieldRule::Passcode});
    DecodeUrgentTargets(*this, image);
    DecodeFolders(*this, image);
    // A file made by this program carries no serial number of a pager.
    if (OriginWord(image) != 0)
        DecodeValues(*this, image, {FieldRule::SerialNumber});
    if (cannedMessages->isChecked()) {
        DecodeValues(*this, image, {FieldRule::CannedText});
    } else {
        for (QLineEdit* text : canned)
            text->clear();
    }
    DecodeSchedule(*this, image);
    ResetPublicAutoIncrements(*this);
    ClearMarksOfFilledFields(*this);
    RunEditorRules(*this);
}
