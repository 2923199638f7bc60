// Link faults against the real window, link and serial port, with the simulated pager on
// a pseudo-terminal: a reply lost or damaged at every position of a read and of a write,
// the pager's failure verdicts, the pager gone mid-transfer, line noise, and replies just
// inside and just outside the reply window. Every row ends with the status text the user
// must see, the editor as it must be, and a read that runs to its end.
//
// `--shard K/N` runs only the rows whose index leaves K when divided by N, so that CTest
// can run the matrix in several processes.

#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include "conversion_support.h"
#include "editor/addresses_page.h"
#include "editor/settings_editor.h"
#include "factory_image.h"
#include "find_control.h"
#include "link/frame.h"
#include "link/frame_parser.h"
#include "pager_bench.h"
#include "transfer_checks.h"
#include "transfer_test_support.h"

using namespace q9tx;
using namespace std::chrono_literals;
using sim::PagerFaults;

#define VERIFY_STATUS(window, reached) QVERIFY2(reached, qPrintable((window).statusText()))

namespace {

int gShard = 0;
int gShardCount = 1;

const QString kConnected = QStringLiteral("Pager connected.");
const QString kDisconnected = QStringLiteral("Pager disconnected.");
const QString kReadCompleted = QStringLiteral("Read completed.");
const QString kWriteCompleted = QStringLiteral("Write completed.");
const QString kCannotWrite = QStringLiteral("Cannot write. Please try again.");
const QString kCorrupted = QStringLiteral("The content is corrupted.");

constexpr int kBlocks = static_cast<int>(kBlockCount);

// Against hangs only: every wait here ends far sooner when the programmer works.
constexpr int kWaitMs = 10000;
constexpr int kRowLimitMs = 60000;
// Longer than the link's reply window: a false "Pager disconnected." would show by then.
constexpr int kSettleMs = 2600;
// The controls a write takes from the pager's header.
const QStringList kFactoryControls = {"pllChip", "bs2Option", "filterStrength", "preambleError"};
// Slot 1 counts up by one after each successful write.
const Settings kCountingSlot = {{"addrEn1", "1"}, {"address1", "2004000"}, {"storage1", "0"}, {"autoInc1", "1"}};

enum class Transfer { Read, Write, None };

struct FaultRow {
    QString name;
    Transfer transfer;
    std::function<void(PagerFaults&)> fault;
    // Transfer frames the programmer sends before it stops: block requests for a read;
    // the header request and block writes for a write.
    int framesSent;
    // Empty: the status text stays as it was.
    QString outcome;
    // Sent while connected and idle, before the row's checks.
    std::vector<std::uint8_t> idleNoise = {};
    // Once the pager has stopped answering, its device goes away too, and comes back
    // under another name behind the same link.
    bool unplug = false;
};

// Deterministic line noise that the frame parser digests completely: it leaves the
// parser waiting for a first sync byte, so the frame behind it is read whole.
std::vector<std::uint8_t> Noise(std::size_t size)
{
    std::mt19937 generator(20261208);
    std::vector<std::uint8_t> noise(size);
    for (std::uint8_t& byte : noise)
        byte = static_cast<std::uint8_t>(generator());
    // Completes any frame the noise has begun: 32 payload bytes and the CRC at most.
    noise.insert(noise.end(), kMaxPayload + 4, 0x00);
    return noise;
}

// Noise that ends inside a frame header announcing 32 payload bytes: the reply that
// follows is swallowed as that frame's payload.
std::vector<std::uint8_t> NoiseEndingInAFrame()
{
    std::vector<std::uint8_t> noise = Noise(500);
    noise.insert(noise.end(), {0x7E, 0x7E, 0x60, 0x20});
    return noise;
}

// Frame numbers count from the first frame of the transfer: a read's block k is k + 1;
// a write's header request is 1 and its block k is k + 2.
unsigned ReadFrame(int block) { return static_cast<unsigned>(block) + 1; }
unsigned WriteFrame(int block) { return static_cast<unsigned>(block) + 2; }
constexpr unsigned kHeaderFrame = 1;

std::vector<FaultRow> FaultRows()
{
    std::vector<FaultRow> rows;
    const auto drop = [](unsigned frame) { return [frame](PagerFaults& f) { f.dropReplyTo = frame; }; };
    const auto corrupt = [](unsigned frame) { return [frame](PagerFaults& f) { f.corruptReplyTo = frame; }; };
    for (int k = 0; k < kBlocks; ++k) {
        rows.push_back({QStringLiteral("read, block %1 reply lost").arg(k), Transfer::Read, drop(ReadFrame(k)), k + 1,
                        kDisconnected});
        rows.push_back({QStringLiteral("read, block %1 reply bad CRC").arg(k), Transfer::Read, corrupt(ReadFrame(k)),
                        k + 1, kDisconnected});
    }
    rows.push_back({"write, header reply lost", Transfer::Write, drop(kHeaderFrame), 1, kDisconnected});
    rows.push_back({"write, header reply bad CRC", Transfer::Write, corrupt(kHeaderFrame), 1, kDisconnected});
    for (int k = 0; k < kBlocks; ++k) {
        rows.push_back({QStringLiteral("write, block %1 acknowledgement lost").arg(k), Transfer::Write,
                        drop(WriteFrame(k)), k + 2, kDisconnected});
        // The pager's verdict follows the last acknowledgement and still ends the write.
        rows.push_back({QStringLiteral("write, block %1 acknowledgement bad CRC").arg(k), Transfer::Write,
                        corrupt(WriteFrame(k)), k + 2, k + 1 < kBlocks ? kDisconnected : kWriteCompleted});
    }
    rows.push_back({"write, verdict K", Transfer::Write, [](PagerFaults& f) { f.verdict = CmdWriteFailedK; }, 17,
                    kCannotWrite});
    rows.push_back({"write, verdict M", Transfer::Write, [](PagerFaults& f) { f.verdict = CmdWriteFailedM; }, 17,
                    kCannotWrite});
    rows.push_back({"read, pager gone after block 7", Transfer::Read, [](PagerFaults& f) { f.silentAfter = 8; }, 9,
                    kDisconnected});
    rows.push_back({"write, pager gone after block 7", Transfer::Write,
                    [](PagerFaults& f) { f.silentAfter = WriteFrame(7); }, 10, kDisconnected});
    rows.push_back({"read, pager unplugged after block 7", Transfer::Read, [](PagerFaults& f) { f.silentAfter = 8; },
                    9, kDisconnected, {}, true});
    rows.push_back({"write, pager unplugged after block 7", Transfer::Write,
                    [](PagerFaults& f) { f.silentAfter = WriteFrame(7); }, 10, kDisconnected, {}, true});
    rows.push_back({"noise while idle", Transfer::None, [](PagerFaults&) {}, 0, {}, Noise(10000)});
    const auto noisy = [](unsigned frame, std::vector<std::uint8_t> noise) {
        return [frame, noise](PagerFaults& f) {
            f.noiseBeforeReply = noise;
            f.noisyReplyTo = frame;
        };
    };
    rows.push_back({"read, noise before block 8", Transfer::Read, noisy(ReadFrame(8), Noise(4000)), 16,
                    kReadCompleted});
    rows.push_back({"write, noise before acknowledgement 8", Transfer::Write, noisy(WriteFrame(8), Noise(4000)), 17,
                    kWriteCompleted});
    rows.push_back({"read, noise swallows block 8", Transfer::Read, noisy(ReadFrame(8), NoiseEndingInAFrame()), 9,
                    kDisconnected});
    // The reply window is 40 ticks of 50 ms after the frame was sent.
    const auto late = [](unsigned frame, std::chrono::milliseconds by) {
        return [frame, by](PagerFaults& f) {
            f.lateReplyTo = frame;
            f.lateBy = by;
        };
    };
    rows.push_back({"read, block 8 reply just in time", Transfer::Read, late(ReadFrame(8), 1500ms), 16,
                    kReadCompleted});
    rows.push_back({"read, block 8 reply too late", Transfer::Read, late(ReadFrame(8), 2800ms), 9, kDisconnected});
    rows.push_back({"write, acknowledgement 8 just in time", Transfer::Write, late(WriteFrame(8), 1500ms), 17,
                    kWriteCompleted});
    rows.push_back({"write, acknowledgement 8 too late", Transfer::Write, late(WriteFrame(8), 2800ms), 10,
                    kDisconnected});
    return rows;
}

QList<int> ExpectedTransferFrames(Transfer transfer, int framesSent)
{
    if (transfer == Transfer::Read)
        return Range(CmdReadBlock, CmdReadBlock + framesSent - 1);
    if (transfer == Transfer::Write)
        return QList<int>{CmdReadBlock} + Range(CmdWriteBlock, CmdWriteBlock + framesSent - 2);
    return {};
}

bool Reaches(const TForm1& window, const QString& text)
{
    return QTest::qWaitFor([&] { return window.statusText() == text; }, kWaitMs);
}

// Connected and no frame of the link awaiting its answer, so that the frames the pager
// counts from now on are the transfer's.
bool ReadyForTransfer(PagerBench& bench)
{
    return QTest::qWaitFor(
        [&] {
            return bench.link->State() == lsConnected && !bench.link->ReplyAwaited() &&
                   bench.window->ReadFromPager1->isEnabled();
        },
        kWaitMs);
}

}  // namespace

