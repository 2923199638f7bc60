#pragma once
// TReceiveThread: waits for bytes on the open port, collects them in the session's
// ring and, whenever no more are waiting (or the ring is full), hands them to the
// main thread through a blocking queued call and waits for it.

#include <QThread>
#include <memory>

#include "link/posix/receive_session.h"

namespace q9tx {

class TReceiveThread : public QThread {
    Q_OBJECT
public:
    explicit TReceiveThread(std::shared_ptr<ReceiveSession> session);

    const std::shared_ptr<ReceiveSession>& session() const { return session_; }

protected:
    void run() override;

private:
    // Runs on the main thread, called from run() with Qt::BlockingQueuedConnection.
    Q_INVOKABLE void handOver();

    // True when the port gave bytes; false when it has hung up or failed, after
    // which the thread only waits for ClosePort.
    bool readAvailable(ReceiveSession& session, bool portSignalledTrouble);

    const std::shared_ptr<ReceiveSession> session_;
};

}  // namespace q9tx
