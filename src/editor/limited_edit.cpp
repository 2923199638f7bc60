#include "editor/limited_edit.h"

#include <algorithm>

#include <QPointer>
#include <QValidator>

namespace q9tx {

// Keeps a user's edit within the limit: what does not fit is cut from the end of what
// was typed, pasted or dropped, which ends at the cursor. A longer text that the
// program showed may be mended (deleted from, replaced in) but not lengthened.
//
// The toolkit validates text the program sets, too; that text always passes: setting
// a text clears the edit's undo history, while every edit of the user can be undone.
class TypingLimitValidator : public QValidator {
public:
    explicit TypingLimitValidator(LimitedEdit* edit) : QValidator(edit), edit_(edit), lengthBefore_(edit->text().size())
    {
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { lengthBefore_ = text.size(); });
    }

    void setCharacterRule(QValidator* rule)
    {
        delete characterRule_;
        characterRule_ = rule;
    }

    State validate(QString& input, int& position) const override
    {
        const State state = characterRule_ ? characterRule_->validate(input, position) : Acceptable;
        if (state == Invalid)
            return Invalid;
        const qsizetype allowed = std::max<qsizetype>(edit_->typingLimit(), lengthBefore_);
        if (!edit_->isUndoAvailable() || input.size() <= allowed)
            return state;
        const qsizetype excess = input.size() - allowed;
        if (position < excess)
            return Invalid;
        input.remove(position - excess, excess);
        position -= static_cast<int>(excess);
        return state;
    }

    void fixup(QString& input) const override
    {
        if (characterRule_)
            characterRule_->fixup(input);
    }

private:
    LimitedEdit* edit_;
    QPointer<QValidator> characterRule_;
    qsizetype lengthBefore_;
};

LimitedEdit::LimitedEdit(int typingLimit, QWidget* parent)
    : QLineEdit(parent), typingLimit_(typingLimit), limitValidator_(new TypingLimitValidator(this))
{
    setValidator(limitValidator_);
}

void LimitedEdit::setCharacterRule(QValidator* rule)
{
    rule->setParent(this);
    limitValidator_->setCharacterRule(rule);
}

int TypingLimit(const QLineEdit* edit) { return edit->property("maxLength").toInt(); }

void SetCharacterRule(QLineEdit* edit, QValidator* rule)
{
    if (auto* limited = qobject_cast<LimitedEdit*>(edit))
        limited->setCharacterRule(rule);
    else
        edit->setValidator(rule);
}

}  // namespace q9tx
