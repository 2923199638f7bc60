#include "editor/control_factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "editor/control_hints.h"
#include "editor/limited_edit.h"
#include "editor/upper_case_validator.h"
#include "image/setting_table.h"

namespace q9tx {

namespace {

QString Qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

const SettingDefinition& Setting(std::string_view name) { return SettingTable()[SettingIndex(name)]; }

// What the page builds the control with: where start-up changes it, the table says so.
QString BuiltText(const SettingDefinition& setting) { return Qs(setting.builtText.value_or(setting.defaultText)); }

template <typename Control>
Control* WithHint(Control* control, const SettingDefinition& setting)
{
    if (!setting.hint.empty())
        ApplyHint(control, Qs(setting.hint));
    return control;
}

}  // namespace

QLineEdit* MakeEdit(QWidget* parent, const QString& name, int maxLength, const QString& text)
{
    auto* edit = new LimitedEdit(maxLength, parent);
    edit->setObjectName(name);
    edit->setText(text);
    return edit;
}

QLineEdit* MakeTimeEdit(QWidget* parent, const QString& name, const QString& text)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    // '0' an optional digit, '9' a required one.
    edit->setInputMask(QStringLiteral("09:99;_"));
    edit->setText(text);
    return edit;
}

QLineEdit* MakeUpperCaseEdit(QWidget* parent, const QString& name, int maxLength, const QString& text)
{
    QLineEdit* edit = MakeEdit(parent, name, maxLength);
    SetCharacterRule(edit, new UpperCaseValidator);
    edit->setText(text);
    return edit;
}

QComboBox* MakeDropDown(QWidget* parent, const QString& name, const QStringList& items, int index, int lines)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(index);
    box->setMaxVisibleItems(lines);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

QComboBox* MakeSimpleCombo(QWidget* parent, const QString& name, const QStringList& items, int index)
{
    QComboBox* box = MakeDropDown(parent, name, items, index);
    AllowTyping(box);
    return box;
}

void AllowTyping(QComboBox* box)
{
    const int index = box->currentIndex();
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCurrentIndex(index);
}

QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption, bool checked)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QGroupBox* MakeGroup(QWidget* parent, const QString& name, const QString& caption, const QString& hint)
{
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(name);
    ApplyHint(group, hint);
    return group;
}

QLabel* AddCaptioned(QGridLayout* grid, int row, int column, const QString& caption, QWidget* control)
{
    QLabel* label = MakeLabel(control->parentWidget(), QString(), caption);
    label->setBuddy(control);
    grid->addWidget(label, row, column);
    grid->addWidget(control, row, column + 1);
    return label;
}

QString SettingCaption(std::string_view name) { return Qs(Setting(name).caption); }

QLabel* AddCaptioned(QGridLayout* grid, int row, int column, QWidget* control)
{
    return AddCaptioned(grid, row, column, SettingCaption(control->objectName().toStdString()) + QLatin1Char(':'),
                        control);
}

QLineEdit* MakeSettingEdit(QWidget* parent, std::string_view name)
{
    const SettingDefinition& setting = Setting(name);
    return WithHint(MakeEdit(parent, Qs(name), static_cast<int>(setting.maxLength), BuiltText(setting)), setting);
}

QLineEdit* MakeSettingTimeEdit(QWidget* parent, std::string_view name)
{
    const SettingDefinition& setting = Setting(name);
    return WithHint(MakeTimeEdit(parent, Qs(name), BuiltText(setting)), setting);
}

QLineEdit* MakeSettingUpperCaseEdit(QWidget* parent, std::string_view name)
{
    const SettingDefinition& setting = Setting(name);
    return WithHint(MakeUpperCaseEdit(parent, Qs(name), static_cast<int>(setting.maxLength), BuiltText(setting)),
                    setting);
}

QComboBox* MakeSettingDropDown(QWidget* parent, std::string_view name, int lines)
{
    const SettingDefinition& setting = Setting(name);
    QStringList items;
    for (const std::string_view item : setting.items)
        items << Qs(item);
    return WithHint(MakeDropDown(parent, Qs(name), items, static_cast<int>(items.indexOf(BuiltText(setting))), lines),
                    setting);
}

QCheckBox* MakeSettingCheck(QWidget* parent, std::string_view name, const QString& caption)
{
    const SettingDefinition& setting = Setting(name);
    return WithHint(MakeCheck(parent, Qs(name), caption.isEmpty() ? Qs(setting.caption) : caption,
                              BuiltText(setting) == QStringLiteral("yes")),
                    setting);
}

QGroupBox* MakeSettingGroup(QWidget* parent, std::string_view caption)
{
    const SettingGroup& group = *FindGroup(caption);
    return MakeGroup(parent, Qs(group.name), Qs(group.caption), Qs(group.hint));
}

}  // namespace q9tx
