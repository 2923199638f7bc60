// The transfers driven message by message through the window's handler with a fake link:
// placement of blocks, verdicts, the header check, the address advance, one operation at
// a time, recovery mode and the about box.

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QTest>

#include "conversion_support.h"
#include "editor/field_marks.h"
#include "editor/addresses_page.h"
#include "editor/settings_editor.h"
#include "find_control.h"
#include "transfer_test_support.h"

using namespace q9tx;

namespace {

const ConfigImage kPager = AsConfigImage(sim::FactoryImage());

WindowMessage BlockReply(const ConfigImage& image, int block, int length = int(kBlockSize))
{
    const std::size_t count = std::size_t(std::min(length, int(kBlockSize)));
    std::vector<std::uint8_t> frame(1 + count, std::uint8_t(length));  // length byte, then payload
    std::copy_n(image.begin() + block * kBlockSize, count, frame.begin() + 1);
    return WindowMessage{WM_PAGER_BLOCK, static_cast<std::uint32_t>(block + 1), 0, std::move(frame)};
}

void Deliver(TForm1& window, const WindowMessage& message)
{
    window.postMessage(message);
    QCoreApplication::sendPostedEvents(&window);
}

void DeliverAck(TForm1& window, std::uint32_t code) { Deliver(window, {WM_PAGER_ACK, code, 0, {}}); }

// Every row its own capcode far from the others, no steps.
void SpreadAddresses(TForm1& window)
{
    for (int n = 0; n < TForm1::kAddressCount; ++n) {
        Control<QLineEdit>(window, QStringLiteral("address%1").arg(n + 1))
            ->setText(QString::number(1100000 + 10000 * n));
        window.editor().addressesPage().AddressExit(n);
    }
}

// A write up to the acknowledgement of block 15, checking that each block waits for the
// acknowledgement of the one before.
void WriteAllBlocks(TestWindow& test)
{
    test->WriteToPager1Click();
    Deliver(*test, BlockReply(kPager, 0));
    for (std::uint32_t block = 1; block <= kBlockCount; ++block) {
        QCOMPARE(test.link.sent.size(), std::size_t(block + 1));
        DeliverAck(*test, block);
    }
    QCOMPARE(Commands(test.link.sent), QList<int>{0x60} + Range(0x70, 0x7F));
}

}  // namespace

class TransferWindowTest : public QObject {
    Q_OBJECT
private slots:
    void readFollowsTheBlockThatArrived_data();
    void readFollowsTheBlockThatArrived();
    void verdictEndsTheWrite_data();
    void verdictEndsTheWrite();
    void headerIsCheckedBeforeAnythingIsWritten_data();
    void headerIsCheckedBeforeAnythingIsWritten();
    void addressesAdvanceAndAreTested_data();
    void addressesAdvanceAndAreTested();
    void silentReadGivesUp();
    void verifyingPagerIsGivenLonger_data();
    void verifyingPagerIsGivenLonger();
    void secondOperationIsIgnoredWhileOneRuns();
    void recoveryModeTogglesTheChipList();
    void aboutBoxShowsTitleAndVersion();
};

void TransferWindowTest::readFollowsTheBlockThatArrived_data()
{
    QTest::addColumn<ConfigImage>("image");
    QTest::addColumn<QList<int>>("replies");  // block numbers answered, in order
    QTest::addColumn<QList<int>>("requests");
    QTest::addColumn<QString>("status");

    // Blocks 3 and 4 all zero: a read that never receives them completes, since the buffer
    // starts cleared, but only when block 5 lands at its own place.
    ConfigImage gap = kPager;
    std::fill(gap.begin() + 3 * kBlockSize, gap.begin() + 5 * kBlockSize, 0);
    ConfigImage corrupted = kPager;
    corrupted[200] ^= 0x01;

    QTest::newRow("in order") << kPager << Range(0, 15) << Range(0x60, 0x6F) << "Read completed.";
    QTest::newRow("block 5 while 3 was asked for") << Sealed(gap) << (Range(0, 2) + Range(5, 15))
                                                   << (Range(0x60, 0x63) + Range(0x66, 0x6F)) << "Read completed.";
    QTest::newRow("wrong check word") << corrupted << Range(0, 15) << Range(0x60, 0x6F) << "The content is corrupted.";
}

