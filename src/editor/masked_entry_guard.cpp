#include "editor/masked_entry_guard.h"

#include <algorithm>
#include <iterator>

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "editor/error_box.h"
#include "editor/field_events.h"

namespace q9tx {

MaskedEntryGuard::MaskedEntryGuard(QLineEdit* field, const FieldEvents& events)
    : QObject(field), field_(field), events_(&events), textOnEntry_(field->displayText())
{
    field->installEventFilter(this);
    qApp->installEventFilter(this);
}

MaskedEntryGuard* MaskedEntryGuard::of(const QWidget* field)
{
    return field ? field->findChild<MaskedEntryGuard*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

bool MaskedEntryGuard::refusesLeaving() const { return field_->isModified() && !field_->hasAcceptableInput(); }

void MaskedEntryGuard::keepUserIn()
{
    field_->setFocus(Qt::OtherFocusReason);
    // The cursor goes to the first required position left blank. The time mask has no
    // case switches, so its characters line up with the shown text.
    const QString mask = field_->inputMask();
    const QString positions = mask.section(QLatin1Char(';'), 0, 0);
    const QString blanks = mask.section(QLatin1Char(';'), 1, 1);
    const QChar blank = blanks.isEmpty() ? QLatin1Char(' ') : blanks.front();
    const QString shown = field_->displayText();
    for (int position = 0; position < shown.size() && position < positions.size(); ++position) {
        if (positions[position] == QLatin1Char('9') && shown[position] == blank) {
            field_->setCursorPosition(position);
            break;
        }
    }
    // One click can be refused twice: the focus it gives, then the press itself.
    if (refusalPending_)
        return;
    refusalPending_ = true;
    QApplication::beep();
    // Queued: a modal box must not open inside the focus change that is being undone.
    QMetaObject::invokeMethod(
        this,
        [this] {
            refusalPending_ = false;
            ReportError(QString::fromLatin1(kMaskRefusal));
        },
        Qt::QueuedConnection);
}

namespace {

// A widget of `window`, or of a menu that opened from it.
bool BelongsTo(const QWidget* widget, const QWidget* window)
{
    while (widget) {
        const QWidget* top = widget->window();
        if (top == window)
            return true;
        if (!qobject_cast<const QMenu*>(top))
            return false;
        widget = top->parentWidget();
    }
    return false;
}

// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgUp, Ctrl+PgDown: the tab control's page keys.
bool IsPageSwitch(const QKeyEvent& key)
{
    constexpr Qt::Key kPageKeys[] = {Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_PageUp, Qt::Key_PageDown};
    return key.modifiers().testFlag(Qt::ControlModifier) &&
           std::find(std::begin(kPageKeys), std::end(kPageKeys), key.key()) != std::end(kPageKeys);
}

}  // namespace

bool MaskedEntryGuard::refusesElsewhere(QObject* target, QEvent* event)
{
    bool report = true;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Shortcut:
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        // The end of a refused click, or a turn that would change a drop-down's choice.
        report = false;
        break;
    default:
        return false;
    }
    if (!events_ || events_->enteredField() != field_ || !refusesLeaving())
        return false;
    QWidget* window = field_->window();
    if (const auto* widget = qobject_cast<const QWidget*>(target)) {
        if (widget == field_ || !BelongsTo(widget, window))
            return false;
    } else if (event->type() != QEvent::Shortcut || !window->isActiveWindow()) {
        // A menu command's shortcut reaches its action, in the active window.
        return false;
    }
    if (report)
        keepUserIn();
    return true;
}

bool MaskedEntryGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != field_)
        return refusesElsewhere(watched, event);
    if (!events_)
        return false;
    const bool userIsIn = events_->enteredField() == field_;
    switch (event->type()) {
    case QEvent::FocusIn:
        // Coming back from a menu, another window or a refused leaving is no new entry.
        if (!userIsIn)
            textOnEntry_ = field_->displayText();
        break;
    case QEvent::FocusOut:
        if (userIsIn && IsLeavingFocus(static_cast<QFocusEvent*>(event)->reason()) && refusesLeaving()) {
            // Swallowed: neither the field events nor the field see the focus go.
            keepUserIn();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && field_->isModified()) {
            field_->setText(textOnEntry_);
            return true;
        }
        // The field passes these on to the tab control, which would hide it on another page.
        if (userIsIn && IsPageSwitch(*key) && refusesLeaving()) {
            keepUserIn();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

}  // namespace q9tx
