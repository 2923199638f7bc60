#pragma once
// The general error box: an exception that escapes an event or message handler is
// shown to the user and the application goes on. No exception may cross Qt's event
// loop, so every handler that Qt calls runs inside Guarded().

#include <functional>
#include <QString>

namespace q9tx {

using ErrorReporter = std::function<void(const QString& text)>;

// Replaces the box (tests record the text instead of opening a modal dialog);
// returns the reporter that was in place. An empty reporter restores the box.
ErrorReporter SetErrorReporter(ErrorReporter reporter);

void ReportError(const QString& text);

// Reports the exception being handled; call only inside a catch block. A thrown
// object that is not an exception is reported with an empty message.
void ReportCurrentException();

template <typename Handler>
void Guarded(Handler&& handler)
{
    try {
        handler();
    } catch (...) {
        ReportCurrentException();
    }
}

}  // namespace q9tx
