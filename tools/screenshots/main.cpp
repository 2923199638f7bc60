// Renders each page of the main window into a PNG, without a display.

#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>

#include "app/idle_link.h"
#include "app/tform1.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(Q9TX_SCREENSHOT_DIR);
    if (!QDir().mkpath(directory)) {
        std::fprintf(stderr, "Cannot create %s\n", qPrintable(directory));
        return 1;
    }

    q9tx::IdleLink link;
    TForm1 window(link);
    window.show();
    for (int page = 0; page < window.PageControl1->count(); ++page) {
        window.PageControl1->setCurrentIndex(page);
        QApplication::processEvents();
        const QString file =
            QDir(directory).filePath(window.PageControl1->widget(page)->objectName() + QStringLiteral(".png"));
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "Cannot write %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%s (%dx%d)\n", qPrintable(file), window.width(), window.height());
    }
    return 0;
}
