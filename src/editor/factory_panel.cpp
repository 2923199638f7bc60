// The factory panel: how it is laid out and which rule each control runs.

#include "editor/factory_panel.h"

#include <cstdint>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "editor/control_factory.h"
#include "editor/control_hints.h"
#include "editor/text_conversion.h"
#include "image/setting_table.h"
#include "image/settings_rules.h"

namespace q9tx {
namespace {

constexpr int kCommentLength = 16;

// Clamps both thresholds and, if they are out of order, moves the one that was left.
void CorrectThresholds(QLineEdit* bs1, QLineEdit* bs3, ThresholdLeft left)
{
    // Both are read before anything is written, so an unreadable one changes neither.
    const auto read = [](QLineEdit* field) { return static_cast<std::uint16_t>(TextToInt(field->text())); };
    const std::uint16_t typed1 = read(bs1);
    const std::uint16_t typed3 = read(bs3);
    const Thresholds ordered = OrderThresholds(typed1, typed3, left);
    if (ordered.bs1 != typed1)
        bs1->setText(QString::number(ordered.bs1));
    if (ordered.bs3 != typed3)
        bs3->setText(QString::number(ordered.bs3));
}

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

void FactoryPanel::BS1Exit() { CorrectThresholds(bs1, bs3, ThresholdLeft::Bs1); }

void FactoryPanel::BS3Exit() { CorrectThresholds(bs1, bs3, ThresholdLeft::Bs3); }

}  // namespace q9tx
