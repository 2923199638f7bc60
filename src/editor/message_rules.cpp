// Rules of the message options and the chained public folders.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "editor/limited_edit.h"
#include "editor/text_conversion.h"
#include "editor/messages_page.h"
#include "image/folder_slots.h"
#include "image/item_lists.h"
#include "image/settings_rules.h"

using q9tx::kReminderDisabled;
using q9tx::EditorPanel;
using q9tx::MessagesPage;
using q9tx::TypingLimit;

void MessagesPage::UnreadReminderChange()
{
    // No selection (an image may hold a value beyond the list) counts as no reminder.
    numReminders->setEnabled(unreadReminder->currentIndex() > kReminderDisabled);
}

void MessagesPage::MessageOpsClick() { keepUnreadWhenDeletingAll->setEnabled(messageOps->isChecked()); }

void MessagesPage::CannedMessageClick()
{
    const bool substitute = cannedMessages->isChecked();
    for (int i = 0; i < kCannedCount; ++i) {
        canned[i]->setEnabled(substitute);
        cannedLabel[i]->setEnabled(substitute);
    }
}

void MessagesPage::SetFoldersUsable(bool anyPublic)
{
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

void MessagesPage::FolderEnClick(int k)
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

void EditorPanel::FixedStringExit(QLineEdit* field)
{
    // The image holds these texts in fixed-width fields.
    const QString filled = field->text().leftJustified(TypingLimit(field), QLatin1Char(' '));
    if (filled != field->text())
        field->setText(filled);
}

bool MessagesPage::FoldersCanBeStored()
{
    // Folder sizes carry no mark: a size whose range the image cannot hold is refused
    // here, where the user can make it smaller, instead of being saved as other folders.
    std::array<q9tx::FolderUse, kFolderCount> uses{};
    for (int k = 0; k < kFolderCount; ++k) {
        std::optional<std::int64_t> size;
        try {
            size = q9tx::TextToInt(folderSize[k]->text());
        } catch (const q9tx::ConversionError&) {
        }
        uses[k] = {folderEn[k]->isChecked(), size};
    }
    const std::optional<q9tx::FolderSlotsProblem> problem = q9tx::CheckFolderSlots(uses);
    if (!problem)
        return true;
    BringToFront();
    folderSize[problem->folder - 1]->setFocus(Qt::OtherFocusReason);
    setStatusText(QString::fromStdString(problem->message));
    return false;
}
