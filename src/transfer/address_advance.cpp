// After a completed write every address set to count up moves on by its step, so that
// the next pager gets the next capcodes.

#include <cstdint>
#include <vector>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "app/tform1.h"

namespace {

constexpr int kPrivateStorage = 0;
// Capcodes from here on are not counted up.
constexpr std::uint32_t kAdvanceLimit = 2097144;

}  // namespace

void TForm1::AdvanceAddresses()
{
    std::vector<int> advanced;
    for (int n = 0; n < kAddressCount; ++n) {
        if (!addrEn[n]->isChecked())
            continue;
        if (n < kStorageChoiceCount && storage[n]->currentIndex() != kPrivateStorage)
            continue;
        const int step = autoInc[n]->currentIndex();
        bool isNumber = false;
        const std::uint32_t capcode = address[n]->text().toUInt(&isNumber);
        if (step <= 0 || !isNumber || capcode >= kAdvanceLimit)
            continue;
        address[n]->setText(QString::number(capcode + static_cast<std::uint32_t>(step)));
        advanced.push_back(n);
    }
    // Tested once all have moved, as leaving each field would: a capcode moved into a
    // reserved range or onto one another row still holds is marked, and the next write
    // refused, instead of reaching the next pager unnoticed.
    for (int n : advanced)
        AddressExit(n);
}
