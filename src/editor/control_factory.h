#pragma once
// Makers for the editor's controls: each gives the control its object name and the
// properties the inventory lists, so that the page builders stay tables of names.

#include <array>
#include <cstddef>
#include <string_view>

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
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
// The texts of one of the image's item lists (image/item_lists.h), which the drop-downs
// show in the stored order.
template <std::size_t Count>
QStringList ItemTexts(const std::array<std::string_view, Count>& items)
{
    QStringList texts;
    for (const std::string_view item : items)
        texts << QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size()));
    return texts;
}

// A list the user can only choose from; index -1 selects nothing.
QComboBox* MakeDropDown(QWidget* parent, const QString& name, const QStringList& items, int index,
                        int lines = kDefaultDropDownLines);
// A list whose text can also be typed.
QComboBox* MakeSimpleCombo(QWidget* parent, const QString& name, const QStringList& items, int index);
QCheckBox* MakeCheck(QWidget* parent, const QString& name, const QString& caption, bool checked);
// A label; the name may be empty for captions that nothing refers to.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text);
QGroupBox* MakeGroup(QWidget* parent, const QString& name, const QString& caption, const QString& hint);

}  // namespace q9tx

class QGridLayout;

namespace q9tx {

// Puts a caption label into (row, column) and the control beside it; returns the label.
QLabel* AddCaptioned(QGridLayout* grid, int row, int column, const QString& caption, QWidget* control);

}  // namespace q9tx
