#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QtTest>

#include "find_control.h"
#include "pager_bench.h"

class LinkEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void connectsAndShowsTheFirmwareWithinASecond();
    void unpluggedPagerIsReportedAtOnce();
    void unsupportedPagerKeepsTheCommandsDisabled();
    void shutdownSignsOff();
    void hungUpPortIsProbedAgainOnItsPath();
};

void LinkEndToEndTest::connectsAndShowsTheFirmwareWithinASecond()
{
    PagerBench bench;
    QVERIFY2(bench.started, bench.pager.error().c_str());
    bench.pager.setIdentification({0x08, 0x00, 0x00, 0x00, 0x07, 0x02});
    bench.pager.setInformationText("Q9TX simulator");
    TForm1& window = bench.open();

    QTRY_COMPARE_WITH_TIMEOUT(window.statusText(), QStringLiteral("Pager connected."), 1000);
    QCOMPARE(Control<QLabel>(window, QStringLiteral("firmware"))->text(), QStringLiteral("V2"));
    QTRY_COMPARE_WITH_TIMEOUT(Control<QLabel>(window, QStringLiteral("firmware"))->statusTip(),
                              QStringLiteral("Q9TX simulator"), 1000);
    QVERIFY(window.ReadFromPager1->isEnabled());
    QVERIFY(window.WriteToPager1->isEnabled());
    QVERIFY(bench.errors.isEmpty());
}

void LinkEndToEndTest::unpluggedPagerIsReportedAtOnce()
{
    PagerBench bench;
    QVERIFY(bench.started);
    TForm1& window = bench.open();
    QTRY_COMPARE_WITH_TIMEOUT(window.statusText(), QStringLiteral("Pager connected."), 1000);

    QElapsedTimer sinceUnplug;
    bench.pager.unplug();
    sinceUnplug.start();
    QTRY_COMPARE_WITH_TIMEOUT(window.statusText(), QStringLiteral("Pager disconnected."), 6000);
    // The port hangs up at once; a keep-alive left unanswered would tell within four seconds.
    QVERIFY2(sinceUnplug.elapsed() <= 5000, qPrintable(QString::number(sinceUnplug.elapsed())));
    QVERIFY(!window.ReadFromPager1->isEnabled());
    QCOMPARE(Control<QLabel>(window, QStringLiteral("firmware"))->text(), QStringLiteral("--"));
}

void LinkEndToEndTest::unsupportedPagerKeepsTheCommandsDisabled()
{
    PagerBench bench;
    QVERIFY(bench.started);
    bench.pager.setIdentification({0x09, 0x00, 0x00, 0x00, 0x07, 0x00});
    TForm1& window = bench.open();

    QTRY_COMPARE_WITH_TIMEOUT(window.statusText(), QStringLiteral("Pager unsupported."), 1000);
    QVERIFY(!window.ReadFromPager1->isEnabled());
    QVERIFY(!window.WriteToPager1->isEnabled());
}

void LinkEndToEndTest::shutdownSignsOff()
{
    PagerBench bench;
    QVERIFY(bench.started);
    TForm1& window = bench.open();
    QTRY_COMPARE_WITH_TIMEOUT(window.statusText(), QStringLiteral("Pager connected."), 1000);

    bench.window.reset();
    const auto lastCommand = [&bench] {
        const auto frames = bench.pager.receivedFrames();
        return frames.empty() ? 0 : frames.back().command;
    };
    QTRY_COMPARE_WITH_TIMEOUT(lastCommand(), 0x49, 2000);
}

// A named port whose device hangs up (no removal event comes for it) is let go, and a
// device that appears later on the same path is found.
void LinkEndToEndTest::hungUpPortIsProbedAgainOnItsPath()
{
    PagerBench bench;
    QVERIFY(bench.started);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pager-port"));
    QVERIFY(QFile::link(QString::fromStdString(bench.pager.slavePath()), path));
    TForm1& window = bench.open(path.toStdString());
    QTRY_COMPARE_WITH_TIMEOUT(window.statusText(), QStringLiteral("Pager connected."), 2000);

    bench.pager.unplug();
    QTRY_COMPARE_WITH_TIMEOUT(window.statusText(), QStringLiteral("Pager disconnected."), 6000);
    QTRY_VERIFY_WITH_TIMEOUT(!bench.port.IsOpen() || bench.link->CurrentPortName().empty(), 6000);

    q9tx::sim::SimulatedPager second;
    QVERIFY(second.start());
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::link(QString::fromStdString(second.slavePath()), path));
    QTRY_COMPARE_WITH_TIMEOUT(window.statusText(), QStringLiteral("Pager connected."), 6000);
    QVERIFY(!second.receivedFrames().empty());
    QCOMPARE(bench.link->CurrentPortName(), path.toStdString());
    bench.window.reset();  // before the second pager goes
}

QTEST_MAIN(LinkEndToEndTest)
#include "link_e2e_test.moc"
