// The factory panel: how it is laid out and which rule each control runs.

#include "editor/factory_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "editor/control_factory.h"
#include "editor/control_hints.h"
#include "image/setting_table.h"

namespace q9tx {
namespace {

constexpr int kCommentLength = 16;

}  // namespace

FactoryPanel::FactoryPanel(EditorShell& shell) : EditorPanel(shell, QStringLiteral("factory"))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 4);

    // What the pager's header holds; none of it is a setting of the image.
    customerId = MakeDropDown(this, QStringLiteral("customerId"), {}, -1);
    mapVersion = MakeSimpleCombo(this, QStringLiteral("mapVersion"), {QStringLiteral("0")}, 0);
    mapVersion->setEnabled(false);
    lcdGain = MakeDropDown(this, QStringLiteral("lcdGain"), {}, -1);
    overheat = MakeDropDown(this, QStringLiteral("overheat"), {}, -1);
    date = MakeLabel(this, QStringLiteral("date"), QString());
    comment = MakeEdit(this, QStringLiteral("comment"), kCommentLength);
    bs1 = MakeSettingEdit(this, "bs1");
    bs3 = MakeSettingEdit(this, "bs3");
    // The thresholds' ranges show as tool-tips as well.
    for (QLineEdit* threshold : {bs1, bs3})
        ApplyHint(threshold, QString::fromStdString(FindSetting(threshold->objectName().toStdString())->hint),
                  ToolTip::On);
    filterStrength = MakeSettingDropDown(this, "filterStrength");
    preambleError = MakeSettingDropDown(this, "preambleError");
    bs2Option = MakeSettingCheck(this, "bs2Option");

    AddCaptioned(grid, 0, 0, QStringLiteral("Customer ID:"), customerId);
    AddCaptioned(grid, 0, 2, QStringLiteral("Map:"), mapVersion);
    AddCaptioned(grid, 0, 4, QStringLiteral("LCD gain:"), lcdGain);
    AddCaptioned(grid, 0, 6, QStringLiteral("Overheat:"), overheat);
    grid->addWidget(date, 0, 8);
    grid->addWidget(comment, 0, 9);
    AddCaptioned(grid, 1, 0, bs1);
    AddCaptioned(grid, 1, 2, bs3);
    AddCaptioned(grid, 1, 4, filterStrength);
    AddCaptioned(grid, 1, 6, preambleError);
    grid->addWidget(bs2Option, 1, 8, 1, 2);
    grid->setColumnStretch(10, 1);
    WireRules();
}

void FactoryPanel::WireRules()
{
    fieldEvents().setExitRule(bs1, [this] { BS1Exit(); });
    filterNumericKeys(bs1);
    fieldEvents().setExitRule(bs3, [this] { BS3Exit(); });
    filterNumericKeys(bs3);
    refuseMultiByteCharacters(comment);
}

}  // namespace q9tx
