// q9tx read and q9tx write run as the user runs them, against the simulated pager on a
// pseudo-terminal: what lands in the pager and in the files, the fleet loop, and that a
// failure leaves the settings file and the journal telling the truth.

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "factory_image.h"
#include "image/capcode.h"
#include "image/image_validation.h"
#include "image/settings_conversion.h"
#include "image/settings_edit.h"
#include "image/settings_validation.h"
#include "link/frame.h"
#include "simulated_pager.h"

using namespace q9tx;

namespace {

constexpr int kRunMs = 30000;  // a generous bound against hangs

ConfigImage AsImage(const sim::ImageBytes& bytes)
{
    ConfigImage image{};
    std::copy(bytes.begin(), bytes.end(), image.begin());
    return image;
}

QByteArray Bytes(const ConfigImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Save(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

std::uint32_t Capcode(const ConfigImage& image, int slot)
{
    return AddressWordToCapcode(ReadLe32(image, AddressWordOffset(slot))).capcode;
}

constexpr std::uint32_t kOtherCapcodes = 1100000;

// Capcode of slot 2 to 8 in a template.
std::uint32_t OtherCapcode(int slot) { return kOtherCapcodes + 16 * std::uint32_t(slot - 1); }

// The pager's own settings with other capcodes and texts: what a technician prepares.
ConfigImage Template(std::uint32_t firstCapcode)
{
    const ConfigImage pager = AsImage(sim::FactoryImage());
    PagerSettings settings = DecodeSettings(pager);
    for (int slot = 2; slot <= kSlotCount; ++slot)
        ApplySetting(settings, Member("address", slot), std::to_string(OtherCapcode(slot)));
    ApplySetting(settings, "address1", std::to_string(firstCapcode));
    ApplySetting(settings, "banner", "Fleet template");
    // The simulated pager reports no features: the escalating-alerts bit is not written.
    return EncodeSettings(settings, HeaderOf(pager), false);
}

// The commands of transfer frames the pager received, without polls and questions.
QList<int> TransferCommands(const sim::SimulatedPager& pager)
{
    QList<int> commands;
    for (const sim::ReceivedFrame& frame : pager.receivedFrames()) {
        if (frame.command >= CmdReadBlock)
            commands << frame.command;
    }
    return commands;
}

QList<int> Range(int first, int last)
{
    QList<int> values;
    for (int value = first; value <= last; ++value)
        values << value;
    return values;
}

bool Received(const sim::SimulatedPager& pager, int command)
{
    return TransferCommands(pager).contains(command);
}

QStringList JournalLines(const QString& path)
{
    return QString::fromUtf8(Contents(path)).split(u'\n', Qt::SkipEmptyParts);
}

// q9tx as a process; the test keeps running its own checks while it works.
struct Cli {
    explicit Cli(const QStringList& arguments)
    {
        process.setProgram(QStringLiteral(Q9TX_CLI));
        process.setArguments(arguments);
        process.start();
    }
    ~Cli()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    // Waits for `done` while the process runs; false on the time limit.
    template <typename Done>
    bool waitFor(Done done, int limitMs = kRunMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < limitMs) {
            process.waitForFinished(20);
            collect();
        }
        return done();
    }
    bool finish(int limitMs = kRunMs)
    {
        const bool finished = process.waitForFinished(limitMs);
        collect();
        return finished;
    }
    void collect()
    {
        out += QString::fromUtf8(process.readAllStandardOutput());
        err += QString::fromUtf8(process.readAllStandardError());
    }
    int exitCode() const { return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1; }

    QProcess process;
    QString out;
    QString err;
};

}  // namespace

class CliEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void readSavesThePagersImage();
    void writePutsTheFileIntoThePager();
    void backupKeepsThePagerAsItWas();
    void failedWriteLeavesFileAndJournalConsistent_data();
    void failedWriteLeavesFileAndJournalConsistent();
    void refusedFileWritesNothing_data();
    void refusedFileWritesNothing();
    void advanceIntoAnIllegalCapcodeStopsTheFleet();
    void fleetLoopProgramsConsecutiveCapcodes();
    void detectVerifyAndJsonReadNothingElse();
};

