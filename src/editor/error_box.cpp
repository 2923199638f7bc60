#include "editor/error_box.h"

#include <exception>
#include <utility>

#include <QApplication>
#include <QMessageBox>

#include "editor/status_texts.h"
#include "image/status_error.h"

namespace q9tx {
namespace {

void ShowErrorBox(const QString& text)
{
    QMessageBox::critical(QApplication::activeWindow(), QGuiApplication::applicationDisplayName(), text);
}

ErrorReporter& CurrentReporter()
{
    static ErrorReporter reporter = ShowErrorBox;
    return reporter;
}

}  // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter)
{
    if (!reporter)
        reporter = ShowErrorBox;
    return std::exchange(CurrentReporter(), std::move(reporter));
}

void ReportError(const QString& text)
{
    // A copy, so that a reporter which replaces itself is not destroyed while it runs.
    const ErrorReporter reporter = CurrentReporter();
    reporter(text);
}

void ReportCurrentException()
{
    QString text;
    try {
        throw;
    } catch (const StatusError& error) {
        // Operations catch their own status errors; one that escapes still shows its text.
        text = StatusText(error.number());
        if (text.isEmpty())
            text = QString::fromUtf8(error.what());
    } catch (const std::exception& error) {
        text = QString::fromUtf8(error.what());
    } catch (...) {
    }
    ReportError(text);
}

}  // namespace q9tx
