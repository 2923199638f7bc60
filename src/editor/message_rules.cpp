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
#include "image/item_lists.h"
#include "image/settings_rules.h"

using q9tx::kReminderDisabled;
using q9tx::SettingsEditor;
using q9tx::TypingLimit;

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
    const bool anyPublic = q9tx::AreFoldersUsable(choices);
    for (QWidget* control : {static_cast<QWidget*>(folders), static_cast<QWidget*>(continuousMode),
                             static_cast<QWidget*>(ignorePublicMessages), static_cast<QWidget*>(hideMessageNumber),
                             static_cast<QWidget*>(folderEn[0])})
        control->setEnabled(anyPublic);
    if (!anyPublic) {
        folderEn[0]->setChecked(false);
        // Also when the box was already unticked and so ran no rule of its own.
        FolderEnClick(0);
    }
}

void SettingsEditor::FolderEnClick(int k)
{
    // Walks down the chain instead of recursing: unticking a later folder also runs that
    // folder's rule through its own state change, which then finds its part already done.
    for (int j = k; j < kFolderCount; ++j) {
        const bool inUse = folderEn[j]->isChecked();
        folderName[j]->setEnabled(inUse);
        folderSize[j]->setEnabled(inUse);
        if (j + 1 == kFolderCount || inUse) {
            if (j + 1 < kFolderCount)
                folderEn[j + 1]->setEnabled(true);
            return;
        }
        folderEn[j + 1]->setEnabled(false);
        folderEn[j + 1]->setChecked(false);
    }
}

void SettingsEditor::FixedStringExit(QLineEdit* field)
{
    // The image holds these texts in fixed-width fields.
    const QString filled = field->text().leftJustified(TypingLimit(field), QLatin1Char(' '));
    if (filled != field->text())
        field->setText(filled);
}