void CliEndToEndTest::readSavesThePagersImage()
{
    sim::SimulatedPager pager;
    QVERIFY2(pager.start(), pager.error().c_str());
    pager.setInformationText("Q9TX simulator");
    QTemporaryDir dir;
    const QString file = dir.filePath("customer.bin");
    const QString journal = dir.filePath("fleet.csv");

    const QString trace = dir.filePath("link.trace");

    Cli cli({"read", "--port", QString::fromStdString(pager.slavePath()), "-o", file, "--journal", journal,
             "--trace", trace});
    QVERIFY(cli.finish());
    QVERIFY2(cli.exitCode() == 0, qPrintable(cli.err));
    QCOMPARE(Contents(file), Bytes(AsImage(pager.image())));
    QCOMPARE(TransferCommands(pager), Range(0x60, 0x6F));
    // The trace shows the frames the pager got, in their order, and each block it sent.
    QList<int> tracedOut;
    QStringList tracedIn;
    const QStringList traceLines = QString::fromUtf8(Contents(trace)).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : traceLines) {
        const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        if (words.size() > 5 && words[2] == QLatin1String("out"))
            tracedOut << words[5].toInt(nullptr, 16);
        else if (words.size() > 5 && words[2] == QLatin1String("in"))
            tracedIn << line.section(QStringLiteral("  "), -1);
    }
    QList<int> pagerGot;
    for (const sim::ReceivedFrame& frame : pager.receivedFrames())
        pagerGot << frame.command;
    // The sign-off may still be on its way to the pager when the program has ended.
    if (tracedOut.size() == pagerGot.size() + 1 && tracedOut.last() == CmdSignOff)
        tracedOut.removeLast();
    QCOMPARE(tracedOut, pagerGot);
    QVERIFY2(traceLines.first().endsWith(QLatin1String(" opened")), qPrintable(traceLines.first()));
    for (int block = 0; block < 16; ++block)
        QVERIFY2(tracedIn.contains(QStringLiteral("block %1").arg(block)), qPrintable(traceLines.join(u'\n')));
    for (const char* shown : {"firmware V2", "Q9TX simulator", "Read completed."})
        QVERIFY2(cli.err.contains(QLatin1String(shown)), qPrintable(cli.err));
    const QStringList lines = JournalLines(journal);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].contains(QStringLiteral(",V2,00012345,1234560 1234568 ")), qPrintable(lines[0]));
    QVERIFY2(lines[0].endsWith(QStringLiteral(",457.6,Read completed.")), qPrintable(lines[0]));
}

void CliEndToEndTest::writePutsTheFileIntoThePager()
{
    sim::SimulatedPager pager;
    QVERIFY(pager.start());
    // A header of this pager's own, but for the factory bytes the file carries too.
    sim::ImageBytes pagerImage = pager.image();
    for (std::size_t i = 12; i < kHeaderSize; ++i)
        pagerImage[i] = std::uint8_t(0xA0 + i);
    pager.setImage(pagerImage);
    QTemporaryDir dir;
    const QString file = dir.filePath("template.bin");
    const ConfigImage written = Template(2004000);
    Save(file, Bytes(written));

    Cli cli({"write", "--port", QString::fromStdString(pager.slavePath()), file});
    QVERIFY(cli.finish());
    QVERIFY2(cli.exitCode() == 0, qPrintable(cli.err));
    QVERIFY2(cli.err.contains(QLatin1String("Write completed.")), qPrintable(cli.err));
    // The window's frames: the header, then the 16 blocks.
    QCOMPARE(TransferCommands(pager), QList<int>{0x60} + Range(0x70, 0x7F));
    ConfigImage expected = written;
    PutHeader(expected, HeaderOf(AsImage(pagerImage)));
    QCOMPARE(Bytes(AsImage(pager.image())), Bytes(expected));
    // Without --advance the file stays as it was.
    QCOMPARE(Contents(file), Bytes(written));
}

