#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QtTest>

#include "pager_bench.h"

class LinkEndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void connectsAndShowsTheFirmwareWithinASecond();
    void unpluggedPagerIsReportedAtOnce();
    void unsupportedPagerKeepsTheCommandsDisabled();
    void shutdownSignsOff();
};

void LinkEndToEndTest::connectsAndShowsTheFirmwareWithinASecond()
{
    PagerBench bench;
    QVERIFY2(bench.started, bench.pager.error().c_str());
    bench.pager.setIdentification({0x08, 0x00, 0x00, 0x00, 0x07, 0x02});
    bench.pager.setInformationText("Q9TX simulator");
    TForm1& window = bench.open();

    QTRY_COMPARE_WITH_TIMEOUT(window.statusText(), QStringLiteral("Pager connected."), 1000);
    QCOMPARE(window.firmware->text(), QStringLiteral("V2"));
    QTRY_COMPARE_WITH_TIMEOUT(window.firmware->statusTip(), QStringLiteral("Q9TX simulator"), 1000);
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
    // The port hangs up with the device, which the next tick notices: no reply window
    // to wait out. Loose, against slow machines.
    QVERIFY2(sinceUnplug.elapsed() <= 1000, qPrintable(QString::number(sinceUnplug.elapsed())));
    QVERIFY(!window.ReadFromPager1->isEnabled());
    QCOMPARE(window.firmware->text(), QStringLiteral("--"));
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

QTEST_MAIN(LinkEndToEndTest)
#include "link_e2e_test.moc"