class FaultMatrixTest : public QObject {
    Q_OBJECT
private slots:
    void noiseDigestedCompletely();
    void faultEndsAsItMust_data();
    void faultEndsAsItMust();
};

void FaultMatrixTest::noiseDigestedCompletely()
{
    for (const auto& noise : {Noise(10000), Noise(4000)}) {
        FrameParser parser;
        for (std::uint8_t byte : noise) {
            if (parser.Feed(byte))
                QVERIFY2(!parser.FinishFrame(), "the noise holds a frame with a good CRC");
        }
        QCOMPARE(parser.State(), FrameParser::WaitFirstSync);
    }
}

void FaultMatrixTest::faultEndsAsItMust_data()
{
    QTest::addColumn<int>("row");
    const std::vector<FaultRow> rows = FaultRows();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        if (i % gShardCount == gShard)
            QTest::newRow(qPrintable(rows[static_cast<std::size_t>(i)].name)) << i;
    }
}

void FaultMatrixTest::faultEndsAsItMust()
{
    QFETCH(int, row);
    const FaultRow fault = FaultRows()[static_cast<std::size_t>(row)];
    QElapsedTimer rowTime;
    rowTime.start();
    PagerBench bench;
    QVERIFY2(bench.started, bench.pager.error().c_str());
    // Probed by a link of ours, so that the pager can come back on another device.
    QTemporaryDir links;
    const QString port = links.filePath(QStringLiteral("pager"));
    QVERIFY(QFile::link(QString::fromStdString(bench.pager.slavePath()), port));
    TForm1& window = bench.open(port.toStdString());
    VERIFY_STATUS(window, Reaches(window, kConnected));
    Apply(window, kCountingSlot);
    window.editor().addressesPage().AddressExit(0);
    QVERIFY(ReadyForTransfer(bench));
    const QStringList before = CarriedValues(window);
    const QString outcome = fault.outcome.isEmpty() ? window.statusText() : fault.outcome;
    const QStringList beforeButFactory = CarriedValues(window, kFactoryControls);
    TestWindow pagerContent;
    pagerContent->DecodeImage(AsConfigImage(bench.pager.image()));

    // The fault and the command in one go: no keep-alive can come between them.
    PagerFaults faults;
    fault.fault(faults);
    bench.pager.setFaults(faults);
    bench.pager.clearReceivedFrames();
    if (fault.transfer == Transfer::Read)
        window.ReadFromPager1->trigger();
    else if (fault.transfer == Transfer::Write)
        window.WriteToPager1->trigger();
    else
        bench.pager.sendRaw(fault.idleNoise);
    if (fault.unplug) {
        const auto stopped = [&] { return static_cast<int>(TransferFrames(bench.pager).size()) >= fault.framesSent; };
        QVERIFY(QTest::qWaitFor(stopped, kWaitMs));
        bench.pager.unplug();
    }
    VERIFY_STATUS(window, Reaches(window, outcome));
    if (outcome != kDisconnected) {
        QTest::qWait(kSettleMs);
        QCOMPARE(window.statusText(), outcome);
    }
    QCOMPARE(Commands(TransferFrames(bench.pager)), ExpectedTransferFrames(fault.transfer, fault.framesSent));
    QVERIFY(!window.transferRunning() && !window.writeInProgress);
    QVERIFY(window.progress->isHidden() && Control<QWidget>(window, QStringLiteral("settings"))->isEnabled());

    if (fault.outcome == kReadCompleted) {
        QCOMPARE(CarriedDifferences(*pagerContent, window), QStringList());
    } else if (fault.outcome == kWriteCompleted) {
        QStringList advanced = beforeButFactory;
        advanced.replaceInStrings(QStringLiteral("address1=2004000"), QStringLiteral("address1=2004001"));
        QCOMPARE(CarriedValues(window, kFactoryControls), advanced);
    } else if (fault.transfer == Transfer::Write) {
        QCOMPARE(CarriedValues(window, kFactoryControls), beforeButFactory);
    } else {
        QCOMPARE(CarriedValues(window), before);
    }

    // The pager answers again; the next read runs to its end and shows what it holds.
    bench.pager.setFaults({});
    if (fault.unplug) {
        QVERIFY2(bench.pager.start(), bench.pager.error().c_str());
        QVERIFY(QFile::remove(port) && QFile::link(QString::fromStdString(bench.pager.slavePath()), port));
    }
    QVERIFY(ReadyForTransfer(bench));
    const bool pagerImageSound = sim::CheckWordsValid(bench.pager.image());
    pagerContent->DecodeImage(AsConfigImage(bench.pager.image()));
    const QStringList beforeNextRead = CarriedValues(window);
    bench.pager.clearReceivedFrames();
    window.ReadFromPager1->trigger();
    VERIFY_STATUS(window, Reaches(window, pagerImageSound ? kReadCompleted : kCorrupted));
    QCOMPARE(Commands(TransferFrames(bench.pager)), Range(CmdReadBlock, CmdReadBlock + kBlocks - 1));
    if (pagerImageSound)
        QCOMPARE(CarriedDifferences(*pagerContent, window), QStringList());
    else
        QCOMPARE(CarriedValues(window), beforeNextRead);
    QVERIFY(bench.errors.isEmpty());
    QVERIFY2(rowTime.elapsed() < kRowLimitMs, qPrintable(QString::number(rowTime.elapsed())));
}

int main(int argc, char** argv)
{
    // Takes out --shard K/N before QTest sees the arguments.
    std::vector<char*> arguments;
    for (int i = 0; i < argc; ++i) {
        if (std::string(argv[i]) == "--shard" && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%d/%d", &gShard, &gShardCount) != 2 || gShardCount < 1 || gShard < 0 ||
                gShard >= gShardCount) {
                std::fprintf(stderr, "--shard wants K/N with 0 <= K < N\n");
                return 2;
            }
            continue;
        }
        arguments.push_back(argv[i]);
    }
    int count = static_cast<int>(arguments.size());
    arguments.push_back(nullptr);
    QApplication app(count, arguments.data());
    FaultMatrixTest test;
    return QTest::qExec(&test, count, arguments.data());
}

#include "fault_matrix_test.moc"
