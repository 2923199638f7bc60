// Rules of the address rows: enabling, capcode entry and test, frame numbers.

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "editor/field_marks.h"
#include "editor/limited_edit.h"
#include "editor/settings_editor.h"
#include "editor/status_texts.h"
#include "editor/text_conversion.h"
#include "image/capcode.h"
#include "image/item_lists.h"
#include "image/settings_rules.h"

using namespace q9tx;

namespace {

// Rows with a storage choice come first.
constexpr int kRowsWithStorage = SettingsEditor::kStorageChoiceCount;

// Stands for a text that is no number: it is no legal capcode and equals none.
constexpr std::int64_t kUnreadableCapcode = -1;

// The capcodes the eight fields show. A text that is no number (pasted into a field not
// yet left) holds no capcode another could take.
Capcodes ShownCapcodes(const std::array<QLineEdit*, SettingsEditor::kAddressCount>& fields)
{
    Capcodes capcodes{};
    std::transform(fields.begin(), fields.end(), capcodes.begin(), [](const QLineEdit* field) {
        try {
            return static_cast<std::int64_t>(TextToInt(field->text()));
        } catch (const ConversionError&) {
            return kUnreadableCapcode;
        }
    });
    return capcodes;
}

}  // namespace

void SettingsEditor::AddrEnClick(int n)
{
    const bool inUse = addrEn[n]->isChecked();
    address[n]->setEnabled(inUse);
    for (QComboBox* box : format[n])
        box->setEnabled(inUse);
    // A row that stores publicly has no auto-increment step and no urgent targets.
    bool stepAndTargets = inUse;
    if (n < kRowsWithStorage) {
        storage[n]->setEnabled(inUse);
        stepAndTargets = inUse && storage[n]->currentIndex() == kPrivateStorage;
    }
    autoInc[n]->setEnabled(stepAndTargets);
    for (QCheckBox* box : urgentTarget[n])
        box->setEnabled(stepAndTargets);
}

void SettingsEditor::StorageChange(int n)
{
    const bool isPrivate = storage[n]->currentIndex() == kPrivateStorage;
    autoInc[n]->setEnabled(isPrivate);
    for (QCheckBox* box : urgentTarget[n])
        box->setEnabled(isPrivate);
}

void SettingsEditor::StorageExit() { FolderGroupRule(); }

void SettingsEditor::AddressChange(int n)
{
    const QString text = address[n]->text();
    if (text.isEmpty()) {
        frame[n]->setText(QStringLiteral("-"));
        return;
    }
    // Text that is no number (pasted) is reported at once by the general error box;
    // the label stays.
    if (!IsLegalCapcode(address[n]))
        return;
    frame[n]->setText(QString::number(FrameOf(static_cast<std::uint32_t>(TextToInt(text)))));
}

void SettingsEditor::AddressExit(int n)
{
    QLineEdit* field = address[n];
    const QString entered = field->text();
    FixedNumberExit(field);
    std::optional<int> refusal;
    try {
        Capcodes capcodes = ShownCapcodes(address);
        // The text of the field being left is reported when it is no number.
        capcodes[std::size_t(n)] = TextToInt(field->text());
        refusal = CapcodeRefusal(capcodes, n + 1);
    } catch (const ConversionError&) {
        // The fill changed the text, and the change rule has reported it already.
        if (field->text() != entered)
            return;
        throw;
    }
    setRefused(field, refusal.has_value());
    if (refusal)
        showStatus(*refusal);
    else
        setStatusText(QString());
}

bool SettingsEditor::NumericKeyPress(QChar key)
{
    setStatusText(QString());
    if (IsControlKey(key.unicode()) || IsDigitKey(key.unicode()))
        return true;
    showStatus(StatusEnterNumber);
    return false;
}

void SettingsEditor::FixedNumberExit(QLineEdit* field)
{
    const auto length = static_cast<std::size_t>(TypingLimit(field));
    const QString filled =
        WithOneByteRule(field->text(), [length](std::string_view text) { return ZeroFilled(text, length); });
    if (filled != field->text())
        field->setText(filled);
}

bool SettingsEditor::IsLegalCapcode(const QLineEdit* field) const
{
    return q9tx::IsLegalCapcode(TextToInt(field->text()));
}

bool SettingsEditor::IsFreeCapcode(const QLineEdit* field) const
{
    const auto row = std::distance(address.begin(), std::find(address.begin(), address.end(), field));
    return q9tx::IsFreeCapcode(ShownCapcodes(address), static_cast<int>(row) + 1);
}