void TransferWindowTest::readFollowsTheBlockThatArrived()
{
    QFETCH(ConfigImage, image);
    QFETCH(QList<int>, replies);
    QFETCH(QList<int>, requests);
    QFETCH(QString, status);
    TestWindow test;
    TestWindow decoded;
    decoded->DecodeImage(image);

    test->ReadFromPager1Click();
    for (int i = 0; i < replies.size(); ++i) {
        QCOMPARE(test.link.sent.size(), std::size_t(i + 1));
        Deliver(*test, BlockReply(image, replies[i]));
    }
    QCOMPARE(Commands(test.link.sent), requests);
    QCOMPARE(test->statusText(), status);
    QVERIFY(!test->transferRunning() && Control<QWidget>(*test, QStringLiteral("settings"))->isEnabled());
    QCOMPARE(CarriedDifferences(*decoded, *test).isEmpty(), status == QLatin1String("Read completed."));
}

void TransferWindowTest::verdictEndsTheWrite_data()
{
    QTest::addColumn<QList<int>>("verdicts");
    QTest::addColumn<QString>("status");

    QTest::newRow("J then L") << QList<int>{AckVerifying, AckCompleted} << "Write completed.";
    QTest::newRow("L without J") << QList<int>{AckCompleted} << "Write completed.";
    QTest::newRow("J then K") << QList<int>{AckVerifying, AckFailedK} << "Cannot write. Please try again.";
    QTest::newRow("M") << QList<int>{AckFailedM} << "Cannot write. Please try again.";
    QTest::newRow("verdict lost") << QList<int>{AckVerifying} << "Cannot write. Please try again.";
}

void TransferWindowTest::verdictEndsTheWrite()
{
    QFETCH(QList<int>, verdicts);
    QFETCH(QString, status);
    const QString advanced = QLatin1String(status == QLatin1String("Write completed.") ? "1100008" : "1100000");
    TestWindow test;
    SpreadAddresses(*test);
    Control<QComboBox>(*test, QStringLiteral("autoInc1"))->setCurrentIndex(8);
    test->transferSilenceLimit = 100;
    test->verdictSilenceLimit = 100;

    WriteAllBlocks(test);
    for (int verdict : verdicts)
        DeliverAck(*test, static_cast<std::uint32_t>(verdict));
    QTRY_COMPARE_WITH_TIMEOUT(test->statusText(), status, 2000);
    QCOMPARE(Control<QLineEdit>(*test, QStringLiteral("address1"))->text(), advanced);
    QVERIFY(!test->writeInProgress && test->progress->isHidden() &&
            Control<QWidget>(*test, QStringLiteral("settings"))->isEnabled());
    // A late verdict belongs to no write.
    DeliverAck(*test, AckCompleted);
    QCOMPARE(Control<QLineEdit>(*test, QStringLiteral("address1"))->text(), advanced);
    QCOMPARE(test.link.sent.size(), std::size_t(17));
}

void TransferWindowTest::headerIsCheckedBeforeAnythingIsWritten_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("offset");  // a header byte to change; -1 for none
    QTest::addColumn<QString>("status");

    QTest::newRow("short header") << 20 << -1 << "Cannot read. Please try again.";
    QTest::newRow("empty header") << 0 << -1 << "Cannot read. Please try again.";
    QTest::newRow("wrong magic") << 32 << 1 << "Pager unsupported.";
    QTest::newRow("wrong layout version") << 32 << 2 << "Pager unsupported.";
}