void CliEndToEndTest::backupKeepsThePagerAsItWas()
{
    sim::SimulatedPager pager;
    QVERIFY(pager.start());
    const sim::ImageBytes before = pager.image();
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("backups")));
    const QString file = dir.filePath("template.bin");
    Save(file, Bytes(Template(2004000)));

    Cli cli({"write", "--port", QString::fromStdString(pager.slavePath()), "--backup-dir", dir.filePath("backups"),
             file});
    QVERIFY(cli.finish());
    QVERIFY2(cli.exitCode() == 0, qPrintable(cli.err));
    const QStringList backups = QDir(dir.filePath("backups")).entryList(QDir::Files);
    QCOMPARE(backups.size(), 1);
    QVERIFY2(QRegularExpression(QStringLiteral("^00012345-\\d{8}T\\d{6}Z\\.bin$")).match(backups[0]).hasMatch(),
             qPrintable(backups[0]));
    QCOMPARE(Contents(dir.filePath("backups/" + backups[0])), Bytes(AsImage(before)));
    QCOMPARE(TransferCommands(pager), Range(0x60, 0x6F) + QList<int>{0x60} + Range(0x70, 0x7F));
}

void CliEndToEndTest::failedWriteLeavesFileAndJournalConsistent_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");

    QTest::newRow("verdict M") << "verdict M" << "Cannot write. Please try again.";
    QTest::newRow("lost reply") << "lost reply" << "Pager disconnected.";
    QTest::newRow("unplugged") << "unplugged" << "Pager disconnected.";
}

void CliEndToEndTest::failedWriteLeavesFileAndJournalConsistent()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    sim::SimulatedPager pager;
    QVERIFY(pager.start());
    // Slow enough for the test to step in while the blocks go out.
    sim::PagerFaults slow;
    slow.replyDelay = std::chrono::milliseconds(100);
    pager.setFaults(slow);
    QTemporaryDir dir;
    const QString file = dir.filePath("template.bin");
    const QString journal = dir.filePath("fleet.csv");
    const QByteArray original = Bytes(Template(2004000));
    Save(file, original);

    Cli cli({"write", "--advance", "--journal", journal, "--port", QString::fromStdString(pager.slavePath()), file});
    const int trigger = fault == QLatin1String("verdict M") ? CmdWriteBlock + 14 : CmdWriteBlock + 3;
    QVERIFY2(cli.waitFor([&] { return Received(pager, trigger); }), qPrintable(cli.err));
    if (fault == QLatin1String("verdict M")) {
        // A block the pager stored goes bad before the last one arrives: its check of
        // what it stored fails.
        sim::ImageBytes stored = pager.image();
        stored[200] ^= 0x01;
        pager.setImage(stored);
    } else if (fault == QLatin1String("lost reply")) {
        // The acknowledgement of the next block goes missing; the pager answers again after.
        sim::PagerFaults lost = slow;
        lost.dropReplyTo = 1;
        pager.setFaults(lost);
    } else {
        pager.unplug();
    }
    QVERIFY(cli.finish());
    QVERIFY2(cli.exitCode() == 1, qPrintable(cli.err));
    QVERIFY2(cli.err.contains(message), qPrintable(cli.err));
    QCOMPARE(Contents(file), original);
    const QStringList lines = JournalLines(journal);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].endsWith(u',' + message), qPrintable(lines[0]));
    QVERIFY2(lines[0].contains(QStringLiteral(",00012345,2004000 1100016 ")), qPrintable(lines[0]));
}

void CliEndToEndTest::refusedFileWritesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    std::uint32_t illegal = 2000000;
    while (IsLegalCapcode(illegal))
        ++illegal;
    ConfigImage refused = Template(2004000);
    WriteLe32(refused, AddressWordOffset(3), CapcodeToAddressWord(illegal, true, 3));
    StoreCheckWord1(refused);
    StoreCheckWord2(refused);
    ConfigImage corrupted = Template(2004000);
    corrupted[300] ^= 0x40;

    QTest::newRow("missing") << QByteArray() << "File could not be read.";
    QTest::newRow("short") << Bytes(Template(2004000)).left(100) << "File corrupted.";
    QTest::newRow("check word") << Bytes(corrupted) << "The content is corrupted.";
    QTest::newRow("illegal capcode") << Bytes(refused) << "Address 3 (address3): Illegal capcode.";
}

