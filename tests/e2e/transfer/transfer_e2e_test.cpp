// Read, write and recovery mode through the real window, link and serial port against
// the simulated pager on a pseudo-terminal.

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QtTest>

#include "conversion_support.h"
#include "editor/addresses_page.h"
#include "editor/settings_editor.h"
#include "find_control.h"
#include "image/rf_word.h"
#include "link/frame.h"
#include "pager_bench.h"
#include "transfer_checks.h"
#include "transfer_test_support.h"

using namespace q9tx;
using q9tx::sim::ReceivedFrame;

// Fails with the text the status bar shows instead.
#define VERIFY_STATUS(window, reached) QVERIFY2(reached, qPrintable((window).statusText()))

namespace {

constexpr int kTransferMs = 4000;

// Waits for the status bar to show `text`.
bool Reaches(const TForm1& window, const QString& text, int timeoutMs = kTransferMs)
{
    return QTest::qWaitFor([&] { return window.statusText() == text; }, timeoutMs);
}

// Gives the command and waits for its outcome in the status bar.
bool Run(const TForm1& window, QAction* command, const QString& outcome)
{
    command->trigger();
    return Reaches(window, outcome);
}

}  // namespace

class TransferEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void readShowsThePagersImage();
    void writeSendsTheEditorAroundThePagersHeader();
    void lostReplyEndsTheTransfer_data();
    void lostReplyEndsTheTransfer();
    void unsupportedHeaderWritesNothing();
    void recoveryModeChoosesTheChip_data();
    void recoveryModeChoosesTheChip();
    void whatWasWrittenReadsBack();
    void slowVerificationCompletesTheWrite();
    void closeDuringAWriteWaitsForTheVerdict_data();
    void closeDuringAWriteWaitsForTheVerdict();
    void portMenuChoosesAnotherPager();
};

void TransferEndToEndTest::readShowsThePagersImage()
{
    PagerBench bench;
    QVERIFY2(bench.started, bench.pager.error().c_str());
    TForm1& window = bench.open();
    VERIFY_STATUS(window, Reaches(window, QStringLiteral("Pager connected."), 2000));
    TestWindow decoded;
    decoded->DecodeImage(AsConfigImage(bench.pager.image()));
    QVERIFY(!CarriedDifferences(*decoded, window).isEmpty());

    VERIFY_STATUS(window, Run(window, window.ReadFromPager1, QStringLiteral("Read completed.")));
    QCOMPARE(Commands(TransferFrames(bench.pager)), Range(0x60, 0x6F));
    QCOMPARE(CarriedDifferences(*decoded, window), QStringList());
    QVERIFY(window.progress->isHidden() && Control<QWidget>(window, QStringLiteral("settings"))->isEnabled());
    QVERIFY(bench.errors.isEmpty());
}

void TransferEndToEndTest::writeSendsTheEditorAroundThePagersHeader()
{
    PagerBench bench;
    QVERIFY(bench.started);
    sim::ImageBytes pagerImage = bench.pager.image();
    // A header of this pager's own: every byte but magic and version differs from ours.
    for (std::size_t i = kOriginWordOffset; i < kHeaderSize; ++i)
        pagerImage[i] = static_cast<std::uint8_t>(0xA0 + i);
    bench.pager.setImage(pagerImage);
    const ImageHeader header = HeaderOf(AsConfigImage(pagerImage));
    TForm1& window = bench.open();
    VERIFY_STATUS(window, Reaches(window, QStringLiteral("Pager connected."), 2000));
    // Slow enough to see each phase.
    sim::PagerFaults slow;
    slow.replyDelay = std::chrono::milliseconds(60);
    bench.pager.setFaults(slow);
    bench.pager.setVerifyTime(std::chrono::milliseconds(600));

    window.WriteToPager1->trigger();
    QCOMPARE(window.statusText(), QStringLiteral("Reading..."));
    for (const char* phase : {"Writing...", "Verifying...", "Write completed."})
        QTRY_COMPARE_WITH_TIMEOUT(window.statusText(), QString::fromLatin1(phase), kTransferMs);

    const std::vector<ReceivedFrame> frames = TransferFrames(bench.pager);
    QCOMPARE(Commands(frames), QList<int>{0x60} + Range(0x70, 0x7F));
    QVERIFY(frames[0].payload.empty());
    QVERIFY(std::equal(header.begin(), header.end(), frames[1].payload.begin(), frames[1].payload.end()));
    QCOMPARE(BytesOf(AsConfigImage(bench.pager.image())), BytesOf(window.EncodeImage(header)));

    // Nothing follows the last acknowledgement but the link's keep-alive.
    const std::size_t received = bench.pager.receivedFrames().size();
    QTRY_VERIFY_WITH_TIMEOUT(bench.pager.receivedFrames().size() > received, kTransferMs);
    QCOMPARE(TransferFrames(bench.pager).size(), frames.size());
}