void TransferWindowTest::headerIsCheckedBeforeAnythingIsWritten()
{
    QFETCH(int, length);
    QFETCH(int, offset);
    QFETCH(QString, status);
    TestWindow test;
    ConfigImage pager = kPager;
    if (offset >= 0)
        pager[offset] ^= 0x10;

    test->WriteToPager1Click();
    // A verdict before the header belongs to an earlier write.
    DeliverAck(*test, AckCompleted);
    Deliver(*test, BlockReply(pager, 0, length));
    DeliverAck(*test, 1);
    QCOMPARE(Commands(test.link.sent), QList<int>{0x60});
    QCOMPARE(test->statusText(), status);
    QVERIFY(!test->writeInProgress && test->progress->isHidden() &&
            Control<QWidget>(*test, QStringLiteral("settings"))->isEnabled());
}

void TransferWindowTest::addressesAdvanceAndAreTested_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("inUse");
    QTest::addColumn<bool>("isPublic");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("capcode");
    QTest::addColumn<QString>("rowThreeHolds");  // empty: its own spread capcode
    QTest::addColumn<QString>("advanced");
    QTest::addColumn<bool>("refused");

    QTest::newRow("private slot 1") << 0 << true << false << 8 << "2004000" << "" << "2004008" << false;
    QTest::newRow("public slot 1") << 0 << true << true << 8 << "2004000" << "" << "2004000" << false;
    QTest::newRow("unticked slot 1") << 0 << false << false << 8 << "2004000" << "" << "2004000" << false;
    QTest::newRow("slot 5, step 1") << 4 << true << false << 1 << "2004032" << "" << "2004033" << false;
    QTest::newRow("into the reserved range") << 0 << true << false << 8 << "2007660" << "" << "2007668" << true;
    QTest::newRow("onto its first capcode") << 7 << true << false << 1 << "2007663" << "" << "2007664" << true;
    QTest::newRow("onto another row's capcode")
        << 0 << true << false << 8 << "2004000" << "2004008" << "2004008" << true;
}

void TransferWindowTest::addressesAdvanceAndAreTested()
{
    QFETCH(int, row);
    QFETCH(bool, inUse);
    QFETCH(bool, isPublic);
    QFETCH(int, step);
    QFETCH(QString, capcode);
    QFETCH(QString, rowThreeHolds);
    QFETCH(QString, advanced);
    QFETCH(bool, refused);
    TestWindow test;
    SpreadAddresses(*test);
    Apply(*test, {{"address3", rowThreeHolds.isEmpty() ? "1120000" : "2004008"}});
    Control<QLineEdit>(*test, QStringLiteral("address%1").arg(row + 1))->setText(capcode);
    Control<QCheckBox>(*test, QStringLiteral("addrEn%1").arg(row + 1))->setChecked(inUse);
    if (row < TForm1::kStorageChoiceCount)
        Control<QComboBox>(*test, QStringLiteral("storage%1").arg(row + 1))->setCurrentIndex(isPublic ? 1 : 0);
    Control<QComboBox>(*test, QStringLiteral("autoInc%1").arg(row + 1))->setCurrentIndex(step);

    WriteAllBlocks(test);
    DeliverAck(*test, AckCompleted);
    QCOMPARE(test->statusText(), QStringLiteral("Write completed."));
    QCOMPARE(Control<QLineEdit>(*test, QStringLiteral("address%1").arg(row + 1))->text(), advanced);
    QCOMPARE(isRefused(Control<QLineEdit>(*test, QStringLiteral("address%1").arg(row + 1))), refused);
    if (!refused)
        QCOMPARE(Control<QLabel>(*test, QStringLiteral("frame%1").arg(row + 1))->text(),
                 QString::number(advanced.toInt() % 8));

    // A refused address keeps the next pager from being written with it.
    const std::size_t sentBefore = test.link.sent.size();
    test->WriteToPager1Click();
    QCOMPARE(test.link.sent.size(), sentBefore + (refused ? 0 : 1));
}

void TransferWindowTest::silentReadGivesUp()
{
    TestWindow test;
    test->transferSilenceLimit = 100;
    test->ReadFromPager1Click();
    Deliver(*test, BlockReply(kPager, 0));
    QTRY_COMPARE_WITH_TIMEOUT(test->statusText(), QStringLiteral("Cannot read. Please try again."), 2000);
    QVERIFY(test->progress->isHidden() && Control<QWidget>(*test, QStringLiteral("settings"))->isEnabled());
    test->ReadFromPager1Click();
    QCOMPARE(Commands(test.link.sent), (QList<int>{0x60, 0x61, 0x60}));
}

