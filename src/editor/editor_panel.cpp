#include "editor/editor_panel.h"

#include <string>
#include <string_view>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "editor/editor_shell.h"
#include "editor/error_box.h"
#include "editor/limited_edit.h"
#include "editor/single_byte_validator.h"
#include "editor/status_texts.h"
#include "editor/text_conversion.h"
#include "image/setting_table.h"
#include "image/settings_rules.h"

namespace q9tx {

EditorPanel::EditorPanel(EditorShell& shell, const QString& name) : shell_(shell) { setObjectName(name); }

void EditorPanel::BringToFront(QWidget* focus)
{
    for (QWidget* ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(ancestor)) {
            tabs->setCurrentWidget(this);
            break;
        }
    }
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}

bool EditorPanel::NumericKeyPress(QChar key)
{
    setStatusText(QString());
    if (IsControlKey(key.unicode()) || IsDigitKey(key.unicode()))
        return true;
    showStatus(StatusEnterNumber);
    return false;
}

void EditorPanel::FixedStringExit(QLineEdit* field) { FillToTypingLimit(field, SpaceFilled); }

void EditorPanel::FillToTypingLimit(QLineEdit* field, Fill fill)
{
    const auto length = static_cast<std::size_t>(TypingLimit(field));
    const QString filled =
        WithOneByteRule(field->text(), [fill, length](std::string_view text) { return fill(text, length); });
    if (filled != field->text())
        field->setText(filled);
}

void EditorPanel::showStatus(int number) { shell_.setStatusText(StatusText(number)); }

void EditorPanel::setStatusText(const QString& text) { shell_.setStatusText(text); }

QString EditorPanel::statusText() const { return shell_.statusText(); }

QChar EditorPanel::decimalSeparator() const { return shell_.decimalSeparator(); }

FieldEvents& EditorPanel::fieldEvents() { return shell_.fieldEvents(); }

void EditorPanel::onToggle(QCheckBox* box, FieldEvents::Rule rule)
{
    connect(box, &QCheckBox::toggled, this, [rule = std::move(rule)] { Guarded(rule); });
}

void EditorPanel::onChoice(QComboBox* box, FieldEvents::Rule rule)
{
    connect(box, &QComboBox::activated, this, [rule = std::move(rule)] { Guarded(rule); });
}

void EditorPanel::onTextChange(QLineEdit* edit, FieldEvents::Rule rule)
{
    connect(edit, &QLineEdit::textChanged, this, [rule = std::move(rule)] { Guarded(rule); });
}

void EditorPanel::filterNumericKeys(QLineEdit* edit)
{
    fieldEvents().setKeyFilter(edit, [this](QChar key) { return NumericKeyPress(key); });
}

void EditorPanel::attachTextRules()
{
    for (QLineEdit* edit : findChildren<QLineEdit*>()) {
        const std::string name = edit->objectName().toStdString();
        const SettingDefinition* setting = FindSetting(name);
        if (!setting || setting->kind != SettingKind::Text)
            continue;
        refuseMultiByteCharacters(edit);
        if (IsSpaceFilled(name))
            fieldEvents().setExitRule(edit, [this, edit] { FixedStringExit(edit); });
    }
}

void EditorPanel::refuseMultiByteCharacters(QLineEdit* edit) { SetCharacterRule(edit, new SingleByteValidator); }

}  // namespace q9tx
