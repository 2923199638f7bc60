#include "app/q9tx_application.h"

#include "app/application_icon.h"
#include "editor/error_box.h"

Q9txApplication::Q9txApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Wayland shells match the window to its desktop entry by this name.
    setDesktopFileName(q9tx::ApplicationId());
    setWindowIcon(q9tx::ApplicationIcon());
}

bool Q9txApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        q9tx::ReportCurrentException();
        return false;
    }
}
