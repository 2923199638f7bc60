// The page "Addresses": how it is laid out and which rule each control runs.

#include "editor/addresses_page.h"

#include <string_view>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/control_factory.h"
#include "image/pager_settings.h"
#include "image/item_lists.h"

namespace q9tx {
namespace {

// How far an address may count up after each write: no step to eight.
constexpr int kLargestStep = 8;

constexpr std::string_view kFunctionLetters = "ABCD";

enum AddressColumn { EnableColumn, CapcodeColumn, FrameColumn, StepColumn, StorageColumn, FirstFormatColumn };

QString FunctionLetter(int function) { return QString(QLatin1Char(kFunctionLetters[function])); }

}  // namespace

AddressesPage::AddressesPage(EditorShell& shell) : EditorPanel(shell, QStringLiteral("channels"))
{
    auto* column = new QVBoxLayout(this);

    addresses = MakeSettingGroup(this, "Addresses");
    auto* grid = new QGridLayout(addresses);
    grid->setVerticalSpacing(2);
    grid->addWidget(MakeLabel(addresses, {}, QStringLiteral("frame")), 0, FrameColumn);
    grid->addWidget(MakeLabel(addresses, {}, QStringLiteral("auto inc.")), 0, StepColumn);
    for (int function = 0; function < kFunctionCount; ++function)
        grid->addWidget(MakeLabel(addresses, {}, FunctionLetter(function)), 0, FirstFormatColumn + function);

    QStringList steps;
    for (int step = 0; step <= kLargestStep; ++step)
        steps << QString::number(step);

    for (int n = 0; n < kAddressCount; ++n) {
        const QString number = QString::number(n + 1);
        const int row = n + 1;
        // The row's number is its caption and its access key.
        addrEn[n] = MakeSettingCheck(addresses, Member("addrEn", n + 1), QStringLiteral("&") + number);
        address[n] = MakeSettingEdit(addresses, Member("address", n + 1));
        frame[n] = MakeLabel(addresses, QStringLiteral("frame") + number, QStringLiteral("0"));
        frame[n]->setAlignment(Qt::AlignCenter);
        autoInc[n] = MakeDropDown(addresses, QStringLiteral("autoInc") + number, steps, 0, kLargestStep + 1);
        grid->addWidget(addrEn[n], row, EnableColumn);
        grid->addWidget(address[n], row, CapcodeColumn);
        grid->addWidget(frame[n], row, FrameColumn);
        grid->addWidget(autoInc[n], row, StepColumn);
        if (n < kStorageChoiceCount) {
            storage[n] = MakeSettingDropDown(addresses, Member("storage", n + 1));
            grid->addWidget(storage[n], row, StorageColumn);
        } else {
            const int label = n - kStorageChoiceCount;
            storageLabel[label] = MakeLabel(addresses, QStringLiteral("storage") + number, QString());
            grid->addWidget(storageLabel[label], row, StorageColumn);
        }
        for (int function = 0; function < kFunctionCount; ++function) {
            const std::string_view letter = kFunctionLetters.substr(function, 1);
            format[n][function] = MakeSettingDropDown(addresses, Member("format", n + 1, letter));
            grid->addWidget(format[n][function], row, FirstFormatColumn + function);
        }
    }
    column->addWidget(addresses);

    // One column per address, its functions A to D from top to bottom.
    urgent = MakeSettingGroup(this, "Urgent call targets");
    auto* targets = new QGridLayout(urgent);
    targets->setVerticalSpacing(2);
    for (int n = 0; n < kAddressCount; ++n) {
        for (int function = 0; function < kFunctionCount; ++function) {
            const std::string_view letter = kFunctionLetters.substr(function, 1);
            urgentTarget[n][function] = MakeSettingCheck(urgent, Member("urgent", n + 1, letter));
            targets->addWidget(urgentTarget[n][function], function, n);
        }
    }
    column->addWidget(urgent);
    column->addStretch(1);
    WireRules();
}

void AddressesPage::WireRules()
{
    for (int n = 0; n < kAddressCount; ++n) {
        onToggle(addrEn[n], [this, n] { AddrEnClick(n); });
        onTextChange(address[n], [this, n] { AddressChange(n); });
        fieldEvents().setExitRule(address[n], [this, n] { AddressExit(n); });
        filterNumericKeys(address[n]);
    }
    for (int n = 0; n < kStorageChoiceCount; ++n) {
        onChoice(storage[n], [this, n] { StorageChange(n); });
        fieldEvents().setExitRule(storage[n], [this] { StorageExit(); });
    }
}

std::array<std::int64_t, AddressesPage::kStorageChoiceCount> AddressesPage::StorageChoices() const
{
    std::array<std::int64_t, kStorageChoiceCount> choices{};
    for (int n = 0; n < kStorageChoiceCount; ++n)
        choices[n] = storage[n]->currentIndex();
    return choices;
}

void AddressesPage::ShowFixedStorage(const QString& text)
{
    for (QLabel* label : storageLabel)
        label->setText(text);
}

}  // namespace q9tx
