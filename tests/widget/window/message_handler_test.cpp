// The window's handling of the link's messages: status texts, the connected and
// disconnected look, the timer, port problems, and each message keeping its own frame.

#include <vector>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/tform1.h"
#include "editor/status_texts.h"
#include "fake_link.h"
#include "find_control.h"
#include "link/frame.h"
#include "link/serial_port.h"

using q9tx::WindowMessage;
using Bytes = std::vector<std::uint8_t>;

namespace {

WindowMessage Message(int number, std::uint32_t code, const Bytes& payload = {})
{
    WindowMessage message;
    message.message = number;
    message.code = code;
    if (!payload.empty() || number == q9tx::WM_PAGER_PORT_PROBLEM) {
        message.frame.reserve(payload.size() + 1);
        message.frame.push_back(static_cast<std::uint8_t>(payload.size()));
        for (std::uint8_t byte : payload)
            message.frame.push_back(byte);
    }
    return message;
}

WindowMessage Link(std::uint32_t code, const Bytes& payload = {}) { return Message(q9tx::WM_PAGER_LINK, code, payload); }

Bytes Text(const char* text) { return Bytes(text, text + qstrlen(text)); }

// Identification replies: model, map version, feature byte, unused, firmware number, version.
const Bytes kD7 = {0x08, 0, 0, 0, 7, 0};
const Bytes kV2 = {0x08, 0, 0, 0, 7, 2};
const Bytes kFiveBytes = {0x08, 0, 0, 0, 7};
const Bytes kNewMap = {0x08, 1, 0, 0, 7, 2};
const Bytes kFeatures = {0x08, 0, 1, 0, 9, 0};

}  // namespace

class MessageHandlerTest : public QObject {
    Q_OBJECT

private:
    void deliver(const std::vector<WindowMessage>& messages)
    {
        for (const WindowMessage& message : messages)
            window_->postMessage(message);
        QCoreApplication::sendPostedEvents(window_.get());
    }

private slots:
    void init()
    {
        link_ = std::make_unique<FakeLink>();
        window_ = std::make_unique<TForm1>(*link_);
    }
    void cleanup()
    {
        window_.reset();
        link_.reset();
    }

    void pagerLink_data()
    {
        QTest::addColumn<std::vector<WindowMessage>>("messages");
        QTest::addColumn<QString>("status");
        QTest::addColumn<bool>("commandsEnabled");
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<int>("informationRequests");
        QTest::addColumn<bool>("escalatingShown");
        QTest::addColumn<QString>("indicator");  // with ttyUSB0 open, while a hint covers the status text

        const QString connected = q9tx::StatusText(q9tx::StatusPagerConnected);
        QTest::newRow("3 connected, D7") << std::vector{Link(3, kD7)} << connected << true << "D7" << 1 << false
                                         << "ttyUSB0: pager D7";
        QTest::newRow("3 connected, V2") << std::vector{Link(3, kV2)} << connected << true << "V2" << 1 << false
                                         << "ttyUSB0: pager V2";
        QTest::newRow("3 with features") << std::vector{Link(3, kFeatures)} << connected << true << "D9" << 1 << true
                                         << "ttyUSB0: pager D9";
        QTest::newRow("3 with 5 bytes") << std::vector{Link(3, kFiveBytes)} << connected << false << "--" << 0 << false
                                        << "ttyUSB0: pager --";
        QTest::newRow("4 map too new") << std::vector{Link(4, kNewMap)}
                                       << q9tx::StatusText(q9tx::StatusFirmwareTooNew) << false << "V2" << 1 << true
                                       << "ttyUSB0: pager V2, too new for this program";
        QTest::newRow("5 unsupported") << std::vector{Link(5, kV2)} << q9tx::StatusText(q9tx::StatusPagerUnsupported)
                                       << false << "--" << 0 << false << "ttyUSB0: pager of another model";
        QTest::newRow("6 after 3") << std::vector{Link(3, kD7), Link(6)}
                                   << q9tx::StatusText(q9tx::StatusPagerDisconnected) << false << "--" << 1 << false
                                   << "ttyUSB0: waiting for a pager";
        QTest::newRow("4 after 3") << std::vector{Link(3, kD7), Link(4, kNewMap)}
                                   << q9tx::StatusText(q9tx::StatusFirmwareTooNew) << false << "V2" << 2 << true
                                   << "ttyUSB0: pager V2, too new for this program";
        QTest::newRow("7 keeps the status") << std::vector{Link(3, kD7), Link(7, Text("Q9TX v1"))} << connected << true
                                            << "D7" << 1 << false << "ttyUSB0: pager D7";
        QTest::newRow("unknown code") << std::vector{Link(3, kD7), Link(2), Link(99)} << connected << true << "D7" << 1
                                      << false << "ttyUSB0: pager D7";
    }

