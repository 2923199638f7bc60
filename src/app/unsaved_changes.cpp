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
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { userChanged(edit); });
    }
    for (QComboBox* list : root->findChildren<QComboBox*>()) {
        saved_[list] = StateOf(list);
        connect(list, &QComboBox::activated, this, [this, list] { userChanged(list); });
    }
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        // Buttons that hold no setting (tab scrolling, spin steps) change nothing.
        if (!button->isCheckable())
            continue;
        saved_[button] = StateOf(button);
        connect(button, &QAbstractButton::clicked, this, [this, button] { userChanged(button); });
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
    const bool was = modified();
    changed_.clear();
    if (was)
        emit modifiedChanged(false);
}

void UnsavedChanges::userChanged(QObject* control) { setChanged(control, StateOf(control) != saved_[control]); }

void UnsavedChanges::recheck()
{
    const std::set<QObject*> changed = changed_;
    for (QObject* control : changed)
        setChanged(control, StateOf(control) != saved_[control]);
}

void UnsavedChanges::setChanged(QObject* control, bool changed)
{
    const bool was = modified();
    if (changed)
        changed_.insert(control);
    else
        changed_.erase(control);
    if (modified() != was)
        emit modifiedChanged(modified());
}

}  // namespace q9tx
