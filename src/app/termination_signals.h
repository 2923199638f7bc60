#pragma once
// SIGTERM, SIGINT and SIGHUP (a session manager, Ctrl+C in a terminal, a logout) reach the
// event loop as a signal of this object, so that the program ends as the user's Exit
// would. The handler only writes the signal's number into a pipe; the event loop reads it.

#include <QObject>

class QSocketNotifier;

namespace q9tx {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; one object at a time. The previous handlers come back
    // when it goes.
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

signals:
    void received(int signalNumber);

private:
    void readPipe();

    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace q9tx
