#include "app/single_instance.h"

#include <unistd.h>

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include "editor/error_box.h"
#include "app/tform1.h"

namespace q9tx {

namespace {

// Long enough for a busy desktop, short enough that "Open with" never seems to hang:
// after it the file opens in a window of its own.
constexpr int kAnswerMilliseconds = 3000;
// The running programmer's answer once it has the file.
constexpr char kTaken = '1';

QString SessionTag()
{
    for (const char* name : {"XDG_SESSION_ID", "WAYLAND_DISPLAY", "DISPLAY"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return QString(value).replace(QLatin1Char('/'), QLatin1Char('_'));
    }
    return QStringLiteral("none");
}

// A socket in the shared temporary folder may have been put there by another user.
bool OwnedByUser(const QString& socketName)
{
    const QFileInfo socket(socketName);
    return !socket.exists() || socket.ownerId() == ::getuid();
}

bool SomeoneAnswers(const QString& socketName)
{
    QLocalSocket probe;
    probe.connectToServer(socketName);
    return probe.waitForConnected(kAnswerMilliseconds);
}

}  // namespace

QString InstanceSocketName()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder = !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
    return QStringLiteral("%1/q9tx-programmer-%2-%3").arg(folder).arg(::getuid()).arg(SessionTag());
}

bool HandToRunningInstance(const QString& socketName, const QString& path)
{
    if (!OwnedByUser(socketName))
        return false;
    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (!socket.waitForConnected(kAnswerMilliseconds))
        return false;
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << path;
    socket.write(message);
    if (!socket.waitForBytesWritten(kAnswerMilliseconds))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(kAnswerMilliseconds))
            return false;
    }
    return socket.read(1) == QByteArray(1, kTaken);
}

InstanceServer::InstanceServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &InstanceServer::takeConnection);
}

bool InstanceServer::listen(const QString& socketName)
{
    // Checked first: with user-only access the toolkit makes the socket aside and renames
    // it into place, which would take the name from a programmer that runs.
    if (QFileInfo::exists(socketName)) {
        if (!OwnedByUser(socketName) || SomeoneAnswers(socketName))
            return false;
        // Left by a programmer that ended without removing it.
        QLocalServer::removeServer(socketName);
    }
    return server_->listen(socketName);
}

void InstanceServer::takeConnection()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            in.startTransaction();
            QString path;
            in >> path;
            if (!in.commitTransaction())
                return;
            socket->write(QByteArray(1, kTaken));
            socket->flush();
            emit fileHanded(path);
        });
    }
}

void ServeFilesTo(TForm1& window, InstanceServer& server)
{
    QObject::connect(&server, &InstanceServer::fileHanded, &window, [&window](const QString& path) {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
        Guarded([&] { window.LoadSettingsFile(path); });
    });
}

}  // namespace q9tx
