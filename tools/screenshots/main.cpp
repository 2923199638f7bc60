// Renders each page of the main window into a PNG, without a display; or, with
// --compare, renders them in memory and compares each with the PNG of the same name.
// --scale S renders at that scale (as QT_SCALE_FACTOR), into <page>@<S>x.png. Offscreen,
// the screen is a 1920x1080 one, so that the window shows whole at any scale that fits.

#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTemporaryFile>
#include <QTabWidget>

#include "app/idle_link.h"
#include "app/tform1.h"

namespace {

// The number of pixels in which two pictures differ; all of them when the sizes differ.
qsizetype DifferingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return qsizetype(a.width()) * a.height() + qsizetype(b.width()) * b.height();
    qsizetype differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
    }
    return differing;
}

// The value after --scale, read before the application object, which takes the scale.
QByteArray ScaleArgument(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--scale") == 0)
            return QByteArray(argv[i + 1]);
    }
    return {};
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryFile screens;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if ((platform.isEmpty() || platform == "offscreen") && screens.open()) {
        screens.write(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                      R"( "logicalDpi": 96, "dpr": 1}]})");
        screens.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    }
    const QByteArray scale = ScaleArgument(argc, argv);
    if (!scale.isEmpty())
        qputenv("QT_SCALE_FACTOR", scale);
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    const bool compare = arguments.removeAll(QStringLiteral("--compare")) > 0;
    const qsizetype scaleAt = arguments.indexOf(QStringLiteral("--scale"));
    if (scaleAt >= 0)
        arguments.remove(scaleAt, 2);
    const QString suffix = scale.isEmpty() ? QString() : QStringLiteral("@%1x").arg(QString::fromLatin1(scale));
    const QString directory = arguments.isEmpty() ? QStringLiteral(Q9TX_SCREENSHOT_DIR) : arguments.first();
    if (!compare && !QDir().mkpath(directory)) {
        std::fprintf(stderr, "Cannot create %s\n", qPrintable(directory));
        return 1;
    }

    q9tx::IdleLink link;
    TForm1 window(link);
    window.show();
    int status = 0;
    auto* const pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        const QString file =
            QDir(directory).filePath(pages->widget(page)->objectName() + suffix + QStringLiteral(".png"));
        const QPixmap picture = window.grab();
        if (compare) {
            const QImage shown = picture.toImage().convertToFormat(QImage::Format_ARGB32);
            const QImage reference(file);
            if (reference.isNull()) {
                std::fprintf(stderr, "Cannot read %s\n", qPrintable(file));
                return 1;
            }
            const qsizetype differing = DifferingPixels(shown, reference.convertToFormat(QImage::Format_ARGB32));
            std::printf("%s: %s (%lld pixels differ)\n", qPrintable(file), differing == 0 ? "equal" : "DIFFERENT",
                        static_cast<long long>(differing));
            status = differing == 0 ? status : 1;
            continue;
        }
        if (!picture.save(file)) {
            std::fprintf(stderr, "Cannot write %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%s (%dx%d)\n", qPrintable(file), window.width(), window.height());
    }
    return status;
}
