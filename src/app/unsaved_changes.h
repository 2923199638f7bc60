#pragma once
// Whether the user changed the editor since its settings were last loaded, read, saved or
// written. Nothing counts until the user changes a control (typing, choosing, clicking):
// what a load or a transfer alone puts into a control does not. From then on every
// control that differs from its saved setting counts, also one that a rule changed; a
// control set back to what it held is no longer a change.
//
// The controls are found by type under the editor's root, so that it does not matter
// which class builds them.

#include <map>
#include <set>

#include <QObject>
#include <QVariant>

class QWidget;

namespace q9tx {

class UnsavedChanges : public QObject {
    Q_OBJECT
public:
    // Watches every edit field, drop-down list and check box below `root`; the settings
    // the controls hold now are the saved ones.
    explicit UnsavedChanges(QWidget* root);

    bool modified() const { return !changed_.empty(); }
    // The controls' present settings become the saved ones.
    void markSaved();

signals:
    void modifiedChanged(bool modified);

private:
    void userChanged();
    void recheck();
    void forget(QObject* control);

    std::map<QObject*, QVariant> saved_;
    std::set<QObject*> changed_;
    // The user has changed a control since the controls were last saved.
    bool touched_ = false;
};

}  // namespace q9tx
