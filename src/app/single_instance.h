#pragma once
// One window per user session for files opened from the desktop: a start with only a
// settings file hands it to the programmer already running, which loads it, and ends.
// The running window listens on a local socket that only its user may reach, named per
// user and per desktop session.

#include <QObject>
#include <QString>

class QLocalServer;
class TForm1;

namespace q9tx {

// The socket's name (a path) for this user and desktop session.
QString InstanceSocketName();

// Gives the file (an absolute path) to the programmer listening on `socketName`; true
// once it has taken it, false when none listens or it does not answer in time.
bool HandToRunningInstance(const QString& socketName, const QString& path);

// Listens for files handed over by later starts. A socket left by a programmer that
// crashed is replaced; one that answers belongs to another running programmer, which
// keeps it.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(QObject* parent = nullptr);

    // False when another programmer listens on that name or the socket cannot be made.
    bool listen(const QString& socketName);

signals:
    void fileHanded(const QString& path);

private:
    void takeConnection();

    QLocalServer* server_;
};

// Raises the window and loads each file handed over, as a file dropped on it.
void ServeFilesTo(TForm1& window, InstanceServer& server);

}  // namespace q9tx