void TransferWindowTest::verifyingPagerIsGivenLonger_data()
{
    QTest::addColumn<bool>("verifying");
    QTest::addColumn<bool>("verdictComes");
    QTest::addColumn<QString>("status");

    QTest::newRow("verdict after the short limit") << true << true << "Write completed.";
    QTest::newRow("verdict never comes") << true << false << "Cannot write. Please try again.";
    QTest::newRow("last acknowledgement, no J") << false << false << "Cannot write. Please try again.";
}

// While the pager verifies, a verdict later than the limit for a missing block is no
// failure; the longer limit still ends a write whose verdict never comes.
void TransferWindowTest::verifyingPagerIsGivenLonger()
{
    QFETCH(bool, verifying);
    QFETCH(bool, verdictComes);
    QFETCH(QString, status);
    TestWindow test;
    SpreadAddresses(*test);
    test->transferSilenceLimit = 50;
    test->verdictSilenceLimit = 1000;
    WriteAllBlocks(test);
    if (verifying)
        DeliverAck(*test, AckVerifying);
    QTest::qWait(250);
    QCOMPARE(test->transferRunning(), verifying);
    if (verdictComes)
        DeliverAck(*test, AckCompleted);
    QTRY_COMPARE_WITH_TIMEOUT(test->statusText(), status, 5000);
    QVERIFY(!test->transferRunning() && !test->writeInProgress);
}

void TransferWindowTest::secondOperationIsIgnoredWhileOneRuns()
{
    TestWindow test;
    bool dialogShown = false;
    test->OpenDialog1 = [&dialogShown](const QString&) {
        dialogShown = true;
        return std::optional<QString>();
    };

    test->ReadFromPager1Click();
    test->ReadFromPager1Click();
    test->WriteToPager1Click();
    test->Open1Click();
    QCOMPARE(Commands(test.link.sent), QList<int>{0x60});
    QVERIFY(!test->writeInProgress && !dialogShown);
    QCOMPARE(test->statusText(), QStringLiteral("Reading..."));

    // The pager lost: the read is over, and the next one starts again at block 0.
    Deliver(*test, {WM_PAGER_LINK, LinkPagerLost, 0, {}});
    QVERIFY(!test->transferRunning() && Control<QWidget>(*test, QStringLiteral("settings"))->isEnabled());
    test->ReadFromPager1Click();
    QCOMPARE(Commands(test.link.sent), (QList<int>{0x60, 0x60}));
}

void TransferWindowTest::recoveryModeTogglesTheChipList()
{
    TestWindow test;
    test->Recover1->trigger();
    QVERIFY(test->Recover1->isChecked() && Control<QComboBox>(*test, QStringLiteral("pllChip"))->isEnabled());
    Control<QComboBox>(*test, QStringLiteral("pllChip"))->setCurrentIndex(1);
    test->Recover1->trigger();
    QVERIFY(!test->Recover1->isChecked() && !Control<QComboBox>(*test, QStringLiteral("pllChip"))->isEnabled());
    QCOMPARE(Control<QComboBox>(*test, QStringLiteral("pllChip"))->currentText(), QStringLiteral("FS8170"));
}

void TransferWindowTest::aboutBoxShowsTitleAndVersion()
{
    TestWindow test;
    QStringList shown;
    test->AboutBox1 = [&shown](const QString& caption, const QString& text) { shown << caption << text; };
    test->About1->trigger();
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown[0], QStringLiteral("Q9TX Programmer"));
    QVERIFY2(shown[1].startsWith(QLatin1String("V1.6.3")) && !shown[1].contains(u'\n'), qPrintable(shown[1]));
    for (const char* part : {"Copyright", "GPL-3.0-or-later", "href=\"https://www.gnu.org/licenses/gpl-3.0.html\""})
        QVERIFY2(shown[1].contains(QLatin1String(part)), part);
}

QTEST_MAIN(TransferWindowTest)
#include "transfer_window_test.moc"
