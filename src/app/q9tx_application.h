#pragma once
// The application object. Its notify() is the last guard of the general error box:
// an exception that a handler let escape is reported here instead of ending the run.

#include <QApplication>

class Q9txApplication : public QApplication {
    Q_OBJECT
public:
    Q9txApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
