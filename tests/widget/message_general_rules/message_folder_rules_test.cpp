// Message options, the public folder group and its chain of folders, the space fill of
// fixed-width texts and the refusal of characters the image cannot hold.

#include <memory>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>

#include "editor/settings_view.h"
#include "find_control.h"
#include "image/pager_settings.h"
#include "window_driver.h"

class MessageFolderRulesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowDriver> driver_;
    TForm1& w() { return driver_->window; }

    void leaveStorage(int row, int choice)
    {
        driver_->enter(Control<QComboBox>(w(), QStringLiteral("storage%1").arg(row + 1)));
        WindowDriver::choose(Control<QComboBox>(w(), QStringLiteral("storage%1").arg(row + 1)), choice);
        driver_->leave();
    }
    // Folders 1 to `count` ticked one after the other, as the chain allows.
    void useFolders(int count)
    {
        leaveStorage(0, 1);
        for (int k = 0; k < count; ++k)
            Control<QCheckBox>(w(), QStringLiteral("folderEn%1").arg(k + 1))->click();
    }

private slots:
    void init()
    {
        driver_ = std::make_unique<WindowDriver>();
        QVERIFY(driver_->active);
    }
    void cleanup() { driver_.reset(); }

    // A folder the chain unticked stays a change when the folder before it is ticked again.
    void chainedUntickStaysUnsaved()
    {
        useFolders(2);
        QTemporaryDir dir;
        w().SaveDialog1 = [&](const QString&) { return std::optional<QString>(dir.filePath(QStringLiteral("s.bin"))); };
        w().Save1Click();
        QVERIFY(!w().settingsModified());
        Control<QCheckBox>(w(), QStringLiteral("folderEn1"))->click();
        QVERIFY(!Control<QCheckBox>(w(), QStringLiteral("folderEn2"))->isChecked());
        Control<QCheckBox>(w(), QStringLiteral("folderEn1"))->click();
        QVERIFY(w().settingsModified());
    }

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
        QVERIFY(!Control<QGroupBox>(w(), QStringLiteral("folders"))->isEnabled() &&
                !Control<QCheckBox>(w(), QStringLiteral("folderEn1"))->isChecked());  // as started
        driver_->enter(Control<QComboBox>(w(), QStringLiteral("storage%1").arg(row + 1)));
        WindowDriver::choose(Control<QComboBox>(w(), QStringLiteral("storage%1").arg(row + 1)), 1);
        QVERIFY(!Control<QGroupBox>(w(), QStringLiteral("folders"))->isEnabled());
        driver_->leave();
        for (QWidget* control :
             std::initializer_list<QWidget*>{Control<QGroupBox>(w(), QStringLiteral("folders")),
                                             Control<QComboBox>(w(), QStringLiteral("continuousMode")),
                                             Control<QCheckBox>(w(), QStringLiteral("ignorePublicMessages")),
                                             Control<QCheckBox>(w(), QStringLiteral("hideMessageNumber")),
                                             Control<QCheckBox>(w(), QStringLiteral("folderEn1"))})
            QVERIFY2(control->isEnabled(), qPrintable(control->objectName()));
        QVERIFY(!Control<QCheckBox>(w(), QStringLiteral("folderEn1"))->isChecked());

        for (int k = 0; k < 3; ++k)
            Control<QCheckBox>(w(), QStringLiteral("folderEn%1").arg(k + 1))->click();
        leaveStorage(row, 0);
        QVERIFY(!Control<QGroupBox>(w(), QStringLiteral("folders"))->isEnabled() &&
                !Control<QCheckBox>(w(), QStringLiteral("folderEn1"))
                     ->isEnabledTo(Control<QGroupBox>(w(), QStringLiteral("folders"))));
        for (int k = 0; k < TForm1::kFolderCount; ++k) {
            const QCheckBox* box = Control<QCheckBox>(w(), QStringLiteral("folderEn%1").arg(k + 1));
            QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
        }
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
        Control<QCheckBox>(w(), QStringLiteral("folderEn%1").arg(untick))->click();
        for (int k = 1; k <= TForm1::kFolderCount; ++k) {
            const QByteArray folder = QByteArray::number(k);
            QVERIFY2(Control<QCheckBox>(w(), QStringLiteral("folderEn%1").arg(k))->isChecked() == (k < untick), folder);
            QVERIFY2(Control<QCheckBox>(w(), QStringLiteral("folderEn%1").arg(k))->isEnabled() == (k <= untick),
                     folder);
            QVERIFY2(Control<QLineEdit>(w(), QStringLiteral("folderName%1").arg(k))->isEnabled() == (k < untick),
                     folder);
            QVERIFY2(Control<QLineEdit>(w(), QStringLiteral("folderSize%1").arg(k))->isEnabled() == (k < untick),
                     folder);
        }
        Control<QCheckBox>(w(), QStringLiteral("folderEn%1").arg(untick))->click();
        QVERIFY(Control<QLineEdit>(w(), QStringLiteral("folderSize%1").arg(untick))->isEnabled());
        if (untick < TForm1::kFolderCount)
            QVERIFY(Control<QCheckBox>(w(), QStringLiteral("folderEn%1").arg(untick + 1))->isEnabled() &&
                    !Control<QCheckBox>(w(), QStringLiteral("folderEn%1").arg(untick + 1))->isChecked() &&
                    !Control<QLineEdit>(w(), QStringLiteral("folderName%1").arg(untick + 1))->isEnabled());
    }

    // A file's ticks with a gap (not made by this editor) load as they are; a click then
    // carries the chain on from there. Folders 1 to 16 as '1' (ticked, usable) and '0',
    // missing ones '0'.
    void folderGapsFromAFile_data()
    {
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<int>("click");  // the folder clicked after the load, or 0
        QTest::addColumn<QString>("ticks");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QString>("fields");
        QTest::newRow("2 without 1") << "01" << 0 << "01" << "101" << "01";
        QTest::newRow("2 without 1, tick 1") << "01" << 1 << "11" << "111" << "11";
        QTest::newRow("3 without 2") << "1011" << 0 << "1011" << "11011" << "1011";
        QTest::newRow("3 without 2, tick 2") << "1011" << 2 << "1111" << "11111" << "1111";
        QTest::newRow("3 without 2, untick 1") << "1011" << 1 << "" << "1" << "";
        QTest::newRow("3 without 2, untick 4") << "1011" << 4 << "101" << "11010" << "101";
    }
    void folderGapsFromAFile()
    {
        QFETCH(QString, loaded);
        QFETCH(int, click);
        QFETCH(QString, ticks);
        QFETCH(QString, boxes);
        QFETCH(QString, fields);
        q9tx::PagerSettings settings = q9tx::DefaultSettings();
        settings.setNumber("storage1", 1);
        for (int k = 1; k <= TForm1::kFolderCount; ++k)
            settings.setChecked(q9tx::Member("folderEn", k), k <= loaded.size() && loaded[k - 1] == u'1');
        q9tx::ShowSettings(w().editor(), settings);
        if (click > 0)
            Control<QCheckBox>(w(), QStringLiteral("folderEn%1").arg(click))->click();
        QString shownTicks, shownBoxes, shownFields;
        for (int k = 1; k <= TForm1::kFolderCount; ++k) {
            const auto* box = Control<QCheckBox>(w(), QStringLiteral("folderEn%1").arg(k));
            const bool titleUsable = Control<QLineEdit>(w(), QStringLiteral("folderName%1").arg(k))->isEnabled();
            QCOMPARE(Control<QLineEdit>(w(), QStringLiteral("folderSize%1").arg(k))->isEnabled(), titleUsable);
            shownTicks += box->isChecked() ? u'1' : u'0';
            shownBoxes += box->isEnabled() ? u'1' : u'0';
            shownFields += titleUsable ? u'1' : u'0';
        }
        QCOMPARE(shownTicks, ticks.leftJustified(TForm1::kFolderCount, u'0'));
        QCOMPARE(shownBoxes, boxes.leftJustified(TForm1::kFolderCount, u'0'));
        QCOMPARE(shownFields, fields.leftJustified(TForm1::kFolderCount, u'0'));
    }

    // Each option enables its dependants and changes none of their values.
    void optionRules()
    {
        WindowDriver::choose(Control<QComboBox>(w(), QStringLiteral("unreadReminder")), 1);
        QVERIFY(Control<QComboBox>(w(), QStringLiteral("numReminders"))->isEnabled());
        Control<QComboBox>(w(), QStringLiteral("numReminders"))->setCurrentIndex(2);
        WindowDriver::choose(Control<QComboBox>(w(), QStringLiteral("unreadReminder")), 0);
        QVERIFY(!Control<QComboBox>(w(), QStringLiteral("numReminders"))->isEnabled());
        QCOMPARE(Control<QComboBox>(w(), QStringLiteral("numReminders"))->currentIndex(), 2);

        Control<QCheckBox>(w(), QStringLiteral("keepUnreadWhenDeletingAll"))->setChecked(true);
        Control<QCheckBox>(w(), QStringLiteral("messageOps"))->click();
        QVERIFY(!Control<QCheckBox>(w(), QStringLiteral("keepUnreadWhenDeletingAll"))->isEnabled() &&
                Control<QCheckBox>(w(), QStringLiteral("keepUnreadWhenDeletingAll"))->isChecked());

        Control<QLineEdit>(w(), QStringLiteral("canned4"))->setText(QStringLiteral("kept"));
        for (bool substitute : {true, false}) {
            Control<QCheckBox>(w(), QStringLiteral("cannedMessages"))->click();
            for (int i = 0; i < TForm1::kCannedCount; ++i)
                QVERIFY(Control<QLineEdit>(w(), QStringLiteral("canned%1").arg(i + 1))->isEnabled() == substitute &&
                        Control<QLabel>(w(), QStringLiteral("Label%1").arg(i + 16))->isEnabled() == substitute);
        }
        QCOMPARE(Control<QLineEdit>(w(), QStringLiteral("canned4"))->text(), QStringLiteral("kept"));
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
        QTest::newRow("Latin-1 title") << "folderName1" << "Zür" << "Zür      ";
    }
    void spaceFillOnLeaving()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        auto* edit = w().findChild<QLineEdit*>(field);
        Control<QCheckBox>(w(), QStringLiteral("cannedMessages"))->setChecked(true);
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
        Control<QCheckBox>(w(), QStringLiteral("cannedMessages"))->setChecked(true);
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
