#include "editor/field_events.h"

#include <utility>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

#include "editor/error_box.h"

namespace q9tx {
namespace {

void RunRule(const FieldEvents::Rule& rule)
{
    if (rule)
        Guarded(rule);
}

}  // namespace

// Focus moves that do not take the user out of the field.
bool IsLeavingFocus(Qt::FocusReason reason)
{
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

FieldEvents::FieldEvents(QObject* parent) : QObject(parent) {}

FieldEvents::FieldRules& FieldEvents::rulesOf(QWidget* field)
{
    auto [position, added] = fields_.try_emplace(field);
    if (added) {
        field->installEventFilter(this);
        connect(field, &QObject::destroyed, this, [this](QObject* gone) {
            fields_.erase(gone);
            if (entered_ == gone)
                entered_ = nullptr;
        });
    }
    return position->second;
}

void FieldEvents::setEnterRule(QWidget* field, Rule rule) { rulesOf(field).enter = std::move(rule); }

void FieldEvents::setExitRule(QWidget* field, Rule rule) { rulesOf(field).exit = std::move(rule); }

void FieldEvents::setKeyFilter(QWidget* field, KeyFilter filter) { rulesOf(field).keyFilter = std::move(filter); }

QWidget* FieldEvents::enteredField() const { return entered_; }

void FieldEvents::exitAndReenter()
{
    QWidget* field = entered_;
    if (!field)
        return;
    leave();
    enter(field);
}

void FieldEvents::enter(QWidget* field)
{
    if (entered_ == field)
        return;
    // Focus can reach a field without the previous one having seen a leaving focus
    // change (it went away with a popup, then the popup's owner moved the focus):
    // the previous field is left now, so that its exit rule never goes missing.
    leave();
    entered_ = field;
    // Copied: a rule may replace the rules of its own field.
    const Rule rule = fields_[field].enter;
    RunRule(rule);
}

void FieldEvents::leave()
{
    QWidget* field = std::exchange(entered_, nullptr);
    if (!field)
        return;
    const Rule rule = fields_[field].exit;
    RunRule(rule);
}

bool FieldEvents::passesKeyFilter(QObject* field, const QString& typed)
{
    const KeyFilter filter = fields_[field].keyFilter;
    // Some platforms give the Delete key the text U+007F; it edits, it types nothing.
    if (!filter || typed.isEmpty() || typed == QChar(0x7F))
        return true;
    bool passes = true;
    try {
        for (QChar character : typed)
            passes = passes && filter(character);
    } catch (...) {
        ReportCurrentException();
        passes = false;
    }
    return passes;
}

bool FieldEvents::eventFilter(QObject* watched, QEvent* event)
{
    if (!fields_.contains(watched))
        return false;
    auto* field = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        enter(field);
        break;
    case QEvent::FocusOut:
        if (entered_ == field && IsLeavingFocus(static_cast<QFocusEvent*>(event)->reason()))
            leave();
        break;
    case QEvent::KeyPress:
        // Swallowing the event discards the character, as a key filter that refuses it asks.
        return !passesKeyFilter(watched, static_cast<QKeyEvent*>(event)->text());
    default:
        break;
    }
    return false;
}

}  // namespace q9tx
