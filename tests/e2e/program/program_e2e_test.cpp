// The programmer run as a desktop starts it: Qt's own options, a settings file as
// argument, and the end by a signal, which still signs off from the pager.

#include <signal.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "simulated_pager.h"

namespace {

constexpr std::uint8_t kInformationRequest = 0x46;  // F: sent once the pager is connected
constexpr std::uint8_t kSignOff = 0x49;             // I

bool Received(const q9tx::sim::SimulatedPager& pager, std::uint8_t command)
{
    const auto frames = pager.receivedFrames();
    return std::any_of(frames.begin(), frames.end(), [command](const auto& frame) { return frame.command == command; });
}

// Without any display: the -platform option alone must do.
void StartProgram(QProcess& program, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(Q9TX_PROGRAM), arguments);
}

}  // namespace

class ProgramEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void endSignalSignsOff_data();
    void endSignalSignsOff();
    void unknownOptionPrintsTheUsage();
};

void ProgramEndToEndTest::endSignalSignsOff_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<QStringList>("options");  // besides -platform offscreen and --port

    QTest::newRow("SIGTERM") << int(SIGTERM) << QStringList();
    QTest::newRow("SIGINT") << int(SIGINT) << QStringList();
    QTest::newRow("SIGHUP") << int(SIGHUP) << QStringList();
    QTest::newRow("Qt options and a file") << int(SIGTERM)
                                           << QStringList{"-style", "fusion", "-geometry", "600x400+10+10",
                                                          "-reverse", "pager.bin"};
}

void ProgramEndToEndTest::endSignalSignsOff()
{
    QFETCH(int, signalNumber);
    QFETCH(QStringList, options);
    q9tx::sim::SimulatedPager pager;
    QVERIFY2(pager.start(), pager.error().c_str());
    QTemporaryDir dir;
    QProcess program;
    program.setWorkingDirectory(dir.path());
    StartProgram(program, QStringList{"-platform", "offscreen", "--port", QString::fromStdString(pager.slavePath())} +
                              options);
    QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
    QTRY_VERIFY2_WITH_TIMEOUT(Received(pager, kInformationRequest), program.readAllStandardError().constData(), 20000);

    QVERIFY(::kill(pid_t(program.processId()), signalNumber) == 0);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(Received(pager, kSignOff), 2000);
    QCOMPARE(pager.receivedFrames().back().command, kSignOff);
    QVERIFY(!program.readAllStandardError().contains("Usage"));
}

void ProgramEndToEndTest::unknownOptionPrintsTheUsage()
{
    QProcess program;
    StartProgram(program, {"--no-such-option"});
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitCode(), 2);
    const QByteArray error = program.readAllStandardError();
    QVERIFY2(error.contains("no-such-option") && error.contains("Usage:"), error.constData());
}

QTEST_GUILESS_MAIN(ProgramEndToEndTest)
#include "program_e2e_test.moc"
