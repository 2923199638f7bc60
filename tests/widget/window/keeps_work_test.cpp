// The window keeps the user's work: edits are let go only after a question, a close
// waits for the transfer under way, the link's state stays in view, and the focus comes
// back after a command.

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/close_guard.h"
#include "app/link_indicator_text.h"
#include "conversion_support.h"
#include "image/config_image.h"

using namespace q9tx;

namespace {

const std::vector<std::uint8_t> kD7 = {0x08, 0, 0, 0, 7, 0};

void Deliver(TForm1& window, const WindowMessage& message)
{
    window.postMessage(message);
    QCoreApplication::sendPostedEvents(&window);
}

void Connect(TestWindow& test)
{
    std::vector<std::uint8_t> frame{std::uint8_t(kD7.size())};
    frame.insert(frame.end(), kD7.begin(), kD7.end());
    Deliver(*test, {WM_PAGER_LINK, LinkPagerSupported, 0, frame});
}

// The pager's answers to a read: every block of `image`, or only the first `blocks`.
void Answer(TForm1& window, const ConfigImage& image, int blocks = int(kBlockCount))
{
    for (int block = 0; block < blocks; ++block) {
        std::vector<std::uint8_t> frame{std::uint8_t(kBlockSize)};
        frame.insert(frame.end(), image.begin() + block * kBlockSize, image.begin() + (block + 1) * kBlockSize);
        Deliver(window, {WM_PAGER_BLOCK, std::uint32_t(block + 1), 0, frame});
    }
}

ConfigImage ImageWithBanner(const QString& banner)
{
    TestWindow source;
    source->findChild<QLineEdit*>(QStringLiteral("banner"))->setText(banner);
    return source->EncodeImage(std::nullopt);
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const ConfigImage& image)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(reinterpret_cast<const char*>(image.data()), qint64(image.size()));
    return path;
}

}  // namespace

class KeepsWorkTest : public QObject {
    Q_OBJECT
private slots:
    void indicatorText_data();
    void indicatorText();
    void closeGuard_data();
    void closeGuard();
    void editsGoOnlyAfterAQuestion_data();
    void editsGoOnlyAfterAQuestion();
    void closeWaitsForTheRead_data();
    void closeWaitsForTheRead();
    void readOutcomeStaysInView_data();
    void readOutcomeStaysInView();
    void portMenuChoosesThePort();
};

void KeepsWorkTest::indicatorText_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("activity");
    QTest::addColumn<bool>("closing");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, LinkPhase phase, LinkActivity activity, bool closing, const char* serial,
                        const char* outcome, const char* text) {
        QTest::newRow(name) << int(phase) << int(activity) << closing << serial << outcome << text;
    };
    row("no cable", LinkPhase::NoCable, LinkActivity::None, false, "", "",
        "No cable: connect it, or choose its port in the Port menu (q9tx: --port)");
    row("port problem", LinkPhase::PortProblem, LinkActivity::None, false, "", "",
        "Cannot open ttyUSB0: another program is using it.");
    row("waiting", LinkPhase::Waiting, LinkActivity::None, false, "", "", "ttyUSB0: waiting for a pager");
    row("connected", LinkPhase::Connected, LinkActivity::None, false, "", "", "ttyUSB0: pager V2");
    row("connected, read", LinkPhase::Connected, LinkActivity::None, false, "00123456", "read completed",
        "ttyUSB0: pager V2, SN 00123456 - read completed");
    row("failed read while waiting", LinkPhase::Waiting, LinkActivity::None, false, "",
        "read failed: Pager disconnected.", "ttyUSB0: waiting for a pager - read failed: Pager disconnected.");
    row("reading", LinkPhase::Connected, LinkActivity::Reading, false, "", "", "ttyUSB0: reading ...");
    row("writing, closing", LinkPhase::Connected, LinkActivity::Writing, true, "", "write completed",
        "ttyUSB0: writing ... (closing when done)");
    row("too new", LinkPhase::TooNew, LinkActivity::None, false, "", "", "ttyUSB0: pager V2, too new for this program");
    row("unsupported", LinkPhase::Unsupported, LinkActivity::None, false, "", "", "ttyUSB0: pager of another model");
}

void KeepsWorkTest::indicatorText()
{
    QFETCH(int, phase);
    QFETCH(int, activity);
    QFETCH(bool, closing);
    QFETCH(QString, serial);
    QFETCH(QString, outcome);
    QFETCH(QString, text);
    LinkView view;
    view.phase = LinkPhase(phase);
    view.port = QStringLiteral("ttyUSB0");
    view.firmware = QStringLiteral("V2");
    view.serial = serial;
    view.problem = QStringLiteral("Cannot open ttyUSB0: another program is using it.");
    view.activity = LinkActivity(activity);
    view.closing = closing;
    view.outcome = outcome;
    QCOMPARE(LinkIndicatorText(view), text);
}

