#pragma once
// HangUpNotice: the port's object on the main thread to which a receive thread
// queues word that its port hung up. The call is made by name and carries no data:
// what it means is in the session's hangUpPending flag, whose atomic store and load
// order the two threads for every checker, not only through Qt's event queue.

#include <QObject>
#include <functional>
#include <utility>

namespace q9tx {

class HangUpNotice : public QObject {
    Q_OBJECT
public:
    explicit HangUpNotice(std::function<void()> onNotice) : onNotice_(std::move(onNotice)) {}

    // Queued by name from the receive thread; runs on the main thread.
    Q_INVOKABLE void notice() { onNotice_(); }

private:
    const std::function<void()> onNotice_;
};

}  // namespace q9tx
