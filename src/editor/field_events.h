#pragma once
// How the editor's rules attach to a field. One place decides what "entering" and
// "leaving" a field mean, so that every rule sees the same events:
// - enter: the field gains the keyboard focus while it was not already entered;
// - exit: the field loses the keyboard focus to another control of the window.
//   Focus lost because a menu or popup opened or another window was activated is
//   not leaving: the user is still in the field when it comes back;
// - key filter: sees each typed character before the field and returns true to let
//   it through. Pasted or programmatically set text passes no key filter.
// Rules run inside the general error box guard.

#include <functional>
#include <unordered_map>

#include <QChar>
#include <QObject>

class QWidget;

namespace q9tx {

// Whether losing the focus for this reason takes the user out of the field.
bool IsLeavingFocus(Qt::FocusReason reason);

class FieldEvents : public QObject {
    Q_OBJECT
public:
    using Rule = std::function<void()>;
    using KeyFilter = std::function<bool(QChar typed)>;

    explicit FieldEvents(QObject* parent = nullptr);

    void setEnterRule(QWidget* field, Rule rule);
    void setExitRule(QWidget* field, Rule rule);
    void setKeyFilter(QWidget* field, KeyFilter filter);

    // The field the user is in: entered and not yet left, or none.
    QWidget* enteredField() const;
    // Runs the exit rule and then the enter rule of the field the user is in, as if the
    // focus had been taken off it and given back, so that a value still being typed is
    // tested. Does nothing when the user is in no field.
    void exitAndReenter();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct FieldRules {
        Rule enter;
        Rule exit;
        KeyFilter keyFilter;
    };

    FieldRules& rulesOf(QWidget* field);
    void enter(QWidget* field);
    void leave();
    bool passesKeyFilter(QObject* field, const QString& typed);

    std::unordered_map<const QObject*, FieldRules> fields_;
    QWidget* entered_ = nullptr;
};

}  // namespace q9tx