void KeepsWorkTest::closeGuard_data()
{
    QTest::addColumn<QList<int>>("running");  // the transfer at each request
    QTest::addColumn<QList<int>>("steps");
    const int none = int(RunningTransfer::None), read = int(RunningTransfer::Read), write = int(RunningTransfer::Write);
    const int close = int(CloseStep::Close), wait = int(CloseStep::Wait), ask = int(CloseStep::AskToStop);
    QTest::newRow("idle") << QList<int>{none} << QList<int>{close};
    QTest::newRow("write, then idle") << QList<int>{write, none} << QList<int>{wait, close};
    QTest::newRow("write asked twice") << QList<int>{write, write, write} << QList<int>{wait, ask, ask};
    QTest::newRow("read asked twice") << QList<int>{read, read} << QList<int>{wait, close};
    QTest::newRow("read, then write") << QList<int>{read, write} << QList<int>{wait, ask};
}

void KeepsWorkTest::closeGuard()
{
    QFETCH(QList<int>, running);
    QFETCH(QList<int>, steps);
    CloseGuard guard;
    for (int i = 0; i < running.size(); ++i)
        QCOMPARE(int(guard.Request(RunningTransfer(running[i]))), steps[i]);
    QCOMPARE(guard.TransferEnded(), steps.back() != int(CloseStep::Close));
    QVERIFY(!guard.TransferEnded());
}

void KeepsWorkTest::editsGoOnlyAfterAQuestion_data()
{
    QTest::addColumn<QString>("path");  // what would replace the editor's settings
    QTest::addColumn<QString>("edit");  // typed, toggled back, by a rule, none
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("replaced");
    const int cancel = QMessageBox::Cancel, discard = QMessageBox::Discard, save = QMessageBox::Save;
    for (const char* path : {"read", "open", "load", "close"}) {
        const QByteArray name(path);
        QTest::newRow(name + ", typed, cancel") << path << "typed" << cancel << true << false;
        QTest::newRow(name + ", typed, discard") << path << "typed" << discard << true << true;
        QTest::newRow(name + ", typed, save") << path << "typed" << save << true << true;
        QTest::newRow(name + ", unchanged") << path << "none" << cancel << false << true;
    }
    QTest::newRow("close, toggled back") << "close" << "toggled back" << cancel << false << true;
    QTest::newRow("load, by a rule") << "load" << "by a rule" << cancel << false << true;
}

void KeepsWorkTest::editsGoOnlyAfterAQuestion()
{
    QFETCH(QString, path);
    QFETCH(QString, edit);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, replaced);
    QTemporaryDir dir;
    const ConfigImage fromFile = ImageWithBanner(QStringLiteral("FROM FILE"));
    const QString file = WriteFile(dir, QStringLiteral("other.bin"), fromFile);
    TestWindow test;
    test->show();
    QVERIFY(QTest::qWaitForWindowExposed(test.window.get()));
    auto* banner = test->findChild<QLineEdit*>(QStringLiteral("banner"));
    auto* nightMode = test->findChild<QCheckBox*>(QStringLiteral("nightMode"));
    QStringList questions;
    test->QuestionBox1 = [&](const QString&, const QString& text, QMessageBox::StandardButtons) {
        questions << text;
        return QMessageBox::StandardButton(answer);
    };
    const QString saved = dir.filePath(QStringLiteral("saved.bin"));
    test->SaveDialog1 = [&](const QString&) { return std::optional<QString>(saved); };
    test->OpenDialog1 = [&](const QString&) { return std::optional<QString>(file); };
    if (edit == QLatin1String("typed")) {
        banner->selectAll();  // the banner is full
        QTest::keyClicks(banner, QStringLiteral("MINE"));
    } else if (edit == QLatin1String("toggled back")) {
        QTest::mouseClick(nightMode, Qt::LeftButton);
        QVERIFY(test->isWindowModified());
        QTest::mouseClick(nightMode, Qt::LeftButton);
    } else if (edit == QLatin1String("by a rule")) {
        banner->setText(QStringLiteral("SET"));
    }
    const QString before = banner->text();
    QCOMPARE(test->isWindowModified(), asked);
    QVERIFY(test->windowTitle().contains(QLatin1String("[*]")));

    bool closed = false;
    if (path == QLatin1String("read")) {
        Connect(test);
        test->ReadFromPager1->trigger();
        Answer(*test, fromFile);
    } else if (path == QLatin1String("open")) {
        test->Open1->trigger();
    } else if (path == QLatin1String("load")) {
        test->LoadSettingsFile(file);
    } else {
        closed = test->close();
    }
    QCOMPARE(questions.size(), asked ? 1 : 0);
    if (path == QLatin1String("close"))
        QCOMPARE(closed, replaced);
    else
        QCOMPARE(banner->text(), replaced ? QStringLiteral("FROM FILE") : before);
    QCOMPARE(QFile::exists(saved), answer == QMessageBox::Save && asked);
    // What was kept is still a change; what replaced it, or was saved, is not.
    QCOMPARE(test->settingsModified(), asked && (path == QLatin1String("close") ? answer != int(QMessageBox::Save) : !replaced));
    QVERIFY(test.errors.isEmpty());
}