void TransferEndToEndTest::lostReplyEndsTheTransfer_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<unsigned>("lostReply");  // counted from the transfer's first frame
    QTest::addColumn<QString>("readAfter");

    QTest::newRow("read, block 5") << false << 6u << "Read completed.";
    QTest::newRow("write, header") << true << 1u << "Read completed.";
    // The pager holds blocks 0 to 6 of the new image and the rest of the old one.
    QTest::newRow("write, block 6") << true << 8u << "The content is corrupted.";
}

void TransferEndToEndTest::lostReplyEndsTheTransfer()
{
    QFETCH(bool, write);
    QFETCH(unsigned, lostReply);
    QFETCH(QString, readAfter);
    PagerBench bench;
    QVERIFY(bench.started);
    TForm1& window = bench.open();
    VERIFY_STATUS(window, Reaches(window, QStringLiteral("Pager connected."), 2000));
    // The controls a write takes from the pager's header may change.
    const QStringList before = CarriedValues(window, {"pllChip", "bs2Option", "filterStrength", "preambleError"});

    // A keep-alive still unanswered would take the lost frame's number, and its late
    // answer would cover the loss.
    QTRY_VERIFY(!bench.link->ReplyAwaited());
    sim::PagerFaults faults;
    faults.dropReplyTo = lostReply;
    bench.pager.setFaults(faults);
    QElapsedTimer sinceStart;
    sinceStart.start();
    QAction* command = write ? window.WriteToPager1 : window.ReadFromPager1;
    VERIFY_STATUS(window, Run(window, command, QStringLiteral("Pager disconnected.")));
    const qint64 elapsed = sinceStart.elapsed();
    QVERIFY2(elapsed >= 1800 && elapsed <= 3500, qPrintable(QString::number(elapsed)));
    QVERIFY(!window.transferRunning() && !window.writeInProgress);
    QVERIFY(window.progress->isHidden() && Control<QWidget>(window, QStringLiteral("settings"))->isEnabled());
    QCOMPARE(CarriedValues(window, {"pllChip", "bs2Option", "filterStrength", "preambleError"}), before);

    // The link finds the pager again, and a new read starts from block 0.
    VERIFY_STATUS(window, Reaches(window, QStringLiteral("Pager connected.")));
    bench.pager.clearReceivedFrames();
    VERIFY_STATUS(window, Run(window, window.ReadFromPager1, readAfter));
    QCOMPARE(Commands(TransferFrames(bench.pager)), Range(0x60, 0x6F));
}

void TransferEndToEndTest::unsupportedHeaderWritesNothing()
{
    PagerBench bench;
    QVERIFY(bench.started);
    sim::ImageBytes pagerImage = bench.pager.image();
    pagerImage[1] = 0xAD;
    bench.pager.setImage(pagerImage);
    TForm1& window = bench.open();
    VERIFY_STATUS(window, Reaches(window, QStringLiteral("Pager connected."), 2000));

    VERIFY_STATUS(window, Run(window, window.WriteToPager1, QStringLiteral("Pager unsupported.")));
    QCOMPARE(Commands(TransferFrames(bench.pager)), QList<int>{0x60});
    QVERIFY(bench.pager.image() == pagerImage);
    QVERIFY(!window.writeInProgress);
}

