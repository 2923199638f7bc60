// The factory panel: factory settings that the transfers and the image conversion
// read and set. The window keeps it hidden.

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "editor/control_factory.h"
#include "editor/control_hints.h"
#include "editor/settings_editor.h"
#include "image/item_lists.h"

using namespace q9tx;

QWidget* SettingsEditor::BuildFactoryPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("factory"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 4, 8, 4);

    customerId = MakeDropDown(panel, QStringLiteral("customerId"), {}, -1);
    mapVersion = MakeSimpleCombo(panel, QStringLiteral("mapVersion"), {QStringLiteral("0")}, 0);
    mapVersion->setEnabled(false);
    lcdGain = MakeDropDown(panel, QStringLiteral("lcdGain"), {}, -1);
    overheat = MakeDropDown(panel, QStringLiteral("overheat"), {}, -1);
    date = MakeLabel(panel, QStringLiteral("date"), QString());
    comment = MakeEdit(panel, QStringLiteral("comment"), 16);
    bs1 = MakeEdit(panel, QStringLiteral("bs1"), 2);
    ApplyHint(bs1, QStringLiteral("Range: 2 - 61"), ToolTip::On);
    bs3 = MakeEdit(panel, QStringLiteral("bs3"), 2);
    ApplyHint(bs3, QStringLiteral("Range: 3 - 62"), ToolTip::On);
    filterStrength = MakeDropDown(panel, QStringLiteral("filterStrength"),
                                  ItemTexts(kFilterStrengthItems), 1);
    preambleError = MakeDropDown(panel, QStringLiteral("preambleError"), ItemTexts(kPreambleErrorItems), 1);
    bs2Option = MakeCheck(panel, QStringLiteral("bs2Option"), QStringLiteral("BS2 Option"), false);

    AddCaptioned(grid, 0, 0, QStringLiteral("Customer ID:"), customerId);
    AddCaptioned(grid, 0, 2, QStringLiteral("Map:"), mapVersion);
    AddCaptioned(grid, 0, 4, QStringLiteral("LCD gain:"), lcdGain);
    AddCaptioned(grid, 0, 6, QStringLiteral("Overheat:"), overheat);
    grid->addWidget(date, 0, 8);
    grid->addWidget(comment, 0, 9);
    AddCaptioned(grid, 1, 0, QStringLiteral("BS1:"), bs1);
    AddCaptioned(grid, 1, 2, QStringLiteral("BS3:"), bs3);
    AddCaptioned(grid, 1, 4, QStringLiteral("Filter strength:"), filterStrength);
    AddCaptioned(grid, 1, 6, QStringLiteral("Preamble error:"), preambleError);
    grid->addWidget(bs2Option, 1, 8, 1, 2);
    grid->setColumnStretch(10, 1);
    return panel;
}
