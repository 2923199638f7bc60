#pragma once
// What the editor needs from the window that holds it: the status bar's text, the
// user's decimal separator and the field events its rules attach to. The window
// implements it; the editor knows nothing else of the window.

#include <QChar>
#include <QString>

namespace q9tx {

class FieldEvents;

class EditorShell {
public:
    // The simple text of the status bar.
    virtual void setStatusText(const QString& text) = 0;
    virtual QString statusText() const = 0;
    // The decimal separator of the user's locale, read once at start-up.
    virtual QChar decimalSeparator() const = 0;
    virtual FieldEvents& fieldEvents() = 0;

protected:
    ~EditorShell() = default;
};

}  // namespace q9tx