    void pagerLink()
    {
        QFETCH(std::vector<WindowMessage>, messages);
        QFETCH(QString, status);
        QFETCH(bool, commandsEnabled);
        QFETCH(QString, firmware);
        QFETCH(int, informationRequests);
        QFETCH(bool, escalatingShown);
        QFETCH(QString, indicator);
        link_->openPort = "ttyUSB0";
        deliver(messages);
        QCOMPARE(window_->statusText(), status);
        QCOMPARE(window_->ReadFromPager1->isEnabled(), commandsEnabled);
        QCOMPARE(window_->WriteToPager1->isEnabled(), commandsEnabled);
        QCOMPARE(Control<QLabel>(*window_, QStringLiteral("firmware"))->text(), firmware);
        QCOMPARE(static_cast<int>(link_->sent.size()), informationRequests);
        for (const SentFrame& frame : link_->sent) {
            QCOMPARE(frame.command, static_cast<std::uint8_t>(q9tx::CmdInformationText));
            QVERIFY(frame.payload.empty());
        }
        QCOMPARE(!Control<QCheckBox>(*window_, QStringLiteral("escalatingAlerts"))->isHidden(), escalatingShown);
        QCOMPARE(link_->seen.size(), messages.size());
        window_->show();
        QStatusTipEvent hover(QStringLiteral("Receiving channels"));
        QCoreApplication::sendEvent(window_.get(), &hover);
        QVERIFY(window_->linkIndicator->isVisible());
        QCOMPARE(window_->linkIndicator->text(), indicator);
    }

    void mapVersionFollowsTheIdentification()
    {
        deliver({Link(3, kD7)});
        QCOMPARE(Control<QComboBox>(*window_, QStringLiteral("mapVersion"))->currentIndex(), 0);
        deliver({Link(4, kNewMap)});
        QCOMPARE(Control<QComboBox>(*window_, QStringLiteral("mapVersion"))->currentIndex(),
                 -1);  // the list knows map 0 only
        deliver({Link(6)});
        QCOMPARE(Control<QComboBox>(*window_, QStringLiteral("mapVersion"))->currentIndex(), 0);
    }

    void informationTextBecomesTheFirmwareHint_data()
    {
        QTest::addColumn<Bytes>("payload");
        QTest::addColumn<int>("lengthByte");
        QTest::addColumn<QString>("hint");
        QTest::newRow("whole text") << Text("Q9TX 2.0") << 8 << "Q9TX 2.0";
        QTest::newRow("ends at zero") << Bytes{'A', 'B', 0, 'C'} << 4 << "AB";
        QTest::newRow("length byte shorter") << Text("ABCDEF") << 3 << "ABC";
        QTest::newRow("length byte beyond the frame") << Text("ABC") << 32 << "ABC";
        QTest::newRow("empty") << Bytes{} << 0 << "";
    }

