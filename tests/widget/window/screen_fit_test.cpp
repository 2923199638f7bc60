// The window at the desktop's font and at a large one, at the scale the run is started
// with (QT_SCALE_FACTOR): every field shows its longest value whole, the window lies
// inside the screen's free area also while the progress panel shows, and every control
// has a name of its own for a screen reader.

#include <algorithm>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QTabWidget>
#include <QTest>

#include "app/tform1.h"
#include "editor/field_marks.h"
#include "editor/readable_red.h"
#include "editor/screen_fit.h"
#include "fake_link.h"
#include "find_control.h"

namespace {

// The width QLineEdit leaves its text.
int TextRoom(const QLineEdit* edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->contentsRect();
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    return contents.marginsRemoved(edit->textMargins()).width() - 2 * 2;
}

int TextRoom(const QComboBox* box)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    return box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box).width();
}

// The font the desktop gives the application, before any test sets another.
QFont DesktopFont()
{
    static const QFont desktop = QApplication::font();
    return desktop;
}

QFont LargeFont()
{
    QFont font = DesktopFont();
    font.setPointSize(14);
    return font;
}

}  // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { DesktopFont(); }
    void cleanupTestCase() { window_.reset(); }

    void fieldsShowTheirLongestValue_data()
    {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("longest");  // empty: each item of the drop-down
        const struct {
            const char* name;
            const char* longest;
        } fields[] = {
            {"address1", "2097151"},    {"serialNum", "00000000"},   {"frequency", "457.60000"},
            {"toneA", "FFFC"},          {"toneWarning", "DBDB"},     {"start7", "00:00"},
            {"folderName16", "WWWWWWWWW"}, {"folderSize9", "99"},    {"canned4", "MMMMMMMMMMMMMMMM"},
            {"displayHoldTime", "255"}, {"passcode", "0000"},        {"banner", "WWWWWWWWWWWWWWWWWWWW"},
            {"format8D", ""},           {"messageEncoding", ""},     {"numReminders", ""},
            {"period1", ""},            {"fixedAlertMode", ""},      {"menuLanguage", ""},
        };
        for (const auto& [label, font] : {std::pair{"desktop font", DesktopFont()}, std::pair{"14 pt", LargeFont()}}) {
            for (const auto& field : fields)
                QTest::addRow("%s, %s", label, field.name)
                    << font << QString::fromLatin1(field.name) << QString::fromLatin1(field.longest);
        }
    }

    void fieldsShowTheirLongestValue()
    {
        QFETCH(QFont, font);
        QFETCH(QString, name);
        QFETCH(QString, longest);
        TForm1& window = shown(font);
        auto* field = window.findChild<QWidget*>(name);
        QVERIFY(field);
        auto* const pages = Control<QTabWidget>(window, QStringLiteral("PageControl1"));
        for (int page = 0; page < pages->count(); ++page) {
            if (pages->widget(page)->isAncestorOf(field))
                pages->setCurrentIndex(page);
        }
        QApplication::processEvents();
        const QFontMetrics metrics(field->font());
        QStringList values{longest};
        if (auto* box = qobject_cast<QComboBox*>(field)) {
            values.clear();
            for (int i = 0; i < box->count(); ++i)
                values << box->itemText(i);
        }
        for (const QString& value : values) {
            const int room = qobject_cast<QComboBox*>(field) ? TextRoom(qobject_cast<QComboBox*>(field))
                                                             : TextRoom(qobject_cast<QLineEdit*>(field));
            QVERIFY2(metrics.horizontalAdvance(value) <= room,
                     qPrintable(QStringLiteral("%1 needs %2, has %3").arg(value).arg(metrics.horizontalAdvance(value)).arg(room)));
        }
    }

    void windowStaysOnScreen_data()
    {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<bool>("progressShown");
        QTest::newRow("desktop font") << DesktopFont() << false;
        QTest::newRow("desktop font, progress shown") << DesktopFont() << true;
        QTest::newRow("14 pt") << LargeFont() << false;
        QTest::newRow("14 pt, progress shown") << LargeFont() << true;
    }

    void windowStaysOnScreen()
    {
        QFETCH(QFont, font);
        QFETCH(bool, progressShown);
        TForm1& window = shown(font);
        window.progress->setVisible(progressShown);
        QApplication::processEvents();
        QApplication::processEvents();
        const QRect available = window.screen()->availableGeometry();
        QVERIFY2(available.contains(window.frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4 outside %5x%6")
                                .arg(window.frameGeometry().x()).arg(window.frameGeometry().y())
                                .arg(window.frameGeometry().width()).arg(window.frameGeometry().height())
                                .arg(available.width()).arg(available.height())));
        // At the desktop's own font and scale a laptop screen shows the pages whole.
        if (font == DesktopFont() && qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) {
            for (const QScrollBar* bar : window.findChildren<QScrollBar*>())
                QVERIFY(!bar->isVisible());
        }
        // The status bar and the progress panel are never scrolled away.
        for (QWidget* part : {static_cast<QWidget*>(window.StatusBar1), window.progress}) {
            if (part->isVisible())
                QVERIFY(available.contains(QRect(part->mapToGlobal(QPoint()), part->size())));
        }
    }

    // Rows: where the window asks to be, where the screen's free area is, where it goes.
    void fitInside_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("fitted");
        const QRect laptop(0, 0, 1280, 770);  // a panel at the bottom
        QTest::newRow("fits where it is") << QRect(100, 50, 800, 500) << laptop << QRect(100, 50, 800, 500);
        QTest::newRow("left of the screen") << QRect(-36, 10, 800, 500) << laptop << QRect(0, 10, 800, 500);
        QTest::newRow("below the panel") << QRect(100, 400, 800, 500) << laptop << QRect(100, 270, 800, 500);
        QTest::newRow("larger than the screen") << QRect(-36, -20, 1400, 900) << laptop << QRect(0, 0, 1280, 770);
        QTest::newRow("second screen") << QRect(1900, 100, 800, 500) << QRect(1280, 0, 1920, 1080)
                                       << QRect(1900, 100, 800, 500);
        QTest::newRow("between two screens") << QRect(1000, 100, 800, 500) << QRect(1280, 0, 1920, 1080)
                                             << QRect(1280, 100, 800, 500);
    }

    void fitInside()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, available);
        QFETCH(QRect, fitted);
        QCOMPARE(q9tx::FitInside(frame, available), fitted);
    }

    void controlsHaveNamesOfTheirOwn()
    {
        TForm1& window = shown(DesktopFont());
        QSet<QString> names;
        int named = 0;
        for (QWidget* control : window.findChildren<QWidget*>()) {
            const bool input = qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                               qobject_cast<QAbstractButton*>(control) || qobject_cast<QProgressBar*>(control);
            if (!input || control->objectName().isEmpty() || control->objectName().startsWith(QLatin1String("qt_")))
                continue;
            // On Linux Qt names a drop-down by its value, as AT-SPI expects; its name is
            // then the one given here.
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY(accessible);
            const QString name =
                qobject_cast<QComboBox*>(control) ? control->accessibleName() : accessible->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(control->objectName()));
            // A label of its own, where a screen reader on Linux finds the drop-down's name.
            if (qobject_cast<QComboBox*>(control)) {
                const auto labels = accessible->relations(QAccessible::Label);
                QVERIFY2(std::any_of(labels.begin(), labels.end(),
                                     [](const auto& label) { return qobject_cast<QLabel*>(label.first->object()); }),
                         qPrintable(control->objectName()));
            }
            QVERIFY2(!names.contains(name), qPrintable(control->objectName() + QStringLiteral(": ") + name));
            names.insert(name);
            ++named;
        }
        QVERIFY(named > 200);
        for (const auto& [object, name] : {std::pair{"address1", "Address 1 capcode"}, std::pair{"start1", "Monday start"},
                                           std::pair{"folderSize3", "Folder 3 size"},
                                           std::pair{"format2A", "Address 2 function A format"}})
            QCOMPARE(window.findChild<QWidget*>(QLatin1String(object))->accessibleName(), QLatin1String(name));
    }

    // A refused field says why, in the words the status bar shows.
    void refusalsAreDescribed()
    {
        TForm1& window = shown(DesktopFont());
        auto* capcode = window.findChild<QLineEdit*>(QStringLiteral("address1"));
        auto* other = window.findChild<QLineEdit*>(QStringLiteral("address2"));
        q9tx::setRefused(capcode, true);
        window.setStatusText(QStringLiteral("Illegal capcode."));
        q9tx::setRefused(other, true);
        window.setStatusText(QStringLiteral("The capcode has been used."));
        QCOMPARE(capcode->accessibleDescription(), QStringLiteral("Illegal capcode."));
        QCOMPARE(other->accessibleDescription(), QStringLiteral("The capcode has been used."));
        q9tx::setRefused(capcode, false);
        QCOMPARE(capcode->accessibleDescription(), QString());
    }

    // The reds against the colours they meet on light and dark themes.
    void redsRead_data()
    {
        QTest::addColumn<QColor>("other");
        QTest::newRow("white") << QColor(Qt::white);
        QTest::newRow("light window") << QColor(0xEF, 0xEF, 0xEF);
        QTest::newRow("dark window") << QColor(0x35, 0x35, 0x35);
        QTest::newRow("black text") << QColor(Qt::black);
        QTest::newRow("white text") << QColor(0xFC, 0xFC, 0xFC);
        QTest::newRow("mid grey") << QColor(0x77, 0x77, 0x77);
    }

    void redsRead()
    {
        QFETCH(QColor, other);
        const QColor red = q9tx::ReadableRed(other);
        QVERIFY2(q9tx::ContrastRatio(red, other) >= 4.5, qPrintable(red.name()));
        QCOMPARE(red.hslHue(), 0);
        QVERIFY(red.red() > red.green());
    }

    void contrastRatio_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("pure red on white") << QColor(Qt::red) << QColor(Qt::white) << 4.0;
        QTest::newRow("pure red on black") << QColor(Qt::red) << QColor(Qt::black) << 5.25;
        QTest::newRow("equal") << QColor(0x35, 0x35, 0x35) << QColor(0x35, 0x35, 0x35) << 1.0;
    }

    void contrastRatio()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, ratio);
        QVERIFY(qAbs(q9tx::ContrastRatio(a, b) - ratio) < 0.01);
        QVERIFY(qAbs(q9tx::ContrastRatio(b, a) - ratio) < 0.01);
    }

private:
    // A window built at that font; one per font, as building takes a while.
    TForm1& shown(const QFont& font)
    {
        if (window_ && font == windowFont_)
            return *window_;
        window_.reset();
        windowFont_ = font;
        QApplication::setFont(font);
        window_ = std::make_unique<TForm1>(link_);
        window_->show();
        QApplication::processEvents();
        return *window_;
    }

    QFont windowFont_;
    FakeLink link_;
    std::unique_ptr<TForm1> window_;
};

QTEST_MAIN(ScreenFitTest)
#include "screen_fit_test.moc"
