#include "app/q9tx_application.h"

#include "app/error_box.h"

Q9txApplication::Q9txApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool Q9txApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        q9tx::ReportCurrentException();
        return false;
    }
}
