#pragma once
// The masked time fields check their own mask before any rule sees the field left:
// a field the user changed may not be left while a required digit position is blank.
// Leaving it is refused with a beep, the focus stays, and the general error box
// says "Invalid input value.  Use escape key to abandon changes"; Escape puts back
// the text the field had when the user entered it. Whatever else of the window the user
// clicks meanwhile (a tab, a check box, a drop-down, a menu) or reaches by a shortcut
// is refused the same way and does not take effect.

#include <QObject>
#include <QPointer>
#include <QString>

class QLineEdit;
class QWidget;

namespace q9tx {

class FieldEvents;

inline constexpr const char* kMaskRefusal = "Invalid input value.  Use escape key to abandon changes";

class MaskedEntryGuard : public QObject {
    Q_OBJECT
public:
    // Watches `field` as its child. Create it after the field's rules are set in
    // `events`: event filters run newest first, and the guard must see the focus go
    // before the field events take it as leaving.
    MaskedEntryGuard(QLineEdit* field, const FieldEvents& events);

    // The guard of a field, or none.
    static MaskedEntryGuard* of(const QWidget* field);

    // True while the user's change leaves a required position of the mask blank.
    bool refusesLeaving() const;
    // Keeps the user in the field: the focus goes back to it with the cursor on the
    // first blank position, a beep sounds, and the refusal is reported once the
    // focus change has run its course.
    void keepUserIn();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Watches the whole application: true when `event` for another object of the
    // window is a click or shortcut to be refused while the user must stay in the field.
    bool refusesElsewhere(QObject* target, QEvent* event);

    QLineEdit* field_;
    // Gone while the window is taken apart; the guard then stands aside.
    QPointer<const FieldEvents> events_;
    // As shown, with the mask's blanks, so that setting it back restores every position.
    QString textOnEntry_;
    bool refusalPending_ = false;
};

}  // namespace q9tx
