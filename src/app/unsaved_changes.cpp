#include "app/unsaved_changes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>

namespace q9tx {

namespace {

// What a control holds, in a form that compares.
QVariant StateOf(const QObject* control)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* list = qobject_cast<const QComboBox*>(control))
        return list->isEditable() ? QVariant(list->currentText()) : QVariant(list->currentIndex());
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->isChecked();
    return {};
}

}  // namespace

UnsavedChanges::UnsavedChanges(QWidget* root) : QObject(root)
{
    for (QLineEdit* edit : root->findChildren<QLineEdit*>()) {
        // A drop-down list's own edit is watched through the list.
        if (qobject_cast<QComboBox*>(edit->parent()))
            continue;
        saved_[edit] = StateOf(edit);
        connect(edit, &QLineEdit::textEdited, this, [this] { userChanged(); });
    }
    for (QComboBox* list : root->findChildren<QComboBox*>()) {
        saved_[list] = StateOf(list);
        connect(list, &QComboBox::activated, this, [this] { userChanged(); });
    }
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        // Buttons that hold no setting (tab scrolling, spin steps) change nothing.
        if (!button->isCheckable())
            continue;
        saved_[button] = StateOf(button);
        connect(button, &QAbstractButton::clicked, this, [this] { userChanged(); });
    }
    // A control goes before this object when the window is taken apart.
    for (const auto& [control, state] : saved_)
        connect(control, &QObject::destroyed, this, [this, control = control] { forget(control); });
    // A field's exit rule may bring its text back to the saved form.
    connect(qApp, &QApplication::focusChanged, this, &UnsavedChanges::recheck);
}

void UnsavedChanges::forget(QObject* control)
{
    saved_.erase(control);
    changed_.erase(control);
}

void UnsavedChanges::markSaved()
{
    for (auto& [control, state] : saved_)
        state = StateOf(control);
    touched_ = false;
    const bool was = modified();
    changed_.clear();
    if (was)
        emit modifiedChanged(false);
}

void UnsavedChanges::userChanged()
{
    touched_ = true;
    recheck();
}

// Every control counts once the user has changed one: a rule's change to another control
// can outlive the edit that caused it (a folder unticked by the chain stays unticked when
// the folder before it is ticked again).
void UnsavedChanges::recheck()
{
    if (!touched_)
        return;
    const bool was = modified();
    changed_.clear();
    for (const auto& [control, state] : saved_)
        if (StateOf(control) != state)
            changed_.insert(control);
    if (modified() != was)
        emit modifiedChanged(modified());
}

}  // namespace q9tx
