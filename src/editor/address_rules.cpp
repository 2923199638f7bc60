// Rules of the address rows: enabling, capcode entry and test, frame numbers.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "editor/addresses_page.h"
#include "editor/field_marks.h"
#include "editor/status_texts.h"
#include "editor/text_conversion.h"
#include "image/capcode.h"
#include "image/item_lists.h"
#include "image/settings_rules.h"

using namespace q9tx;

namespace {

// Rows with a storage choice come first.
constexpr int kRowsWithStorage = AddressesPage::kStorageChoiceCount;

// Stands for a text that is no number: it is no legal capcode and equals none.
constexpr std::int64_t kUnreadableCapcode = -1;

// The capcodes the eight fields show. A text that is no number (pasted into a field not
// yet left) holds no capcode another could take.
Capcodes ShownCapcodes(const std::array<QLineEdit*, AddressesPage::kAddressCount>& fields)
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

void AddressesPage::AddrEnClick(int n)
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

void AddressesPage::StorageChange(int n)
{
    const bool isPrivate = storage[n]->currentIndex() == kPrivateStorage;
    autoInc[n]->setEnabled(isPrivate);
    for (QCheckBox* box : urgentTarget[n])
        box->setEnabled(isPrivate);
}

void AddressesPage::StorageExit() { emit storageLeft(); }

void AddressesPage::AddressChange(int n)
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

void AddressesPage::AddressExit(int n)
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

void AddressesPage::FixedNumberExit(QLineEdit* field) { FillToTypingLimit(field, ZeroFilled); }

bool AddressesPage::IsLegalCapcode(const QLineEdit* field) const
{
    return q9tx::IsLegalCapcode(TextToInt(field->text()));
}
