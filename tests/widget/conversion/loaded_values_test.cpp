// Values that pagers and files hold, as the editor shows, judges and stores them after a
// load: longer than the user may type, beyond the editor's ranges, times it cannot
// store, and marks left from before the load.

#include <QTabWidget>
#include <QTest>

#include "conversion_support.h"
#include "editor/field_marks.h"
#include "editor/status_texts.h"
#include "find_control.h"

using q9tx::ConfigImage;
using q9tx::isRefused;

namespace {

using Bytes = std::initializer_list<std::pair<std::size_t, std::uint8_t>>;

// The start-up editor's image with some bytes replaced, as a file of this program.
ConfigImage StartupImageWith(Bytes bytes)
{
    TestWindow window;
    ConfigImage image = window->EncodeImage(std::nullopt);
    for (const auto& [offset, value] : bytes)
        image[offset] = value;
    return Sealed(image);
}

// 150.003125 MHz: a step of 3.125 kHz, ten characters, reachable by the FS8108 the
// editor starts with. The file names the FS8170 (chip type 1, band 0, step code 4).
constexpr std::uint32_t kTenCharacterCounter = 41'153;

ConfigImage ImageWithFrequencyCounter(std::uint8_t byte0, std::uint32_t counter)
{
    return StartupImageWith({{68, byte0},
                             {69, static_cast<std::uint8_t>(counter >> 14)},
                             {70, static_cast<std::uint8_t>(counter >> 6)},
                             {71, static_cast<std::uint8_t>((counter & 0x3F) << 1)}});
}

struct LongValue {
    const char* label;
    ConfigImage image;
    const char* field;
    QString shown;
};

std::vector<LongValue> LongValues()
{
    return {
        // Slot 1 public, so that the folders stay in use.
        {"folder of 256 messages", StartupImageWith({{125, 0x01}, {280, 0x00}, {281, 0xFF}}), "folderSize1", "256"},
        {"folder of 100 messages", StartupImageWith({{125, 0x01}, {280, 0}, {281, 4}, {282, 5}, {283, 104}}),
         "folderSize2", "100"},
        {"frequency of ten characters", ImageWithFrequencyCounter(0x44, kTenCharacterCounter), "frequency",
         "150.003125"},
        {"contrast of three digits", StartupImageWith({{120, 200}}), "lcdBaseContrast", "200"},
    };
}

QLineEdit* Edit(TForm1& window, const char* name) { return window.findChild<QLineEdit*>(QLatin1String(name)); }

}  // namespace

class LoadedValuesTest : public QObject {
    Q_OBJECT

private slots:
    void longValuesAreShownWholeAndStoredUnchanged()
    {
        for (const LongValue& test : LongValues()) {
            TestWindow window;
            window->DecodeImage(test.image);
            QLineEdit* field = Edit(*window, test.field);
            QVERIFY2(field->text() == test.shown, qPrintable(QLatin1String(test.label) + u' ' + field->text()));
            QVERIFY2(!isRefused(field), test.label);
            QVERIFY2(window->ValidateSettings(), test.label);
            QVERIFY2(window->EncodeImage(std::nullopt) == test.image, test.label);
            QVERIFY2(window.errors.isEmpty(), test.label);
        }
    }

    // The limit holds for typing and pasting into a long value: nothing may be added,
    // and what was deleted cannot be typed back beyond the limit.
    void typingPastTheLimitIsStillRefused()
    {
        for (const LongValue& test : LongValues()) {
            TestWindow window;
            window->DecodeImage(test.image);
            QLineEdit* field = Edit(*window, test.field);
            const int limit = field->property("maxLength").toInt();
            QTest::keyClick(field, Qt::Key_End);
            QTest::keyClicks(field, QStringLiteral("1"));
            field->insert(QStringLiteral("2"));
            QVERIFY2(field->text() == test.shown, qPrintable(QLatin1String(test.label) + u' ' + field->text()));
            QTest::keyClick(field, Qt::Key_Backspace);
            QVERIFY2(field->text() == test.shown.chopped(1), test.label);
            QTest::keyClicks(field, QStringLiteral("1"));
            const QString expected = test.shown.size() - 1 < limit ? test.shown.chopped(1) + u'1' : test.shown.chopped(1);
            QVERIFY2(field->text() == expected, qPrintable(QLatin1String(test.label) + u' ' + field->text()));
        }
    }

