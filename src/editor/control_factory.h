#pragma once
// Makers for the editor's controls: each gives the control its object name and the
// properties the inventory lists, so that the page builders stay tables of names.

#include <string_view>

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace q9tx {

// How many items a drop-down shows at once unless the inventory says otherwise.
inline constexpr int kDefaultDropDownLines = 8;

// An edit into which the user may type at most maxLength characters; text the program
// sets is shown whole (limited_edit.h). Its width is set with the window's (field_widths.h).
QLineEdit* MakeEdit(QWidget* parent, const QString& name, int maxLength, const QString& text = {});
// A time edit "hh:nn" whose first hour digit may be left blank, blanks shown as '_'.
QLineEdit* MakeTimeEdit(QWidget* parent, const QString& name, const QString& text);
// An edit that shows letters in upper case, typed or pasted.
QLineEdit* MakeUpperCaseEdit(QWidget* parent, const QString& name, int maxLength, const QString& text);
// A list the user can only choose from; index -1 selects nothing.
QComboBox* MakeDropDown(QWidget* parent, const QString& name, const QStringList& items, int index,
                        int lines = kDefaultDropDownLines);
// A list whose text can also be typed.
QComboBox* MakeSimpleCombo(QWidget* parent, const QString& name, const QStringList& items, int index);
// Lets the user type the text of a list too.
void AllowTyping(QComboBox* box);
QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption, bool checked);
// A label; the name may be empty for captions that nothing refers to.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text);
QGroupBox* MakeGroup(QWidget* parent, const QString& name, const QString& caption, const QString& hint);

// Puts a caption label into (row, column) and the control beside it; returns the label.
QLabel* AddCaptioned(QGridLayout* grid, int row, int column, const QString& caption, QWidget* control);
// The same with the caption of the control's setting and a colon.
QLabel* AddCaptioned(QGridLayout* grid, int row, int column, QWidget* control);

// What the setting table calls the setting.
QString SettingCaption(std::string_view name);

// The controls of the settings the setting table describes: each takes its object name,
// typing limit, items, the value the page is built with and its hint from the table.
QLineEdit* MakeSettingEdit(QWidget* parent, std::string_view name);
QLineEdit* MakeSettingTimeEdit(QWidget* parent, std::string_view name);
QLineEdit* MakeSettingUpperCaseEdit(QWidget* parent, std::string_view name);
QComboBox* MakeSettingDropDown(QWidget* parent, std::string_view name, int lines = kDefaultDropDownLines);
// With the table's caption, unless the page shows another one.
QCheckBox* MakeSettingCheck(QWidget* parent, std::string_view name, const QString& caption = {});
// A group box of the setting table's groups, by its caption.
QGroupBox* MakeSettingGroup(QWidget* parent, std::string_view caption);

}  // namespace q9tx