void CliEndToEndTest::refusedFileWritesNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    sim::SimulatedPager pager;
    QVERIFY(pager.start());
    const sim::ImageBytes before = pager.image();
    QTemporaryDir dir;
    const QString file = dir.filePath("template.bin");
    if (!content.isEmpty())
        Save(file, content);

    Cli cli({"write", "--advance", "--port", QString::fromStdString(pager.slavePath()), file});
    QVERIFY(cli.finish());
    QCOMPARE(cli.exitCode(), 2);
    QVERIFY2(cli.err.contains(message), qPrintable(cli.err));
    QVERIFY(TransferCommands(pager).isEmpty());
    QVERIFY(pager.image() == before);
    QCOMPARE(Contents(file), content);
}

void CliEndToEndTest::advanceIntoAnIllegalCapcodeStopsTheFleet()
{
    std::uint32_t illegal = 2000000;
    while (IsLegalCapcode(illegal))
        ++illegal;
    sim::SimulatedPager pager;
    QVERIFY(pager.start());
    QTemporaryDir dir;
    const QString file = dir.filePath("template.bin");
    Save(file, Bytes(Template(illegal - 1)));
    const QString port = QString::fromStdString(pager.slavePath());

    Cli cli({"write", "--advance", "--step", "0", "--step", "address1=1", "--port", port, file});
    QVERIFY(cli.finish());
    QCOMPARE(cli.exitCode(), 1);
    QVERIFY2(cli.err.contains(QLatin1String("Write completed.")), qPrintable(cli.err));
    QVERIFY2(cli.err.contains(QLatin1String("Address 1 (address1): Illegal capcode.")), qPrintable(cli.err));
    QCOMPARE(Capcode(AsImage(pager.image()), 1), illegal - 1);
    // The file holds the refused capcode, as the window's editor shows it marked; the next
    // run refuses it before anything reaches the next pager.
    ConfigImage kept{};
    const QByteArray keptBytes = Contents(file);
    std::copy(keptBytes.begin(), keptBytes.end(), kept.begin());
    QCOMPARE(Capcode(kept, 1), illegal);
    QCOMPARE(Capcode(kept, 2), OtherCapcode(2));
    pager.clearReceivedFrames();
    Cli next({"write", "--port", port, file});
    QVERIFY(next.finish());
    QCOMPARE(next.exitCode(), 2);
    QVERIFY(TransferCommands(pager).isEmpty());
}

void CliEndToEndTest::fleetLoopProgramsConsecutiveCapcodes()
{
    sim::SimulatedPager pager;
    QVERIFY(pager.start());
    QTemporaryDir dir;
    const QString file = dir.filePath("template.bin");
    const QString journal = dir.filePath("fleet.csv");
    Save(file, Bytes(Template(2004000)));

    Cli cli({"write", "--wait", "--advance", "--journal", journal, "--port", QString::fromStdString(pager.slavePath()),
             file});
    QList<std::uint32_t> programmed;
    for (int n = 1; n <= 3; ++n) {
        // The next pager, with its own serial number.
        sim::ImageBytes fresh = sim::FactoryImage();
        const std::string serial = "0000000" + std::to_string(n);
        std::copy(serial.begin(), serial.end(), fresh.begin() + kSerialNumberRegion.offset);
        sim::SealImage(fresh);
        pager.setImage(fresh);
        pager.setFaults({});
        QVERIFY2(cli.waitFor([&] { return cli.out.count(u'\n') == n; }), qPrintable(cli.err));
        programmed << Capcode(AsImage(pager.image()), 1);
        // Taken off the cable: it answers nothing until the next one is connected.
        sim::PagerFaults removed;
        removed.silent = true;
        pager.setFaults(removed);
        QVERIFY2(cli.waitFor([&] { return cli.err.count(QLatin1String("Waiting for the next pager")) == n; }),
                 qPrintable(cli.err));
    }
    cli.process.terminate();
    QVERIFY(cli.finish());
    QVERIFY2(cli.exitCode() == 0, qPrintable(cli.err));

    QCOMPARE(programmed, (QList<std::uint32_t>{2004000, 2004001, 2004002}));
    const QStringList lines = JournalLines(journal);
    QCOMPARE(lines.size(), 3);
    for (int n = 0; n < 3; ++n) {
        QVERIFY2(lines[n].contains(QStringLiteral(",0000000%1,%2 %3 ").arg(n + 1).arg(2004000 + n).arg(OtherCapcode(2) + n)),
                 qPrintable(lines[n]));
        QVERIFY2(lines[n].endsWith(QStringLiteral("Write completed.")), qPrintable(lines[n]));
    }
    QCOMPARE(cli.out.count(QLatin1String("Write completed.")), 3);
    // The file is ready for the fourth pager, and nothing else in it changed.
    ConfigImage expected = Template(2004000);
    WriteLe32(expected, AddressWordOffset(1), CapcodeToAddressWord(2004003, true, 1));
    for (int slot = 2; slot <= kSlotCount; ++slot)
        WriteLe32(expected, AddressWordOffset(slot), CapcodeToAddressWord(OtherCapcode(slot) + 3, true, slot));
    StoreCheckWord1(expected);
    StoreCheckWord2(expected);
    QCOMPARE(Contents(file), Bytes(expected));
}

