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

namespace q9tx {

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
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCurrentIndex(index);
    return box;
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

}  // namespace q9tx

namespace q9tx {

QLabel* AddCaptioned(QGridLayout* grid, int row, int column, const QString& caption, QWidget* control)
{
    QLabel* label = MakeLabel(control->parentWidget(), QString(), caption);
    label->setBuddy(control);
    grid->addWidget(label, row, column);
    grid->addWidget(control, row, column + 1);
    return label;
}

}  // namespace q9tx
