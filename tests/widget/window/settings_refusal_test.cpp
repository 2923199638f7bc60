// A save or write that the validation refuses never leaves an earlier success in view:
// the first refused field says why, on its page and with the focus.

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "conversion_support.h"
#include "editor/field_marks.h"
#include "editor/general_page.h"
#include "editor/settings_editor.h"
#include "find_control.h"

using namespace q9tx;

namespace {

const QString kStale = QStringLiteral("Write completed.");

void Deliver(TForm1& window, const WindowMessage& message)
{
    window.postMessage(message);
    QCoreApplication::sendPostedEvents(&window);
}

// A header block of a pager whose factory byte names chip `chip`.
WindowMessage HeaderReply(std::uint8_t chip)
{
    std::vector<std::uint8_t> frame(1 + kBlockSize, 0);
    frame[0] = std::uint8_t(kBlockSize);
    frame[1] = 0x28;
    frame[2] = 0xAC;
    frame[3] = 1;
    frame[1 + 8] = chip;
    return WindowMessage{WM_PAGER_BLOCK, 1, 0, std::move(frame)};
}

// Shows the window and makes it active; its save dialog counts each time it is asked
// and is cancelled.
bool ShowWithCountedSaveDialog(TestWindow& test, int& dialogs)
{
    test->show();
    test->activateWindow();
    test->SaveDialog1 = [&dialogs](const QString&) -> std::optional<QString> {
        ++dialogs;
        return std::nullopt;
    };
    return QTest::qWaitForWindowActive(test.window.get());
}

}  // namespace

class SettingsRefusalTest : public QObject {
    Q_OBJECT
private slots:
    void refusalShowsTheFirstRefusedField_data();
    void refusalShowsTheFirstRefusedField();
    void frequencyTheChipCannotTakeIsMarked();
    void foldersBeyondTheLastSlotAreRefused_data();
    void foldersBeyondTheLastSlotAreRefused();
};

void SettingsRefusalTest::refusalShowsTheFirstRefusedField_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("field");  // refused by its exit rule, then the status goes stale
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("second");  // a later refused field, or none
    QTest::addColumn<QString>("shown");   // already in the status bar, or empty for kStale
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("focus");

    for (bool save : {false, true}) {
        const char* command = save ? "save: " : "write: ";
        const auto row = [&](const char* name) -> QTestData& {
            return QTest::newRow(qPrintable(command + QString::fromLatin1(name)));
        };
        row("advanced into a used capcode") << save << "address2" << "2004000" << "" << "" << "The capcode has been used."
                                            << "channels" << "address2";
        row("illegal capcode before a bad contrast")
            << save << "address8" << "0000007" << "lcdBaseContrast" << "" << "Illegal capcode." << "channels" << "address8";
        row("contrast") << save << "lcdBaseContrast" << "7" << "" << "" << "Illegal value." << "general" << "lcdBaseContrast";
        row("frequency") << save << "frequency" << "300" << "" << "" << "Illegal frequency." << "general" << "frequency";
        // A refusal whose message is in view stays as it was: no page change, no focus move.
        row("message already shown") << save << "lcdBaseContrast" << "7" << "" << "Illegal value." << "Illegal value."
                                     << "timefilters" << "banner";
    }
}

void SettingsRefusalTest::refusalShowsTheFirstRefusedField()
{
    QFETCH(bool, save);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, second);
    QFETCH(QString, shown);
    QFETCH(QString, status);
    QFETCH(QString, page);
    QFETCH(QString, focus);
    TestWindow test;
    int dialogs = 0;
    QVERIFY(ShowWithCountedSaveDialog(test, dialogs));
    for (const QString& name : {field, second}) {
        if (name.isEmpty())
            continue;
        auto* edit = test->findChild<QLineEdit*>(name);
        QVERIFY(edit);
        edit->setFocus();
        edit->setText(name == field ? text : QStringLiteral("7"));
        Control<QLineEdit>(*test, QStringLiteral("banner"))->setFocus();  // leaving runs the exit rule
        QVERIFY(isRefused(edit));
    }
    // The user goes on elsewhere; an earlier success or the refusal is in view.
    Control<QTabWidget>(*test, QStringLiteral("PageControl1"))
        ->setCurrentWidget(Control<QWidget>(*test, QStringLiteral("timefilters")));
    Control<QLineEdit>(*test, QStringLiteral("banner"))->setFocus();
    test->setStatusText(shown.isEmpty() ? kStale : shown);

    if (save)
        test->Save1Click();
    else
        test->WriteToPager1Click();

    QVERIFY(test.link.sent.empty());
    QCOMPARE(dialogs, 0);
    QCOMPARE(test->statusText(), status);
    QCOMPARE(Control<QTabWidget>(*test, QStringLiteral("PageControl1"))->currentWidget()->objectName(), page);
    QCOMPARE(QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(), focus);
    QVERIFY(test.errors.isEmpty());
}