    void informationTextBecomesTheFirmwareHint()
    {
        QFETCH(Bytes, payload);
        QFETCH(int, lengthByte);
        QFETCH(QString, hint);
        WindowMessage message = Link(7, payload);
        if (message.frame.empty())
            message.frame.push_back(0);
        message.frame[0] = static_cast<std::uint8_t>(lengthByte);
        deliver({message});
        QCOMPARE(Control<QLabel>(*window_, QStringLiteral("firmware"))->statusTip(), hint);
        deliver({Link(6)});
        QCOMPARE(Control<QLabel>(*window_, QStringLiteral("firmware"))->statusTip(), QString());
    }

    // The link's buffer holds the next frame before the window has handled the first;
    // each posted message must still report its own.
    void postedMessagesKeepTheirOwnFrames()
    {
        WindowMessage block = Message(q9tx::WM_PAGER_BLOCK, 1, Bytes(32, 0x11));
        window_->postMessage(block);
        block.code = 2;
        std::fill(block.frame.begin() + 1, block.frame.end(), 0x22);
        window_->postMessage(block);
        QCoreApplication::sendPostedEvents(window_.get());
        QCOMPARE(link_->seen.size(), std::size_t{2});
        QCOMPARE(link_->seen[0].code, 1u);
        QCOMPARE(link_->seen[0].frame, Message(0, 0, Bytes(32, 0x11)).frame);
        QCOMPARE(link_->seen[1].frame, Message(0, 0, Bytes(32, 0x22)).frame);
    }

    void disconnectEndsATransfer()
    {
        window_->progress->show();
        Control<QWidget>(*window_, QStringLiteral("settings"))->setEnabled(false);
        window_->writeInProgress = true;
        deliver({Link(3, kD7), Link(6)});
        QVERIFY(window_->progress->isHidden());
        QVERIFY(Control<QWidget>(*window_, QStringLiteral("settings"))->isEnabled());
        QVERIFY(!window_->writeInProgress);
    }

    void noAdapterStopsTheTimerUntilADeviceChange()
    {
        deliver({Link(1)});
        QVERIFY(!window_->Timer1->isActive());
        QCOMPARE(window_->Timer1->interval(), 1000);

        deliver({Message(q9tx::WM_DEVICECHANGE, q9tx::DBT_DEVNODES_CHANGED)});
        QVERIFY(!window_->Timer1->isActive());

        link_->restartOnDeviceEvent = true;
        deliver({Message(q9tx::WM_DEVICECHANGE, q9tx::DBT_DEVICEARRIVAL)});
        QVERIFY(window_->Timer1->isActive());
        QCOMPARE(window_->Timer1->interval(), 50);
        const int ticks = link_->ticks;
        window_->Timer1Timer();
        QCOMPARE(link_->ticks, ticks + 1);
    }

    void timerWithoutRoutineDoesNothing()
    {
        window_->ArmTimer(1000, {});
        const int ticks = link_->ticks;
        window_->Timer1Timer();
        QCOMPARE(link_->ticks, ticks);
        QVERIFY(!window_->Timer1->isActive());
    }