void TransferEndToEndTest::recoveryModeChoosesTheChip_data()
{
    QTest::addColumn<bool>("recovery");
    QTest::addColumn<int>("written");  // the pager's header says 2, "FS8108"

    QTest::newRow("recovery mode, FS8170 chosen") << true << 1;
    QTest::newRow("without recovery mode") << false << 2;
}

void TransferEndToEndTest::recoveryModeChoosesTheChip()
{
    QFETCH(bool, recovery);
    QFETCH(int, written);
    PagerBench bench;
    QVERIFY(bench.started);
    QCOMPARE(bench.pager.image()[kFactoryChipByteOffset], std::uint8_t(0x02));
    TForm1& window = bench.open();
    VERIFY_STATUS(window, Reaches(window, QStringLiteral("Pager connected."), 2000));
    if (recovery)
        window.Recover1->trigger();
    Control<QComboBox>(window, QStringLiteral("pllChip"))->setCurrentIndex(1);

    VERIFY_STATUS(window, Run(window, window.WriteToPager1, QStringLiteral("Write completed.")));
    QCOMPARE(Control<QComboBox>(window, QStringLiteral("pllChip"))->currentIndex(), written);
    QCOMPARE(int(RfChipType(RfWordOf(AsConfigImage(bench.pager.image())))), written);
}

void TransferEndToEndTest::whatWasWrittenReadsBack()
{
    PagerBench bench;
    QVERIFY(bench.started);
    TForm1& window = bench.open();
    VERIFY_STATUS(window, Reaches(window, QStringLiteral("Pager connected."), 2000));
    VERIFY_STATUS(window, Run(window, window.ReadFromPager1, QStringLiteral("Read completed.")));
    const Settings edited = {{"address3", "1500000"}, {"banner", "Round trip"}, {"format2B", "3"},
                             {"nightMode", "1"},      {"baudrate", "2"},       {"messageHoldTime", "1"}};
    Apply(window, edited);
    window.editor().addressesPage().AddressExit(2);
    VERIFY_STATUS(window, Run(window, window.WriteToPager1, QStringLiteral("Write completed.")));
    const QStringList written = CarriedValues(window);

    Apply(window, {{"address3", "1700000"}, {"banner", "Scratch"}, {"nightMode", "0"}});
    VERIFY_STATUS(window, Run(window, window.ReadFromPager1, QStringLiteral("Read completed.")));
    QCOMPARE(Shown(window, edited), Expected(edited));
    QCOMPARE(CarriedValues(window), written);
}

// A pager that verifies for longer than a block may take, answering every keep-alive
// meanwhile, completes its write and the addresses count up.
void TransferEndToEndTest::slowVerificationCompletesTheWrite()
{
    PagerBench bench;
    QVERIFY(bench.started);
    TForm1& window = bench.open();
    window.transferSilenceLimit = 400;
    VERIFY_STATUS(window, Reaches(window, QStringLiteral("Pager connected."), 2000));
    Control<QComboBox>(window, QStringLiteral("autoInc1"))->setCurrentIndex(8);
    const QString advanced = QString::number(Control<QLineEdit>(window, QStringLiteral("address1"))->text().toInt() + 8)
                                 .rightJustified(7, u'0');
    bench.pager.setVerifyTime(std::chrono::milliseconds(1500));

    window.WriteToPager1->trigger();
    VERIFY_STATUS(window, Reaches(window, QStringLiteral("Verifying...")));
    VERIFY_STATUS(window, Reaches(window, QStringLiteral("Write completed."), 2 * kTransferMs));
    QCOMPARE(Control<QLineEdit>(window, QStringLiteral("address1"))->text(), advanced);
    QVERIFY(bench.errors.isEmpty());
}

