// The free-text edits whose texts the configuration image stores byte for byte.

#include <vector>

#include <QLineEdit>

#include "app/tform1.h"
#include "editor/limited_edit.h"
#include "editor/single_byte_validator.h"

void TForm1::RefuseMultiByteCharacters()
{
    std::vector<QLineEdit*> texts = {banner, serialNum, passcode, comment};
    texts.insert(texts.end(), canned.begin(), canned.end());
    texts.insert(texts.end(), folderName.begin(), folderName.end());
    for (QLineEdit* text : texts)
        q9tx::SetCharacterRule(text, new q9tx::SingleByteValidator);
}
