#include "app/error_box.h"
#include "app/idle_link.h"
#include "app/q9tx_application.h"
#include "app/tform1.h"

int main(int argc, char** argv)
{
    Q9txApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(Q9TX_VERSION));
    try {
        q9tx::IdleLink link;
        TForm1 window(link);
        window.show();
        return app.exec();
    } catch (...) {
        q9tx::ReportCurrentException();
        return 1;
    }
}