void TransferEndToEndTest::closeDuringAWriteWaitsForTheVerdict_data()
{
    QTest::addColumn<bool>("exitCommand");  // File, Exit; else the window's close button
    QTest::addColumn<int>("stopAnswer");    // to a second request: 0 for none
    QTest::newRow("Exit") << true << 0;
    QTest::newRow("close button") << false << 0;
    QTest::newRow("twice, keep writing") << false << int(QMessageBox::No);
    QTest::newRow("twice, stop now") << true << int(QMessageBox::Yes);
}

void TransferEndToEndTest::closeDuringAWriteWaitsForTheVerdict()
{
    QFETCH(bool, exitCommand);
    QFETCH(int, stopAnswer);
    PagerBench bench;
    QVERIFY(bench.started);
    const ImageHeader header = HeaderOf(AsConfigImage(bench.pager.image()));
    TForm1& window = bench.open();
    QStringList questions;
    window.QuestionBox1 = [&](const QString&, const QString& text, QMessageBox::StandardButtons) {
        questions << text;
        return QMessageBox::StandardButton(stopAnswer);
    };
    window.show();
    VERIFY_STATUS(window, Reaches(window, QStringLiteral("Pager connected."), 2000));
    // Slow enough to close in the middle.
    sim::PagerFaults slow;
    slow.replyDelay = std::chrono::milliseconds(20);
    bench.pager.setFaults(slow);
    bench.pager.setVerifyTime(std::chrono::milliseconds(300));

    window.WriteToPager1->trigger();
    VERIFY_STATUS(window, Reaches(window, QStringLiteral("Writing...")));
    if (exitCommand)
        window.Exit1->trigger();
    else
        QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(window.statusText(), QStringLiteral("Closing after the write has the pager's verdict..."));
    if (stopAnswer != 0) {
        window.close();
        QCOMPARE(questions.size(), 1);
        QVERIFY(questions.front().contains(QLatin1String("half-written")));
        QVERIFY(questions.front().contains(QLatin1String("Recovery")));
    }
    if (stopAnswer == QMessageBox::Yes) {
        QVERIFY(!window.isVisible());
        QVERIFY(TransferFrames(bench.pager).size() < std::size_t(1 + kBlockCount));
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 2 * kTransferMs);
    QCOMPARE(window.statusText(), QStringLiteral("Write completed."));
    QCOMPARE(Commands(TransferFrames(bench.pager)), QList<int>{0x60} + Range(0x70, 0x7F));
    QCOMPARE(BytesOf(AsConfigImage(bench.pager.image())), BytesOf(window.EncodeImage(header)));
    QVERIFY(bench.errors.isEmpty());
}

// A port the link would not walk by itself, chosen in the Port menu, is the only one used
// until "Automatic" is chosen again.
void TransferEndToEndTest::portMenuChoosesAnotherPager()
{
    PagerBench bench;
    QVERIFY(bench.started);
    sim::SimulatedPager other;
    QVERIFY2(other.start(), other.error().c_str());
    TForm1& window = bench.open();
    window.PortCatalog1 = [&] { return std::vector<SerialPortEntry>{{other.slavePath(), "", "", "", "", false}}; };
    const QString first = QString::fromStdString(bench.pager.slavePath());
    const QString second = QString::fromStdString(other.slavePath());
    QTRY_COMPARE_WITH_TIMEOUT(window.linkIndicator->text(), first + QStringLiteral(": pager V2"), 2000);

    window.Port1->aboutToShow();
    window.Port1->findChild<QAction*>(QStringLiteral("port:") + second)->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(window.linkIndicator->text(), second + QStringLiteral(": pager V2"), 3000);
    QCOMPARE(window.statusText(), QStringLiteral("Pager connected."));
    VERIFY_STATUS(window, Run(window, window.ReadFromPager1, QStringLiteral("Read completed.")));
    QCOMPARE(Commands(TransferFrames(other)), Range(0x60, 0x6F));
    QVERIFY(TransferFrames(bench.pager).empty());

    window.Port1->findChild<QAction*>(QStringLiteral("Automatic1"))->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(window.linkIndicator->text().section(u' ', 0, 0), first + u':', 3000);
}

QTEST_MAIN(TransferEndToEndTest)
#include "transfer_e2e_test.moc"
