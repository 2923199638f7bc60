// Rules of the address rows: enabling, capcode entry and test, frame numbers.

#include <algorithm>
#include <cstdint>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "editor/addresses_page.h"
#include "editor/field_marks.h"
#include "editor/limited_edit.h"
#include "editor/status_texts.h"
#include "editor/text_conversion.h"
#include "image/capcode.h"
#include "image/item_lists.h"
#include "image/settings_validation.h"

using namespace q9tx;

namespace {

// Rows with a storage choice come first.
constexpr int kRowsWithStorage = AddressesPage::kStorageChoiceCount;

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
    bool legal = false;
    try {
        legal = IsLegalCapcode(field);
    } catch (const ConversionError&) {
        // The fill changed the text, and the change rule has reported it already.
        if (field->text() != entered)
            return;
        throw;
    }
    if (!legal) {
        setRefused(field, true);
        showStatus(StatusIllegalCapcode);
    } else if (IsFreeCapcode(field)) {
        setRefused(field, false);
        setStatusText(QString());
    } else {
        setRefused(field, true);
        showStatus(StatusCapcodeUsed);
    }
}

bool EditorPanel::NumericKeyPress(QChar key)
{
    setStatusText(QString());
    // Control characters carry editing keys and the clipboard shortcuts.
    if (key.unicode() < 32 || (key >= QLatin1Char('0') && key <= QLatin1Char('9')))
        return true;
    showStatus(StatusEnterNumber);
    return false;
}

void AddressesPage::FixedNumberExit(QLineEdit* field)
{
    const QString filled = field->text().rightJustified(TypingLimit(field), QLatin1Char('0'));
    if (filled != field->text())
        field->setText(filled);
}

bool AddressesPage::IsLegalCapcode(const QLineEdit* field) const
{
    return q9tx::IsLegalCapcode(TextToInt(field->text()));
}

bool AddressesPage::IsFreeCapcode(const QLineEdit* field) const
{
    // Every row counts, in use or not; the field itself is one of the eight.
    const QString text = field->text();
    const auto holders = std::count_if(address.begin(), address.end(),
                                       [&text](const QLineEdit* other) { return other->text() == text; });
    return holders <= 1;
}