void SettingsRefusalTest::frequencyTheChipCannotTakeIsMarked()
{
    TestWindow test;
    // A frequency of the 900 MHz band, which the FS8170 can tune and the FS8108 cannot.
    Control<QComboBox>(*test, QStringLiteral("pllChip"))->setCurrentIndex(1);
    Control<QLineEdit>(*test, QStringLiteral("frequency"))
        ->setText(QStringLiteral("929%16125").arg(test->decimalSeparator()));
    test->editor().generalPage().FrequencyExit();
    QVERIFY(!isRefused(Control<QLineEdit>(*test, QStringLiteral("frequency"))));
    test->WriteToPager1Click();
    Deliver(*test, HeaderReply(2));
    QCOMPARE(test->statusText(), QStringLiteral("Illegal frequency."));
    QVERIFY(isRefused(Control<QLineEdit>(*test, QStringLiteral("frequency"))));
    QCOMPARE(test.link.sent.size(), std::size_t(1));
    QVERIFY(!test->transferRunning());
}

void SettingsRefusalTest::foldersBeyondTheLastSlotAreRefused_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("save") << true;
    QTest::newRow("write") << false;
}

void SettingsRefusalTest::foldersBeyondTheLastSlotAreRefused()
{
    QFETCH(bool, save);
    TestWindow test;
    int dialogs = 0;
    QVERIFY(ShowWithCountedSaveDialog(test, dialogs));
    // Public storage opens the folders; four of them, the fourth starting at slot 255.
    Control<QTabWidget>(*test, QStringLiteral("PageControl1"))
        ->setCurrentWidget(Control<QWidget>(*test, QStringLiteral("channels")));
    Control<QComboBox>(*test, QStringLiteral("storage1"))->setFocus();
    Control<QComboBox>(*test, QStringLiteral("storage1"))->setCurrentIndex(1);
    emit Control<QComboBox>(*test, QStringLiteral("storage1"))->activated(1);
    Control<QLineEdit>(*test, QStringLiteral("address1"))->setFocus();
    Control<QTabWidget>(*test, QStringLiteral("PageControl1"))
        ->setCurrentWidget(Control<QWidget>(*test, QStringLiteral("storage")));
    const char* sizes[] = {"99", "99", "57", "1"};
    for (int k = 0; k < 4; ++k) {
        QVERIFY(Control<QCheckBox>(*test, QStringLiteral("folderEn%1").arg(k + 1))->isEnabled());
        QTest::mouseClick(Control<QCheckBox>(*test, QStringLiteral("folderEn%1").arg(k + 1)), Qt::LeftButton);
        Control<QLineEdit>(*test, QStringLiteral("folderSize%1").arg(k + 1))->setFocus();
        Control<QLineEdit>(*test, QStringLiteral("folderSize%1").arg(k + 1))->selectAll();
        QTest::keyClicks(Control<QLineEdit>(*test, QStringLiteral("folderSize%1").arg(k + 1)),
                         QString::fromLatin1(sizes[k]));
    }
    Control<QTabWidget>(*test, QStringLiteral("PageControl1"))
        ->setCurrentWidget(Control<QWidget>(*test, QStringLiteral("channels")));
    Control<QLineEdit>(*test, QStringLiteral("address1"))->setFocus();
    test->setStatusText(kStale);

    const auto command = [&] { save ? test->Save1Click() : test->WriteToPager1Click(); };
    command();
    QVERIFY(test.link.sent.empty());
    QCOMPARE(dialogs, 0);
    QCOMPARE(test->statusText(), QStringLiteral("The folders need more slots than the pager has. Make them smaller."));
    QVERIFY(Control<QTabWidget>(*test, QStringLiteral("PageControl1"))
                ->currentWidget()
                ->isAncestorOf(Control<QLineEdit>(*test, QStringLiteral("folderSize4"))));
    QCOMPARE(QApplication::focusWidget(), Control<QLineEdit>(*test, QStringLiteral("folderSize4")));

    // One slot fewer and the settings go on.
    Control<QLineEdit>(*test, QStringLiteral("folderSize3"))->setFocus();
    Control<QLineEdit>(*test, QStringLiteral("folderSize3"))->selectAll();
    QTest::keyClicks(Control<QLineEdit>(*test, QStringLiteral("folderSize3")), QStringLiteral("56"));
    command();
    if (save)
        QCOMPARE(dialogs, 1);
    else
        QCOMPARE(test.link.sent.size(), std::size_t(1));
    QVERIFY(test.errors.isEmpty());
}

QTEST_MAIN(SettingsRefusalTest)
#include "settings_refusal_test.moc"