void KeepsWorkTest::closeWaitsForTheRead_data()
{
    QTest::addColumn<int>("requests");
    QTest::addColumn<bool>("closedBeforeTheEnd");
    QTest::newRow("once: after the read") << 1 << false;
    QTest::newRow("twice: at once") << 2 << true;
}

void KeepsWorkTest::closeWaitsForTheRead()
{
    QFETCH(int, requests);
    QFETCH(bool, closedBeforeTheEnd);
    TestWindow test;
    test.link.openPort = "ttyS3";
    test->show();
    QVERIFY(QTest::qWaitForWindowExposed(test.window.get()));
    Connect(test);
    test->ReadFromPager1->trigger();
    for (int i = 0; i < requests; ++i)
        test->Exit1->trigger();
    QCOMPARE(test->isVisible(), !closedBeforeTheEnd);
    if (!closedBeforeTheEnd) {
        QCOMPARE(test->statusText(), QStringLiteral("Closing after the read..."));
        QCOMPARE(test->linkIndicator->text(), QStringLiteral("ttyS3: reading ... (closing when done)"));
        Answer(*test, ImageWithBanner(QStringLiteral("READ")));
        QTRY_VERIFY(!test->isVisible());
        QCOMPARE(test->findChild<QLineEdit*>(QStringLiteral("banner"))->text(), QStringLiteral("READ"));
    }
}

void KeepsWorkTest::readOutcomeStaysInView_data()
{
    QTest::addColumn<int>("blocks");  // answered before the pager is lost, all for none lost
    QTest::addColumn<QString>("indicator");  // after the pager has answered again
    QTest::newRow("completed") << int(kBlockCount) << "ttyS3: pager D7 - read completed";
    QTest::newRow("lost midway") << 5 << "ttyS3: pager D7 - read failed: Pager disconnected.";
}

void KeepsWorkTest::readOutcomeStaysInView()
{
    QFETCH(int, blocks);
    QFETCH(QString, indicator);
    TestWindow test;
    test.link.openPort = "ttyS3";
    test->show();
    QVERIFY(QTest::qWaitForWindowExposed(test.window.get()));
    test->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(test.window.get()));
    Connect(test);
    auto* banner = test->findChild<QLineEdit*>(QStringLiteral("banner"));
    banner->setFocus();
    test->ReadFromPager1->trigger();
    Answer(*test, ImageWithBanner(QStringLiteral("READ")), blocks);
    if (blocks < int(kBlockCount))
        Deliver(*test, {WM_PAGER_LINK, LinkPagerLost, 0, {}});
    Connect(test);
    QCOMPARE(test->statusText(), QStringLiteral("Pager connected."));
    QCOMPARE(test->linkIndicator->text(), indicator);
    QCOMPARE(QApplication::focusWidget(), banner);
}

void KeepsWorkTest::portMenuChoosesThePort()
{
    TestWindow test;
    test->PortCatalog1 = [] {
        SerialPortEntry ftdi{"ttyUSB1", "FTDI", "FT232R USB UART", "A1B2", "ftdi_sio", false};
        SerialPortEntry pty{"/dev/pts/7", "", "", "", "", false};
        return std::vector<SerialPortEntry>{ftdi, pty};
    };
    test->Port1->aboutToShow();
    QStringList captions;
    for (QAction* item : test->Port1->actions())
        captions << item->text();
    QCOMPARE(captions, (QStringList{"&Automatic", "", "FTDI FT232R USB UART, SN A1B2, ftdi_sio (/dev/ttyUSB1)",
                                    "/dev/pts/7"}));
    QVERIFY(test->Port1->actions().front()->isChecked());
    test->Port1->findChild<QAction*>(QStringLiteral("port:ttyUSB1"))->trigger();
    test->Port1->aboutToShow();
    QVERIFY(test->Port1->findChild<QAction*>(QStringLiteral("port:ttyUSB1"))->isChecked());
    test->Port1->findChild<QAction*>(QStringLiteral("Automatic1"))->trigger();
    QCOMPARE(test.link.chosen, (std::vector<std::string>{"ttyUSB1", ""}));
    QVERIFY(test->Timer1->isActive());
}

QTEST_MAIN(KeepsWorkTest)
#include "keeps_work_test.moc"
