#include "editor/limited_edit.h"

#include <QPointer>
#include <QValidator>

namespace q9tx {

// Refuses a user's edit that makes the text longer than the limit. An edit that does
// not lengthen the text (deleting from, or replacing in, a longer text the program
// showed) passes, so that such a text can be mended.
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
        const bool usersEdit = edit_->isUndoAvailable();
        if (usersEdit && input.size() > edit_->typingLimit() && input.size() > lengthBefore_)
            return Invalid;
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
