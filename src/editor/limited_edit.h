#pragma once
// An edit whose length limit holds for what the user types, pastes or drops, and not
// for text that the program shows. Pagers and files hold values longer than the user
// could type (a folder of 256 messages, a ten-character frequency); cutting such a
// text would show, and later store, another value.
//
// The limit is the edit's "maxLength" property. The toolkit's own limit, which also
// cuts text set by the program, is left at its default and plays no part.

#include <QLineEdit>

class QValidator;

namespace q9tx {

class TypingLimitValidator;

class LimitedEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(int maxLength READ typingLimit WRITE setTypingLimit)
public:
    LimitedEdit(int typingLimit, QWidget* parent = nullptr);

    int typingLimit() const { return typingLimit_; }
    void setTypingLimit(int limit) { typingLimit_ = limit; }

    // The rule for the characters that reach the edit (upper case, single-byte form);
    // the limit applies to its result. The edit takes ownership.
    void setCharacterRule(QValidator* rule);

private:
    int typingLimit_;
    TypingLimitValidator* limitValidator_;
};

// The limit on what the user may type into any edit: the "maxLength" property.
int TypingLimit(const QLineEdit* edit);

// Gives an edit its character rule: under the typing limit of a LimitedEdit, else as
// the edit's validator.
void SetCharacterRule(QLineEdit* edit, QValidator* rule);

}  // namespace q9tx
