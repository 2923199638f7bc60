// Files reach the window wherever they are dropped or however they are named (also by a
// second start, which hands its file to the running window), and the end signals close
// the window as Exit does.

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <future>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include "find_control.h"
#include "app/file_argument.h"
#include "app/single_instance.h"
#include "app/termination_signals.h"
#include "conversion_support.h"

using namespace q9tx;

namespace {

// A settings file of the window's own settings, with a changed banner.
QString WriteSettingsFile(const QTemporaryDir& dir, const QString& name)
{
    TestWindow source;
    Control<QLineEdit>(*source, QStringLiteral("banner"))->setText(QStringLiteral("FROM FILE"));
    const ConfigImage image = source->EncodeImage(std::nullopt);
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(reinterpret_cast<const char*>(image.data()), qint64(image.size()));
    return path;
}

// Drags the files over `target` and drops them there, as a file manager does: the
// paths come as URLs and as text.
void DropOn(QWidget* target, const QStringList& paths)
{
    QWidget* window = target->window();
    QMimeData data;
    QList<QUrl> urls;
    QStringList texts;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
        texts << QUrl::fromLocalFile(path).toString();
    }
    data.setUrls(urls);
    data.setText(texts.join(u'\n'));
    const QPoint at = target->mapTo(window, target->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->windowHandle(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->windowHandle(), &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->windowHandle(), &drop);
}

}  // namespace

class WindowEdgesTest : public QObject {
    Q_OBJECT
private slots:
    void dropAnywhereLoadsTheFirstFile_data();
    void dropAnywhereLoadsTheFirstFile();
    void fileArgumentLoadsLikeADrop_data();
    void fileArgumentLoadsLikeADrop();
    void nonRegularFileIsRefusedAtOnce();
    void secondStartHandsItsFileOver_data();
    void secondStartHandsItsFileOver();
    void endSignalsReachTheEventLoop();
};

void WindowEdgesTest::dropAnywhereLoadsTheFirstFile_data()
{
    QTest::addColumn<QString>("target");
    for (const char* target : {"banner", "frequency", "displayHoldTime", "passcode", "tabs", "StatusBar1", "menu",
                               "window"})
        QTest::newRow(target) << target;
}

void WindowEdgesTest::dropAnywhereLoadsTheFirstFile()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    const QString path = WriteSettingsFile(dir, QStringLiteral("dropped.bin"));
    QVERIFY(!path.isEmpty());
    TestWindow test;
    test->show();
    QVERIFY(QTest::qWaitForWindowExposed(test.window.get()));
    QWidget* control = target == QLatin1String("tabs")
                           ? Control<QTabWidget>(*test, QStringLiteral("PageControl1"))->tabBar()
                       : target == QLatin1String("menu")   ? static_cast<QWidget*>(test->MainMenu1)
                       : target == QLatin1String("window") ? static_cast<QWidget*>(test.window.get())
                                                           : test->findChild<QWidget*>(target);
    QVERIFY(control && control->isVisible());
    auto* edit = qobject_cast<QLineEdit*>(control);
    const QString textBefore = edit ? edit->text() : QString();

    DropOn(control, {path, dir.filePath(QStringLiteral("second.bin"))});
    QCOMPARE(test->statusText(), QStringLiteral("Loaded data from %1.").arg(path));
    QCOMPARE(Control<QLineEdit>(*test, QStringLiteral("banner"))->text(), QStringLiteral("FROM FILE"));
    if (edit && edit != Control<QLineEdit>(*test, QStringLiteral("banner")))
        QCOMPARE(edit->text(), textBefore);
    QVERIFY(test.errors.isEmpty());
}

void WindowEdgesTest::fileArgumentLoadsLikeADrop_data()
{
    QTest::addColumn<QString>("argument");  // %1: the folder, which is also the working folder
    QTest::addColumn<QString>("status");    // %1: the folder
    QTest::newRow("absolute path") << "%1/pager.bin" << "Loaded data from %1/pager.bin.";
    QTest::newRow("relative path") << "pager.bin" << "Loaded data from %1/pager.bin.";
    QTest::newRow("file URL") << "file://%1/pager.bin" << "Loaded data from %1/pager.bin.";
    QTest::newRow("upper-case extension") << "%1/PAGER.BIN" << "Loaded data from %1/PAGER.BIN.";
    QTest::newRow("missing file") << "%1/missing.bin" << "File could not be read.";
    QTest::newRow("not a settings file") << "%1/notes.txt" << "";
}

