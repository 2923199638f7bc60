// The page "Addresses": eight receiving addresses with their functions, and the
// targets of urgent calls.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "editor/control_factory.h"
#include "editor/settings_editor.h"
#include "image/item_lists.h"

using namespace q9tx;

namespace {

constexpr int kFirstCapcode = 2004000;
constexpr int kCapcodeStep = 8;
constexpr int kCapcodeLength = 7;

const char kFunctionLetters[] = "ABCD";

enum AddressColumn { EnableColumn, CapcodeColumn, FrameColumn, StepColumn, StorageColumn, FirstFormatColumn };

QString FunctionLetter(int function) { return QString(QLatin1Char(kFunctionLetters[function])); }

}  // namespace

QWidget* SettingsEditor::BuildAddressesPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("channels"));
    auto* column = new QVBoxLayout(page);

    addresses = MakeGroup(page, QStringLiteral("addresses"), QStringLiteral("Addresses"),
                          QStringLiteral("Addresses|Receiving channels"));
    auto* grid = new QGridLayout(addresses);
    grid->setVerticalSpacing(2);
    grid->addWidget(MakeLabel(addresses, {}, QStringLiteral("frame")), 0, FrameColumn);
    grid->addWidget(MakeLabel(addresses, {}, QStringLiteral("auto inc.")), 0, StepColumn);
    for (int function = 0; function < kFunctionCount; ++function)
        grid->addWidget(MakeLabel(addresses, {}, FunctionLetter(function)), 0, FirstFormatColumn + function);

    QStringList steps;
    for (int step = 0; step <= 8; ++step)
        steps << QString::number(step);
    const QStringList storageChoices = ItemTexts(kStorageItems);
    const QStringList formats = ItemTexts(kFormatItems);

    for (int n = 0; n < kAddressCount; ++n) {
        const QString number = QString::number(n + 1);
        const int row = n + 1;
        addrEn[n] = MakeCheck(addresses, QStringLiteral("addrEn") + number, QStringLiteral("&") + number, true);
        address[n] = MakeEdit(addresses, QStringLiteral("address") + number, kCapcodeLength,
                              QString::number(kFirstCapcode + kCapcodeStep * n));
        frame[n] = MakeLabel(addresses, QStringLiteral("frame") + number, QStringLiteral("0"));
        frame[n]->setAlignment(Qt::AlignCenter);
        autoInc[n] = MakeDropDown(addresses, QStringLiteral("autoInc") + number, steps, 0, 9);
        grid->addWidget(addrEn[n], row, EnableColumn);
        grid->addWidget(address[n], row, CapcodeColumn);
        grid->addWidget(frame[n], row, FrameColumn);
        grid->addWidget(autoInc[n], row, StepColumn);
        if (n < kStorageChoiceCount) {
            storage[n] = MakeDropDown(addresses, QStringLiteral("storage") + number, storageChoices, 0);
            grid->addWidget(storage[n], row, StorageColumn);
        } else {
            const int label = n - kStorageChoiceCount;
            storageLabel[label] = MakeLabel(addresses, QStringLiteral("storage") + number, QString());
            grid->addWidget(storageLabel[label], row, StorageColumn);
        }
        for (int function = 0; function < kFunctionCount; ++function) {
            format[n][function] =
                MakeDropDown(addresses, QStringLiteral("format") + number + FunctionLetter(function), formats, 1);
            grid->addWidget(format[n][function], row, FirstFormatColumn + function);
        }
    }
    column->addWidget(addresses);

    // One column per address, its functions A to D from top to bottom.
    urgent = MakeGroup(page, QStringLiteral("urgent"), QStringLiteral("Urgent call targets"),
                       QStringLiteral("Urgent call targets|Destinations for urgent call"));
    auto* targets = new QGridLayout(urgent);
    targets->setVerticalSpacing(2);
    for (int n = 0; n < kAddressCount; ++n) {
        for (int function = 0; function < kFunctionCount; ++function) {
            const QString caption = QString::number(n + 1) + FunctionLetter(function);
            urgentTarget[n][function] = MakeCheck(urgent, QStringLiteral("urgent") + caption, caption, false);
            targets->addWidget(urgentTarget[n][function], function, n);
        }
    }
    column->addWidget(urgent);
    column->addStretch(1);
    return page;
}
