#pragma once
// Turns whatever reaches an edit into upper case, so that typed and pasted letters
// alike are shown and stored in upper case.

#include <QValidator>

namespace q9tx {

class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

}  // namespace q9tx