void WindowEdgesTest::fileArgumentLoadsLikeADrop()
{
    QFETCH(QString, argument);
    QFETCH(QString, status);
    QTemporaryDir dir;
    QVERIFY(!WriteSettingsFile(dir, QStringLiteral("pager.bin")).isEmpty());
    QVERIFY(!WriteSettingsFile(dir, QStringLiteral("PAGER.BIN")).isEmpty());
    QVERIFY(!WriteSettingsFile(dir, QStringLiteral("notes.txt")).isEmpty());
    const QString folder = QDir(dir.path()).canonicalPath();
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder));
    TestWindow test;
    test->setStatusText(QString());
    LoadFileArgumentLater(*test, argument.contains(QLatin1String("%1")) ? argument.arg(folder) : argument);
    QDir::setCurrent(previous);
    QCOMPARE(test->statusText(), QString());  // not before the event loop runs
    QTRY_COMPARE(test->statusText(), status.contains(QLatin1String("%1")) ? status.arg(folder) : status);
    QCOMPARE(Control<QLineEdit>(*test, QStringLiteral("banner"))->text() == QLatin1String("FROM FILE"),
             status.startsWith(QLatin1String("Loaded")));
}

enum class Running { None, Window, Crashed };
Q_DECLARE_METATYPE(Running)

void WindowEdgesTest::secondStartHandsItsFileOver_data()
{
    QTest::addColumn<Running>("running");
    QTest::addColumn<bool>("handedOver");  // else the second start opens its own window
    QTest::newRow("a window runs") << Running::Window << true;
    QTest::newRow("none runs") << Running::None << false;
    // The socket a killed programmer left must not keep the next one from listening.
    QTest::newRow("one crashed") << Running::Crashed << false;
}

void WindowEdgesTest::secondStartHandsItsFileOver()
{
    QFETCH(Running, running);
    QFETCH(bool, handedOver);
    QTemporaryDir dir;
    const QString path = WriteSettingsFile(dir, QStringLiteral("pager.bin"));
    const QString socketName = dir.filePath(QStringLiteral("instance"));
    TestWindow test;
    InstanceServer server;
    if (running == Running::Crashed) {
        // What a killed programmer leaves: the socket's file, and nobody listening.
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray bytes = QFile::encodeName(socketName);
        std::memcpy(address.sun_path, bytes.constData(), std::min(sizeof address.sun_path - 1, std::size_t(bytes.size())));
        QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
        ::close(fd);
        QVERIFY(QFile::exists(socketName));
    }
    if (running == Running::Window) {
        QVERIFY(server.listen(socketName));
        ServeFilesTo(*test, server);
    }
    // The second start waits for the answer; the running window answers from its event loop.
    std::future<bool> handed = std::async(std::launch::async, [&] { return HandToRunningInstance(socketName, path); });
    while (handed.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCOMPARE(handed.get(), handedOver);
    QCOMPARE(Control<QLineEdit>(*test, QStringLiteral("banner"))->text() == QLatin1String("FROM FILE"), handedOver);
    if (running != Running::Window) {
        // The second start's own window now serves the next ones.
        QVERIFY(server.listen(socketName));
        InstanceServer third;
        QVERIFY(!third.listen(socketName));
    }
}

// A FIFO would hold the window until some program writes to it; like a folder or a
// device it is no settings file.
void WindowEdgesTest::nonRegularFileIsRefusedAtOnce()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("x.bin"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.bin")));
    TestWindow test;
    for (const QString& path : {fifo, dir.filePath(QStringLiteral("folder.bin"))}) {
        test->setStatusText(QStringLiteral("before"));
        test->LoadSettingsFile(path);
        QCOMPARE(test->statusText(), QStringLiteral("File could not be read."));
        QVERIFY(test->progress->isHidden() && Control<QWidget>(*test, QStringLiteral("settings"))->isEnabled());
    }
}

void WindowEdgesTest::endSignalsReachTheEventLoop()
{
    TerminationSignals endSignals;
    QSignalSpy received(&endSignals, &TerminationSignals::received);
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        QVERIFY(::raise(number) == 0);
        QVERIFY(received.wait(2000) || !received.isEmpty());
        QCOMPARE(received.takeFirst().at(0).toInt(), number);
    }
}

QTEST_MAIN(WindowEdgesTest)
#include "window_edges_test.moc"