    void typingUpToTheLimit_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("capcode") << "address1" << "123456789" << "1234567";
        QTest::newRow("range hold time") << "rangeHoldTime" << "1234" << "123";
        QTest::newRow("tone pattern in upper case") << "toneA" << "abcde" << "ABCD";
        QTest::newRow("banner") << "banner" << "123456789012345678901" << "12345678901234567890";
    }
    void typingUpToTheLimit()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        TestWindow window;
        auto* edit = window->findChild<QLineEdit*>(field);
        edit->clear();
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), kept);
        edit->clear();
        edit->insert(typed);  // pasted: what does not fit is cut off
        QCOMPARE(edit->text(), kept);
        edit->setCursorPosition(1);
        edit->insert(QStringLiteral("99"));
        QCOMPARE(edit->text(), kept);
    }

    // A whole number of megahertz below 100 is no frequency any chip takes. Filled
    // before it was judged it would read as ten times as much.
    void frequencyBelowTheBandsIsRefusedAsItIs()
    {
        TestWindow window;
        // 23 MHz: band 0, step 12.5 kHz, counter 128.
        window->DecodeImage(ImageWithFrequencyCounter(0x40, 128));
        QCOMPARE(Control<QLineEdit>(*window, QStringLiteral("frequency"))->text(), QStringLiteral("23"));
        QVERIFY(isRefused(Control<QLineEdit>(*window, QStringLiteral("frequency"))));
        QCOMPARE(window->statusText(), q9tx::StatusText(q9tx::StatusIllegalFrequency));
        QVERIFY(!window->ValidateSettings());
        QCOMPARE(Control<QLineEdit>(*window, QStringLiteral("frequency"))->text(), QStringLiteral("23"));
    }

    void belowRangeContrastLoadsUnmarkedAndIsStored()
    {
        const ConfigImage image = StartupImageWith({{120, 5}});
        TestWindow window;
        window->DecodeImage(image);
        QCOMPARE(Control<QLineEdit>(*window, QStringLiteral("lcdBaseContrast"))->text(), QStringLiteral("5"));
        QVERIFY(!isRefused(Control<QLineEdit>(*window, QStringLiteral("lcdBaseContrast"))));
        QVERIFY(window->ValidateSettings());
        QVERIFY(window->EncodeImage(std::nullopt) == image);
    }

    // A mark belongs to the value that earned it; the load replaces every marked value.
    void marksFromBeforeTheLoadDoNotBlock_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("refusedText");
        QTest::newRow("capcode") << "address3" << "0000001";
        QTest::newRow("contrast") << "lcdBaseContrast" << "7";
        QTest::newRow("display hold time") << "displayHoldTime" << "256";
        QTest::newRow("range hold time") << "rangeHoldTime" << "";
        QTest::newRow("frequency") << "frequency" << "300";
        QTest::newRow("start time") << "start2" << "25:00";
        QTest::newRow("finish time") << "finish4" << "12:60";
    }
    void marksFromBeforeTheLoadDoNotBlock()
    {
        QFETCH(QString, field);
        QFETCH(QString, refusedText);
        const ConfigImage image = StartupImageWith({});
        TestWindow window;
        auto* edit = window->findChild<QLineEdit*>(field);
        edit->setText(refusedText);
        q9tx::setRefused(edit, true);
        QVERIFY(!window->ValidateSettings());
        window->DecodeImage(image);
        QVERIFY(!isRefused(edit));
        QVERIFY(window->ValidateSettings());
        QVERIFY(window->EncodeImage(std::nullopt) == image);
    }

    // A value that is still wrong after the load is marked again by the load's rules.
    void loadMarksWhatTheNewValuesEarn()
    {
        TestWindow window;
        q9tx::setRefused(Control<QLineEdit>(*window, QStringLiteral("address2")), true);
        window->DecodeImage(StartupImageWith({{40, 0x06}, {41, 0x04}, {42, 0}, {43, 0}}));  // slot 2: capcode 0
        QCOMPARE(Control<QLineEdit>(*window, QStringLiteral("address2"))->text(), QStringLiteral("0000000"));
        QVERIFY(isRefused(Control<QLineEdit>(*window, QStringLiteral("address2"))));
        QVERIFY(!window->ValidateSettings());
    }

    // A time the image holds with a minute of three digits, or one with a position left
    // blank, cannot be stored: Save and Write refuse it by name, schedule in use or not.
    void timeThatCannotBeStoredIsRefused_data()
    {
        QTest::addColumn<bool>("scheduleInUse");
        QTest::addColumn<int>("minuteOffset");  // the image's minute of three digits, or 0
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");     // a blank position typed instead
        QTest::newRow("minute 150, schedule in use") << true << 409 << "start1" << "";
        QTest::newRow("minute 150, schedule not in use") << false << 409 << "start1" << "";
        QTest::newRow("finish minute 255, schedule not in use") << false << 423 << "finish4" << "";
        QTest::newRow("blank minute, schedule not in use") << false << 0 << "finish6" << "17:";
        QTest::newRow("blank hour digit, schedule in use") << true << 0 << "start3" << " 9:00";
    }
    void timeThatCannotBeStoredIsRefused()
    {
        QFETCH(bool, scheduleInUse);
        QFETCH(int, minuteOffset);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        Bytes bytes = {{131, scheduleInUse ? 0x20 : 0x00}};
        ConfigImage image = StartupImageWith(bytes);
        if (minuteOffset) {
            image[static_cast<std::size_t>(minuteOffset)] = 150;
            image = Sealed(image);
        }
        TestWindow window;
        window->DecodeImage(image);
        auto* edit = window->findChild<QLineEdit*>(field);
        if (!typed.isEmpty())
            edit->setText(typed);
        Control<QTabWidget>(*window, QStringLiteral("PageControl1"))
            ->setCurrentWidget(Control<QWidget>(*window, QStringLiteral("general")));
        window->setStatusText(QString());
        int dialogs = 0;
        window->SaveDialog1 = [&dialogs](const QString&) -> std::optional<QString> {
            ++dialogs;
            return std::nullopt;
        };
        window->Save1Click();
        QCOMPARE(dialogs, 0);
        QVERIFY(isRefused(edit));
        QCOMPARE(window->statusText(), q9tx::StatusText(q9tx::StatusIllegalValue));
        QCOMPARE(Control<QTabWidget>(*window, QStringLiteral("PageControl1"))->currentWidget(),
                 Control<QWidget>(*window, QStringLiteral("timefilters")));
        window->WriteToPager1Click();
        QVERIFY(window.link.sent.empty());
        QVERIFY2(window.errors.isEmpty(), qPrintable(window.errors.join(u'\n')));
    }
};

QTEST_MAIN(LoadedValuesTest)
#include "loaded_values_test.moc"