    void portProblems_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("status");
        QTest::newRow("permission") << static_cast<int>(q9tx::OpenFailure::PermissionDenied)
                                    << "Cannot open ttyUSB0: permission denied. Add your user to the dialout group "
                                       "and log in again.";
        QTest::newRow("busy") << static_cast<int>(q9tx::OpenFailure::Busy)
                              << "Cannot open ttyUSB0: another program is using it. Close that program.";
        QTest::newRow("other") << static_cast<int>(q9tx::OpenFailure::Other) << "Cannot open ttyUSB0.";
    }

    void portProblems()
    {
        QFETCH(int, reason);
        QFETCH(QString, status);
        deliver({Message(q9tx::WM_PAGER_PORT_PROBLEM, static_cast<std::uint32_t>(reason), Text("ttyUSB0"))});
        QCOMPARE(window_->statusText(), status);
        QCOMPARE(window_->linkIndicator->text(), status);
        // Another port that opens is the one awaited now.
        link_->openPort = "ttyUSB1";
        window_->Timer1Timer();
        QCOMPARE(window_->linkIndicator->text(), QStringLiteral("ttyUSB1: waiting for a pager"));
    }

    // A device the user named: every reason is told, and the permission text names the
    // group that owns the node, whichever the distribution uses.
    void namedPortProblems_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("status");  // %1: the port, %2: the node's group
        QTest::newRow("permission") << static_cast<int>(q9tx::OpenFailure::PermissionDenied)
                                    << "Cannot open %1: permission denied. Add your user to the %2 group and log in "
                                       "again.";
        QTest::newRow("missing") << static_cast<int>(q9tx::OpenFailure::NotFound)
                                 << "Cannot open %1: there is no such device.";
        QTest::newRow("no serial port") << static_cast<int>(q9tx::OpenFailure::NotSerial)
                                        << "Cannot open %1: it is not a serial port.";
    }

    void namedPortProblems()
    {
        QFETCH(int, reason);
        QFETCH(QString, status);
        QTemporaryDir dir;
        const QString node = dir.filePath(QStringLiteral("ttyNamed"));
        QFile file(node);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QString group = QFileInfo(node).group();
        QVERIFY(!group.isEmpty());
        const QByteArray name = node.toLocal8Bit();
        deliver({Message(q9tx::WM_PAGER_PORT_PROBLEM, static_cast<std::uint32_t>(reason),
                         Bytes(name.begin(), name.end()))});
        QCOMPARE(window_->statusText(), status.arg(node, group));
    }

    // Without any adapter the status bar says what to do, unless it already says something.
    void noAdapterSaysWhatToDo_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("nothing shown") << ""
                                       << "No USB-serial cable found. Connect the cable, or choose its port in the "
                                          "Port menu (q9tx: --port).";
        QTest::newRow("pager lost") << "Pager disconnected." << "Pager disconnected.";
        QTest::newRow("port problem") << "Cannot open ttyS4: there is no such device."
                                      << "Cannot open ttyS4: there is no such device.";
    }

    void noAdapterSaysWhatToDo()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        window_->setStatusText(before);
        deliver({Link(q9tx::LinkNoAdapter)});
        QCOMPARE(window_->statusText(), after);
        QVERIFY(!window_->Timer1->isActive());
        QCOMPARE(window_->linkIndicator->text(),
                 QStringLiteral("No cable: connect it, or choose its port in the Port menu (q9tx: --port)"));
    }

    // A hint shown while the mouse rests on a control covers the status text only for
    // that time.
    void hoverHintLeavesTheStatusText()
    {
        deliver({Link(3, kD7)});
        QStatusTipEvent hover(QStringLiteral("Receiving channels"));
        QCoreApplication::sendEvent(window_.get(), &hover);
        QCOMPARE(window_->StatusBar1->currentMessage(), QStringLiteral("Receiving channels"));
        QCOMPARE(window_->statusText(), q9tx::StatusText(q9tx::StatusPagerConnected));
        QStatusTipEvent away{QString()};
        QCoreApplication::sendEvent(window_.get(), &away);
        QCOMPARE(window_->StatusBar1->currentMessage(), QString());
        QCOMPARE(window_->statusText(), q9tx::StatusText(q9tx::StatusPagerConnected));
    }

    void statusTextArguments()
    {
        QCOMPARE(q9tx::StatusText(q9tx::StatusSavedTo, QStringLiteral("/tmp/a%s b.bin")),
                 QStringLiteral("Saved data to /tmp/a%s b.bin."));
        QCOMPARE(q9tx::StatusText(q9tx::StatusReading, QStringLiteral("x")), QStringLiteral("Reading..."));
        QCOMPARE(q9tx::StatusText(1402), QString());
    }

private:
    std::unique_ptr<FakeLink> link_;
    std::unique_ptr<TForm1> window_;
};

QTEST_MAIN(MessageHandlerTest)
#include "message_handler_test.moc"
