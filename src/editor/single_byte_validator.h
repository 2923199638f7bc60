#pragma once
// The configuration image stores the editor's free texts one byte per character
// (Latin-1). This validator drops every character that has no single-byte form, typed,
// pasted or set, so a text can never need more bytes than its fixed field holds.

#include <QValidator>

namespace q9tx {

class SingleByteValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override;
};

// Whether the character has a single-byte (Latin-1) form.
constexpr bool HasSingleByteForm(QChar character) { return character.unicode() <= 0xFF; }

}  // namespace q9tx
