// Rules of the message options and the chained public folders.

#include <algorithm>
#include <array>
#include <cstdint>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "editor/limited_edit.h"
#include "editor/settings_editor.h"
#include "editor/text_conversion.h"
#include "image/item_lists.h"
#include "image/settings_rules.h"

using q9tx::FolderChain;
using q9tx::FolderTicks;
using q9tx::kReminderDisabled;
using q9tx::SettingsEditor;
using q9tx::TypingLimit;

namespace {

FolderTicks ShownTicks(const SettingsEditor& form)
{
    FolderTicks ticks{};
    std::transform(form.folderEn.begin(), form.folderEn.end(), ticks.begin(),
                   [](const QCheckBox* box) { return box->isChecked(); });
    return ticks;
}

// Folder 1's box is left to the group rule.
void ShowFolderChain(SettingsEditor& form, const FolderChain& chain)
{
    // From the last folder up: each box unticked here runs its own rule, which then finds
    // every later folder unticked already; the enables below are the last word.
    for (int k = SettingsEditor::kFolderCount - 1; k >= 0; --k)
        form.folderEn[std::size_t(k)]->setChecked(chain.inUse[std::size_t(k)]);
    for (std::size_t k = 0; k < chain.inUse.size(); ++k) {
        if (k > 0)
            form.folderEn[k]->setEnabled(chain.boxUsable[k]);
        form.folderName[k]->setEnabled(chain.fieldsUsable[k]);
        form.folderSize[k]->setEnabled(chain.fieldsUsable[k]);
    }
}

}  // namespace

void SettingsEditor::UnreadReminderChange()
{
    // No selection (an image may hold a value beyond the list) counts as no reminder.
    numReminders->setEnabled(unreadReminder->currentIndex() > kReminderDisabled);
}

void SettingsEditor::MessageOpsClick() { keepUnreadWhenDeletingAll->setEnabled(messageOps->isChecked()); }

void SettingsEditor::CannedMessageClick()
{
    const bool substitute = cannedMessages->isChecked();
    for (int i = 0; i < kCannedCount; ++i) {
        canned[i]->setEnabled(substitute);
        cannedLabel[i]->setEnabled(substitute);
    }
}

void SettingsEditor::FolderGroupRule()
{
    std::array<std::int64_t, kStorageChoiceCount> choices{};
    std::transform(storage.begin(), storage.end(), choices.begin(),
                   [](const QComboBox* box) { return box->currentIndex(); });
    const bool usable = q9tx::AreFoldersUsable(choices);
    for (QWidget* control : {static_cast<QWidget*>(folders), static_cast<QWidget*>(continuousMode),
                             static_cast<QWidget*>(ignorePublicMessages), static_cast<QWidget*>(hideMessageNumber),
                             static_cast<QWidget*>(folderEn[0])})
        control->setEnabled(usable);
    // Also when folder 1 was already unticked and so ran no rule of its own.
    ShowFolderChain(*this, q9tx::FolderChainAfterStorage(ShownTicks(*this), usable));
}

void SettingsEditor::FolderEnClick(int k)
{
    // Folder 1's box is the group rule's to set: it follows the storage choices only when
    // one of them is left.
    ShowFolderChain(*this, q9tx::FolderChainAfterClick(ShownTicks(*this), k + 1, folderEn[0]->isEnabledTo(folders)));
}

void SettingsEditor::FixedStringExit(QLineEdit* field)
{
    const auto length = static_cast<std::size_t>(TypingLimit(field));
    const QString filled =
        q9tx::WithOneByteRule(field->text(), [length](std::string_view text) { return q9tx::SpaceFilled(text, length); });
    if (filled != field->text())
        field->setText(filled);
}