void CliEndToEndTest::detectVerifyAndJsonReadNothingElse()
{
    sim::SimulatedPager pager;
    QVERIFY(pager.start());
    pager.setInformationText("Q9TX \x1B[2J");
    const QString port = QString::fromStdString(pager.slavePath());
    QTemporaryDir dir;
    const QString file = dir.filePath("pager.bin");
    Save(file, Bytes(AsImage(pager.image())));

    // Identification, information text, and the header and block of the serial number only.
    Cli detect({"detect", "--port", port, "--port", dir.filePath("no-such-port"), "--timeout", "0.5", "--json"});
    QVERIFY(detect.finish());
    QVERIFY2(detect.exitCode() == 0, qPrintable(detect.err));
    const QStringList ports = detect.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(ports.size(), 2);
    for (const char* said : {"\"answered\":true", "\"firmware\":\"V2\"", "\"serialNumber\":\"00012345\"",
                             "\"information\":\"Q9TX \\u001b[2J\""})
        QVERIFY2(ports[0].contains(QLatin1String(said)), qPrintable(ports[0]));
    QVERIFY2(ports[1].contains(QLatin1String("\"answered\":false")), qPrintable(ports[1]));
    QCOMPARE(TransferCommands(pager), (QList<int>{0x60, 0x6A}));

    // The pager as the file has it; then a file with another banner.
    pager.clearReceivedFrames();
    Cli same({"verify", "--port", port, file});
    QVERIFY(same.finish());
    QVERIFY2(same.exitCode() == 0, qPrintable(same.err));
    QCOMPARE(same.out, QString());
    QVERIFY2(same.err.contains(QLatin1String("q9tx: Information: Q9TX \\x1B[2J")), qPrintable(same.err));
    QCOMPARE(TransferCommands(pager), Range(0x60, 0x6F));
    PagerSettings other = DecodeSettings(AsImage(pager.image()));
    ApplySetting(other, "banner", "Other banner");
    Save(file, Bytes(EncodeSettings(other, HeaderOf(AsImage(pager.image())), false)));
    Cli different({"verify", "--port", port, file});
    QVERIFY(different.finish());
    QCOMPARE(different.exitCode(), 1);
    QCOMPARE(different.out, QStringLiteral("General / Banner: \"Other banner        \" -> \"---- Zerin Q9TX ----\"\n"));

    // One JSON line with the journal's fields.
    Cli write({"write", "--json", "--port", port, file});
    QVERIFY(write.finish());
    QVERIFY2(write.exitCode() == 0, qPrintable(write.err));
    QCOMPARE(write.out.count(u'\n'), 1);
    for (const char* said : {"\"success\":true", "\"outcome\":\"Write completed.\"", "\"frequency\":457600000",
                             "\"capcodes\":[1234560,"})
        QVERIFY2(write.out.contains(QLatin1String(said)), qPrintable(write.out));
}

QTEST_GUILESS_MAIN(CliEndToEndTest)
#include "cli_e2e_test.moc"
