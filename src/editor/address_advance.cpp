// After a completed write every address set to count up moves on by its step, so that
// the next pager gets the next capcodes. The rule is the one the command line uses; the
// editor hands it the controls' values and shows what moved.

#include <cstdint>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "editor/addresses_page.h"
#include "transfer/settings_advance.h"

using namespace q9tx;

void AddressesPage::AdvanceAddresses()
{
    PagerSettings values = DefaultSettings();
    AddressSteps steps{};
    for (int n = 0; n < kAddressCount; ++n) {
        const int slot = n + 1;
        bool isNumber = false;
        const std::uint32_t capcode = address[n]->text().toUInt(&isNumber);
        // A text that is no number is not counted up.
        values.setChecked(Member("addrEn", slot), addrEn[n]->isChecked() && isNumber);
        values.setNumber(Member("address", slot), capcode);
        steps[std::size_t(n)] = autoInc[n]->currentIndex();
        if (n < kStorageChoiceCount)
            values.setNumber(Member("storage", slot), storage[n]->currentIndex());
    }
    const AddressAdvance advance = q9tx::AdvanceAddresses(values, steps);
    for (const int slot : advance.advancedSlots)
        address[slot - 1]->setText(QString::number(values.number(Member("address", slot))));
    // Tested once all have moved, as leaving each field would: a capcode moved into a
    // reserved range or onto one another row still holds is marked, and the next write
    // refused, instead of reaching the next pager unnoticed.
    for (const int slot : advance.advancedSlots)
        AddressExit(slot - 1);
}
