// The free-text edits whose texts the configuration image stores byte for byte.

#include <vector>

#include <QLineEdit>

#include "editor/limited_edit.h"
#include "editor/settings_editor.h"
#include "editor/single_byte_validator.h"

void q9tx::SettingsEditor::RefuseMultiByteCharacters()
{
    std::vector<QLineEdit*> texts = {banner, serialNum, passcode, comment};
    texts.insert(texts.end(), canned.begin(), canned.end());
    texts.insert(texts.end(), folderName.begin(), folderName.end());
    for (QLineEdit* text : texts)
        q9tx::SetCharacterRule(text, new q9tx::SingleByteValidator);
}
