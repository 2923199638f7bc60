// The general error box: an exception escaping a handler is reported and the
// application goes on.

#include <stdexcept>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QTest>

#include "app/q9tx_application.h"
#include "app/tform1.h"
#include "editor/error_box.h"
#include "editor/status_texts.h"
#include "fake_link.h"
#include "find_control.h"
#include "image/status_error.h"

namespace {

enum class Thrown { Conversion, Status, Standard, NotAnException };

[[noreturn]] void Throw(Thrown kind)
{
    switch (kind) {
    case Thrown::Conversion:
        throw q9tx::ConversionError("'4x7' is not a valid integer value");
    case Thrown::Status:
        throw q9tx::StatusError(q9tx::StatusCannotWrite);
    case Thrown::Standard:
        throw std::runtime_error("broken");
    case Thrown::NotAnException:
        throw 42;
    }
    throw 0;
}

// An object whose event handler lets an exception escape into Qt.
class Thrower : public QObject {
public:
    Thrown kind = Thrown::Standard;
    int handled = 0;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        ++handled;
        Throw(kind);
    }
};

}  // namespace

Q_DECLARE_METATYPE(Thrown)

class ErrorBoxTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        reported_.clear();
        previous_ = q9tx::SetErrorReporter([this](const QString& text) { reported_ << text; });
    }
    void cleanup() { q9tx::SetErrorReporter(previous_); }

    void texts_data()
    {
        QTest::addColumn<Thrown>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("conversion") << Thrown::Conversion << "'4x7' is not a valid integer value";
        QTest::newRow("status") << Thrown::Status << "Cannot write. Please try again.";
        QTest::newRow("standard") << Thrown::Standard << "broken";
        QTest::newRow("not an exception") << Thrown::NotAnException << "";
    }

    void texts()
    {
        QFETCH(Thrown, kind);
        QFETCH(QString, text);
        q9tx::Guarded([kind] { Throw(kind); });
        QCOMPARE(reported_, QStringList{text});
    }

    // The application object is the last guard: a posted event whose handler throws
    // is reported and the next event is handled as usual.
    void applicationGoesOn()
    {
        Thrower thrower;
        thrower.kind = Thrown::Conversion;
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QCoreApplication::sendPostedEvents(&thrower);
        QCOMPARE(thrower.handled, 2);
        QCOMPARE(reported_.size(), 2);
        QCOMPARE(reported_.front(), QStringLiteral("'4x7' is not a valid integer value"));
    }

    void windowKeepsWorkingAfterAThrowingMessage()
    {
        FakeLink link;
        TForm1 window(link);
        link.onDeviceEvent = [](const q9tx::WindowMessage& message) {
            if (message.message == q9tx::WM_DEVICECHANGE)
                throw q9tx::ConversionError("'' is not a valid integer value");
        };
        q9tx::WindowMessage change;
        change.message = q9tx::WM_DEVICECHANGE;
        q9tx::WindowMessage connected;
        connected.message = q9tx::WM_PAGER_LINK;
        connected.code = q9tx::LinkPagerSupported;
        connected.frame = {6, 0x08, 0, 0, 0, 7, 0};
        window.postMessage(change);
        window.postMessage(connected);
        QCoreApplication::sendPostedEvents(&window);
        QCOMPARE(reported_, QStringList{"'' is not a valid integer value"});
        QCOMPARE(window.statusText(), q9tx::StatusText(q9tx::StatusPagerConnected));
        QCOMPARE(Control<QLabel>(window, QStringLiteral("firmware"))->text(), QStringLiteral("D7"));
        QVERIFY(window.ReadFromPager1->isEnabled());
    }

    void reporterCanBeRestored()
    {
        const q9tx::ErrorReporter mine = q9tx::SetErrorReporter({});
        QVERIFY(mine);
        q9tx::SetErrorReporter(mine);
        q9tx::ReportError(QStringLiteral("x"));
        QCOMPARE(reported_, QStringList{"x"});
    }

private:
    QStringList reported_;
    q9tx::ErrorReporter previous_;
};

int main(int argc, char** argv)
{
    Q9txApplication app(argc, argv);
    ErrorBoxTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "error_box_test.moc"
