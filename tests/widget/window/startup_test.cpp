// The window as construction leaves it, the user's decimal separator, and the link's
// start and stop.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "find_control.h"
#include "app/tform1.h"
#include "editor/readable_red.h"
#include "editor/up_down_button.h"
#include "fake_link.h"

namespace {

enum class Shown { Hidden, NotHidden };
enum class Usable { Disabled, Enabled };

}  // namespace

Q_DECLARE_METATYPE(Shown)
Q_DECLARE_METATYPE(Usable)

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { window_ = std::make_unique<TForm1>(link_); }
    void cleanupTestCase() { window_.reset(); }

    void controlState_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Shown>("shown");
        QTest::addColumn<Usable>("usable");
        const struct {
            const char* name;
            Shown shown;
            Usable usable;
        } rows[] = {
            {"factory", Shown::Hidden, Usable::Enabled},
            {"progress", Shown::Hidden, Usable::Enabled},
            {"settings", Shown::NotHidden, Usable::Enabled},
            {"displayHoldTimeUpDown", Shown::Hidden, Usable::Enabled},
            {"lcdBaseContrastUpDown", Shown::Hidden, Usable::Enabled},
            {"rangeHoldTimeUpDown", Shown::Hidden, Usable::Enabled},
            {"pllChip", Shown::NotHidden, Usable::Disabled},
            {"channelSpacing", Shown::Hidden, Usable::Disabled},
            {"Label54", Shown::Hidden, Usable::Enabled},
            {"serialInc", Shown::Hidden, Usable::Enabled},
            {"banner1", Shown::Hidden, Usable::Enabled},
            {"mapVersion", Shown::NotHidden, Usable::Disabled},
            // The disconnected look: no pager has told of its features yet.
            {"escalatingAlerts", Shown::Hidden, Usable::Enabled},
        };
        for (const auto& row : rows)
            QTest::newRow(row.name) << QString::fromLatin1(row.name) << row.shown << row.usable;
    }

    void controlState()
    {
        QFETCH(QString, name);
        QFETCH(Shown, shown);
        QFETCH(Usable, usable);
        auto* control = window_->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->isHidden(), shown == Shown::Hidden);
        QCOMPARE(control->isEnabled(), usable == Usable::Enabled);
    }

    // The values construction writes over the form's are in the inventory table.
    void constructionValues()
    {
        TForm1& w = *window_;
        QCOMPARE(Control<QTabWidget>(w, QStringLiteral("PageControl1"))->currentWidget(),
                 Control<QWidget>(w, QStringLiteral("general")));
        QCOMPARE(Control<QLineEdit>(w, QStringLiteral("banner"))->text().size(), 20);
        const QColor actionRed = w.action->palette().color(QPalette::WindowText);
        QVERIFY(actionRed.hslHue() == 0 && actionRed.red() > actionRed.green());
        QVERIFY(q9tx::ContrastRatio(actionRed, w.action->palette().color(QPalette::Window)) >= q9tx::kLegibleContrast);
        QVERIFY(!w.ReadFromPager1->isEnabled());
        QVERIFY(!w.WriteToPager1->isEnabled());
        QVERIFY(!w.writeInProgress);
        QCOMPARE(w.currentFileName, QStringLiteral("Settings.bin"));
        QVERIFY(!w.StatusBar1->isSizeGripEnabled());
    }

    void windowFrame()
    {
        TForm1& w = *window_;
        QCOMPARE(w.objectName(), QStringLiteral("Form1"));
        // "[*]" is where the toolkit shows that the editor holds changes.
        QCOMPARE(w.windowTitle(), QStringLiteral("Q9TX Programmer[*]"));
        QVERIFY(!w.isWindowModified());
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(w.acceptDrops());
        // Sized to its content: about 609 by 500 in the form's own font.
        QVERIFY2(w.width() >= 500 && w.width() <= 900, qPrintable(QString::number(w.width())));
        QVERIFY2(w.height() >= 400 && w.height() <= 650, qPrintable(QString::number(w.height())));
    }

    void linkStartedAndTimerRunning()
    {
        QCOMPARE(link_.starts, 1);
        QCOMPARE(link_.sink, static_cast<q9tx::MessageSink*>(window_.get()));
        QCOMPARE(link_.stops, 0);
        QVERIFY(window_->Timer1->isActive());
        QCOMPARE(window_->Timer1->interval(), 50);
        const int before = link_.ticks;
        QTRY_VERIFY_WITH_TIMEOUT(link_.ticks > before, 2000);
    }

    void decimalSeparator_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QChar>("separator");
        QTest::newRow("point") << QLocale(QLocale::English, QLocale::UnitedStates) << "457.6000" << QChar(u'.');
        QTest::newRow("comma") << QLocale(QLocale::German, QLocale::Germany) << "457,6000" << QChar(u',');
    }

    // The frequency's own check may fill the text out; it starts with the default.
    void decimalSeparator()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, frequency);
        QFETCH(QChar, separator);
        const QLocale previous;
        QLocale::setDefault(locale);
        FakeLink link;
        TForm1 window(link);
        QLocale::setDefault(previous);
        QVERIFY2(Control<QLineEdit>(window, QStringLiteral("frequency"))->text().startsWith(frequency),
                 qPrintable(Control<QLineEdit>(window, QStringLiteral("frequency"))->text()));
        QCOMPARE(window.decimalSeparator(), separator);
    }

    void destructionStopsTheLinkOnce()
    {
        FakeLink link;
        {
            TForm1 window(link);
            QCOMPARE(link.stops, 0);
        }
        QCOMPARE(link.stops, 1);
    }

    void exitClosesTheWindow()
    {
        FakeLink link;
        TForm1 window(link);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.Exit1->trigger();
        QVERIFY(!window.isVisible());
    }

private:
    FakeLink link_;
    std::unique_ptr<TForm1> window_;
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
