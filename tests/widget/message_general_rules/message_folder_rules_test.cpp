// Message options, the public folder group and its chain of folders, the space fill of
// fixed-width texts and the refusal of characters the image cannot hold.

#include <memory>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

#include "window_driver.h"

class MessageFolderRulesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowDriver> driver_;
    TForm1& w() { return driver_->window; }

    void leaveStorage(int row, int choice)
    {
        driver_->enter(w().storage[row]);
        WindowDriver::choose(w().storage[row], choice);
        driver_->leave();
    }
    // Folders 1 to `count` ticked one after the other, as the chain allows.
    void useFolders(int count)
    {
        leaveStorage(0, 1);
        for (int k = 0; k < count; ++k)
            w().folderEn[k]->click();
    }

private slots:
    void init()
    {
        driver_ = std::make_unique<WindowDriver>();
        QVERIFY(driver_->active);
    }
    void cleanup() { driver_.reset(); }

    // Only leaving a storage drop-down re-evaluates the group; any "Public" opens it.
    void folderGroupFollowsPublicStorage_data()
    {
        QTest::addColumn<int>("row");
        for (int row = 0; row < TForm1::kStorageChoiceCount; ++row)
            QTest::addRow("storage%d", row + 1) << row;
    }
    void folderGroupFollowsPublicStorage()
    {
        QFETCH(int, row);
        QVERIFY(!w().folders->isEnabled() && !w().folderEn[0]->isChecked());  // as started
        driver_->enter(w().storage[row]);
        WindowDriver::choose(w().storage[row], 1);
        QVERIFY(!w().folders->isEnabled());
        driver_->leave();
        for (QWidget* control : std::initializer_list<QWidget*>{w().folders, w().continuousMode, w().ignorePublicMessages,
                                                                w().hideMessageNumber, w().folderEn[0]})
            QVERIFY2(control->isEnabled(), qPrintable(control->objectName()));
        QVERIFY(!w().folderEn[0]->isChecked());

        for (int k = 0; k < 3; ++k)
            w().folderEn[k]->click();
        leaveStorage(row, 0);
        QVERIFY(!w().folders->isEnabled() && !w().folderEn[0]->isEnabledTo(w().folders));
        for (QCheckBox* box : w().folderEn)
            QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
    }

    // Unticking folder `untick` of the folders in use breaks the chain there; ticking it
    // again only offers the next folder.
    void folderChain_data()
    {
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("untick");
        QTest::newRow("1-5 used, untick 3") << 5 << 3;
        QTest::newRow("1-16 used, untick 1") << 16 << 1;
        QTest::newRow("1-16 used, untick 16") << 16 << 16;
    }
    void folderChain()
    {
        QFETCH(int, used);
        QFETCH(int, untick);
        useFolders(used);
        w().folderEn[untick - 1]->click();
        for (int k = 1; k <= TForm1::kFolderCount; ++k) {
            const QByteArray folder = QByteArray::number(k);
            QVERIFY2(w().folderEn[k - 1]->isChecked() == (k < untick), folder);
            QVERIFY2(w().folderEn[k - 1]->isEnabled() == (k <= untick), folder);
            QVERIFY2(w().folderName[k - 1]->isEnabled() == (k < untick), folder);
            QVERIFY2(w().folderSize[k - 1]->isEnabled() == (k < untick), folder);
        }
        w().folderEn[untick - 1]->click();
        QVERIFY(w().folderSize[untick - 1]->isEnabled());
        if (untick < TForm1::kFolderCount)
            QVERIFY(w().folderEn[untick]->isEnabled() && !w().folderEn[untick]->isChecked() &&
                    !w().folderName[untick]->isEnabled());
    }

    // Each option enables its dependants and changes none of their values.
    void optionRules()
    {
        WindowDriver::choose(w().unreadReminder, 1);
        QVERIFY(w().numReminders->isEnabled());
        w().numReminders->setCurrentIndex(2);
        WindowDriver::choose(w().unreadReminder, 0);
        QVERIFY(!w().numReminders->isEnabled());
        QCOMPARE(w().numReminders->currentIndex(), 2);

        w().keepUnreadWhenDeletingAll->setChecked(true);
        w().messageOps->click();
        QVERIFY(!w().keepUnreadWhenDeletingAll->isEnabled() && w().keepUnreadWhenDeletingAll->isChecked());

        w().canned[3]->setText(QStringLiteral("kept"));
        for (bool substitute : {true, false}) {
            w().cannedMessages->click();
            for (int i = 0; i < TForm1::kCannedCount; ++i)
                QVERIFY(w().canned[i]->isEnabled() == substitute && w().cannedLabel[i]->isEnabled() == substitute);
        }
        QCOMPARE(w().canned[3]->text(), QStringLiteral("kept"));
    }

    void spaceFillOnLeaving_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("folder title") << "folderName2" << "Inbox" << "Inbox    ";
        QTest::newRow("empty canned text") << "canned1" << "" << QString(16, QLatin1Char(' '));
        QTest::newRow("full canned text") << "canned4" << "sixteen chars ok" << "sixteen chars ok";
        QTest::newRow("serial number") << "serialNum" << "1234" << "1234    ";
        QTest::newRow("banner") << "banner" << "Hi " << "Hi                  ";
    }
    void spaceFillOnLeaving()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        auto* edit = w().findChild<QLineEdit*>(field);
        w().cannedMessages->setChecked(true);
        useFolders(2);
        driver_->typeAndLeave(edit, typed);
        QCOMPARE(edit->text(), left);
    }

    // The image holds one byte per character: whatever has no Latin-1 form never gets in.
    void multiByteCharactersRefused_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<bool>("typed");  // else pasted
        QTest::addColumn<QString>("kept");
        QTest::newRow("typed Latin-1") << "banner" << "Zürich Café" << true << "Zürich Café";
        QTest::newRow("typed euro sign") << "folderName1" << "5€" << true << "5";
        QTest::newRow("pasted Greek") << "canned2" << "AΔB" << false << "AB";
        QTest::newRow("pasted emoji") << "serialNum" << "x\U0001F600y" << false << "xy";
        QTest::newRow("pasted into comment") << "comment" << "\u00FF\u0100" << false << "\u00FF";
        QTest::newRow("pasted into passcode") << "passcode" << "69\u0664" << false << "69";
    }
    void multiByteCharactersRefused()
    {
        QFETCH(QString, field);
        QFETCH(QString, entered);
        QFETCH(bool, typed);
        QFETCH(QString, kept);
        auto* edit = w().findChild<QLineEdit*>(field);
        w().cannedMessages->setChecked(true);
        useFolders(1);
        driver_->enter(edit);
        edit->clear();
        if (typed)
            WindowDriver::type(edit, entered);
        else
            edit->insert(entered);
        QCOMPARE(edit->text(), kept);
        QCOMPARE(edit->cursorPosition(), kept.size());
    }
};

QTEST_MAIN(MessageFolderRulesTest)
#include "message_folder_rules_test.moc"
