// Range fields and their spin buttons, alert options, tone patterns, menus, BS1 and BS3,
// and the frequency field with a dot or a comma as the locale's decimal separator.

#include <memory>

#include <QCheckBox>
#include <QLocale>

#include "editor/general_page.h"
#include "editor/settings_editor.h"
#include "editor/up_down_button.h"
#include "find_control.h"
#include "window_driver.h"

namespace {

const QString kIllegalValue = QStringLiteral("Illegal value.");
const QString kIllegalFrequency = QStringLiteral("Illegal frequency.");

// Table texts use a dot; each row runs with both separators.
QString WithSeparator(QString text, QChar separator) { return text.replace(QLatin1Char('.'), separator); }

template <typename... Values>
void AddSeparatorRows(const char* name, const Values&... values)
{
    for (char separator : {'.', ','})
        ((QTest::addRow("%s [%c]", name, separator) << QChar(QLatin1Char(separator))) << ... << values);
}

}  // namespace

class GeneralRulesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowDriver> driver_;
    TForm1& w() { return driver_->window; }
    QLineEdit* edit(const QString& name) { return w().findChild<QLineEdit*>(name); }

    bool openWindow(QChar separator)
    {
        driver_.reset();
        QLocale::setDefault(QLocale(separator == QLatin1Char(',') ? QLocale::German : QLocale::English));
        driver_ = std::make_unique<WindowDriver>();
        return driver_->active && w().decimalSeparator() == separator;
    }

private slots:
    void init() { QVERIFY(openWindow(QLatin1Char('.'))); }
    void cleanup() { driver_.reset(); }

    void rangeFieldEdges_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        for (auto [field, typed, refused] : {std::tuple{"lcdBaseContrast", "7", true}, {"lcdBaseContrast", "8", false},
                                            {"lcdBaseContrast", "63", false}, {"lcdBaseContrast", "64", true},
                                            {"lcdBaseContrast", "", true}, {"displayHoldTime", "0", false},
                                            {"displayHoldTime", "255", false}, {"displayHoldTime", "256", true},
                                            {"displayHoldTime", "", true}, {"rangeHoldTime", "0", false},
                                            {"rangeHoldTime", "255", false}, {"rangeHoldTime", "256", true},
                                            {"rangeHoldTime", "", true}})
            QTest::addRow("%s '%s'", field, typed) << QString::fromLatin1(field) << QString::fromLatin1(typed) << refused;
    }
    // A refused value keeps its text; mended and left again, the mark goes.
    void rangeFieldEdges()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        for (auto [text, expected] : {std::pair{typed, refused}, {QStringLiteral("20"), false}}) {
            w().setStatusText(QStringLiteral("earlier"));
            driver_->typeAndLeave(edit(field), text);
            QCOMPARE(edit(field)->text(), text);
            COMPARE_REFUSED(edit(field), expected);
            QCOMPARE(w().statusText(), expected ? kIllegalValue : QString());
        }
    }

    void spinButtonWhileInTheField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("stepped");
        QTest::newRow("contrast up from 63") << "lcdBaseContrast" << "63" << int(Qt::Key_Up) << "8";
        QTest::newRow("contrast down from 8") << "lcdBaseContrast" << "8" << int(Qt::Key_Down) << "63";
        QTest::newRow("display hold up from 255") << "displayHoldTime" << "255" << int(Qt::Key_Up) << "0";
        QTest::newRow("range hold down from 0") << "rangeHoldTime" << "0" << int(Qt::Key_Down) << "255";
    }
    void spinButtonWhileInTheField()
    {
        QFETCH(QString, field);
        QFETCH(QString, start);
        QFETCH(int, key);
        QFETCH(QString, stepped);
        QLineEdit* range = edit(field);
        auto* upDown = w().findChild<q9tx::UpDownButton*>(field + QStringLiteral("UpDown"));
        range->setText(start);
        QVERIFY(upDown->isHidden());
        driver_->enter(range);
        QVERIFY(upDown->isVisible());
        QTest::keyClick(range, Qt::Key(key));
        QCOMPARE(range->text(), stepped);
        driver_->leave();
        QVERIFY(upDown->isHidden());
    }

    // Pasted text the conversion cannot read goes to the error box; colour and mark stay,
    // and the spin button still goes with the focus.
    void unreadableRangeValue()
    {
        driver_->typeAndLeave(Control<QLineEdit>(w(), QStringLiteral("lcdBaseContrast")), QStringLiteral("7"));
        driver_->pasteAndLeave(Control<QLineEdit>(w(), QStringLiteral("lcdBaseContrast")), QStringLiteral("1x"));
        QCOMPARE(driver_->errors, QStringList{QStringLiteral("'1x' is not a valid integer value")});
        COMPARE_REFUSED(Control<QLineEdit>(w(), QStringLiteral("lcdBaseContrast")), true);
        QVERIFY(Control<q9tx::UpDownButton>(w(), QStringLiteral("lcdBaseContrastUpDown"))->isHidden());
    }

    void muteOptionAndMenus()
    {
        for (int mode : {2, 0}) {  // "Vibrate", then "Let user choose" again
            Control<QCheckBox>(w(), QStringLiteral("muteOption"))->setChecked(mode == 2);
            WindowDriver::choose(Control<QComboBox>(w(), QStringLiteral("fixedAlertMode")), mode);
            QVERIFY(Control<QCheckBox>(w(), QStringLiteral("muteOption"))->isEnabled() == (mode == 0) &&
                    !Control<QCheckBox>(w(), QStringLiteral("muteOption"))->isChecked());
        }
        for (auto [setup, useSchedule] : {std::pair{false, true}, {true, false}, {true, true}}) {
            Control<QCheckBox>(w(), QStringLiteral("useSchedule"))->setChecked(useSchedule);
            Control<QCheckBox>(w(), QStringLiteral("setup"))->setChecked(setup);
            QVERIFY(Control<QCheckBox>(w(), QStringLiteral("powerOff"))->isEnabled() == setup &&
                    Control<QCheckBox>(w(), QStringLiteral("textSize"))->isEnabled() == setup);
            QCOMPARE(Control<QCheckBox>(w(), QStringLiteral("schedule"))->isEnabled(), setup && useSchedule);
            QVERIFY(Control<QCheckBox>(w(), QStringLiteral("schedule"))->isChecked() &&
                    Control<QCheckBox>(w(), QStringLiteral("textSize"))->isChecked() &&
                    Control<QCheckBox>(w(), QStringLiteral("powerOff"))->isChecked());
        }
    }

    void tonePatterns_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("lower case") << "3c" << "3C00";
        QTest::newRow("g, minus and space ignored") << "g- 1" << "1000";
        QTest::newRow("empty") << "" << "0000";
        QTest::newRow("full") << "abcd" << "ABCD";
    }
    void tonePatterns()
    {
        QFETCH(QString, typed);
        QFETCH(QString, left);
        for (QLineEdit* tone : w().editor().generalPage().tonePatterns()) {
            driver_->typeAndLeave(tone, typed);
            QCOMPARE(tone->text(), left);
        }
    }

    void thresholds_data()
    {
        QTest::addColumn<QString>("bs1");
        QTest::addColumn<QString>("bs3");
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("bs1After");
        QTest::addColumn<QString>("bs3After");
        QTest::addColumn<QString>("error");
        QTest::newRow("40/35 leaving bs1") << "40" << "35" << "bs1" << "34" << "35" << "";
        QTest::newRow("40/35 leaving bs3") << "40" << "35" << "bs3" << "40" << "41" << "";
        QTest::newRow("bs1 1") << "1" << "31" << "bs1" << "2" << "31" << "";
        QTest::newRow("bs3 99") << "30" << "99" << "bs3" << "30" << "62" << "";
        QTest::newRow("0/0 leaving bs1") << "0" << "0" << "bs1" << "2" << "3" << "";
        QTest::newRow("99/99 leaving bs3") << "99" << "99" << "bs3" << "61" << "62" << "";
        QTest::newRow("-1 read unsigned") << "-1" << "31" << "bs1" << "30" << "31" << "";
        QTest::newRow("empty bs3") << "99" << "" << "bs1" << "99" << "" << "'' is not a valid integer value";
    }
    void thresholds()
    {
        QFETCH(QString, bs1);
        QFETCH(QString, bs3);
        QFETCH(QString, left);
        QFETCH(QString, bs1After);
        QFETCH(QString, bs3After);
        QFETCH(QString, error);
        Control<QLineEdit>(w(), QStringLiteral("bs1"))->setText(bs1);
        Control<QLineEdit>(w(), QStringLiteral("bs3"))->setText(bs3);
        driver_->enter(edit(left));
        driver_->leave();
        QCOMPARE(Control<QLineEdit>(w(), QStringLiteral("bs1"))->text(), bs1After);
        QCOMPARE(Control<QLineEdit>(w(), QStringLiteral("bs3"))->text(), bs3After);
        QCOMPARE(driver_->errors.join(QString()), error);
    }

    // The separator only after three characters; the filter does not stop a second one.
    void frequencyKeyFilter_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        AddSeparatorRows("separator after 43", "43.", "43");
        AddSeparatorRows("separator after 433", "433.", "433.");
        AddSeparatorRows("second separator", "433.9.", "433.9.");
        AddSeparatorRows("letters, signs, spaces", "4a-+ e5", "45");
    }
    void frequencyKeyFilter()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QVERIFY(openWindow(separator));
        driver_->enter(Control<QLineEdit>(w(), QStringLiteral("frequency")));
        Control<QLineEdit>(w(), QStringLiteral("frequency"))->clear();
        WindowDriver::type(Control<QLineEdit>(w(), QStringLiteral("frequency")), WithSeparator(typed, separator));
        WindowDriver::type(Control<QLineEdit>(w(), QStringLiteral("frequency")),
                           separator == QLatin1Char('.') ? QStringLiteral(",") : QStringLiteral("."));
        QCOMPARE(Control<QLineEdit>(w(), QStringLiteral("frequency"))->text(), WithSeparator(kept, separator));
    }

    void frequencyCheck_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<int>("chip");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QString>("shown");  // empty: refused, the entered text stays
        QTest::addColumn<int>("spacing");
        AddSeparatorRows("decimals filled", 2, "433.925", "433.92500", 0);
        AddSeparatorRows("whole megahertz", 2, "454", "454.00000", 0);
        AddSeparatorRows("6.25 kHz step", 2, "0457.6125", "457.61250", 2);
        AddSeparatorRows("10 kHz step", 1, "160.01", "160.01000", 1);
        AddSeparatorRows("step without an item", 1, "929.6125", "929.61250", -1);
        AddSeparatorRows("300 MHz", 2, "300", "", 0);
        AddSeparatorRows("99.9 MHz", 0, "99.9", "", 0);
        AddSeparatorRows("no step divides", 2, "457.6001", "", 0);
        AddSeparatorRows("empty", 2, "", "", 0);
    }
    void frequencyCheck()
    {
        QFETCH(QChar, separator);
        QFETCH(int, chip);
        QFETCH(QString, entered);
        QFETCH(QString, shown);
        QFETCH(int, spacing);
        QVERIFY(openWindow(separator));
        Control<QComboBox>(w(), QStringLiteral("pllChip"))->setCurrentIndex(chip);
        w().setStatusText(QStringLiteral("earlier"));
        driver_->pasteAndLeave(Control<QLineEdit>(w(), QStringLiteral("frequency")), WithSeparator(entered, separator));
        const bool refused = shown.isEmpty();
        COMPARE_REFUSED(Control<QLineEdit>(w(), QStringLiteral("frequency")), refused);
        QCOMPARE(w().statusText(), refused ? kIllegalFrequency : QString());
        QCOMPARE(Control<QLineEdit>(w(), QStringLiteral("frequency"))->text(),
                 WithSeparator(refused ? entered : shown, separator));
        QCOMPARE(Control<QComboBox>(w(), QStringLiteral("channelSpacing"))->currentIndex(), spacing);
    }

    // Only leaving the field checks it, not choosing another chip.
    void chipChangeDoesNotRecheck()
    {
        WindowDriver::choose(Control<QComboBox>(w(), QStringLiteral("pllChip")), 1);
        driver_->typeAndLeave(Control<QLineEdit>(w(), QStringLiteral("frequency")), QStringLiteral("400"));
        WindowDriver::choose(Control<QComboBox>(w(), QStringLiteral("pllChip")), 2);
        COMPARE_REFUSED(Control<QLineEdit>(w(), QStringLiteral("frequency")), false);
        QCOMPARE(Control<QLineEdit>(w(), QStringLiteral("frequency"))->text(), QStringLiteral("400.00000"));
        driver_->enter(Control<QLineEdit>(w(), QStringLiteral("frequency")));
        driver_->leave();
        COMPARE_REFUSED(Control<QLineEdit>(w(), QStringLiteral("frequency")), true);
    }

    void unreadableFrequency_data()
    {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("pasted");
        AddSeparatorRows("second separator", "433.9.5");
        AddSeparatorRows("non-ASCII digit", "45\u0663");
    }
    // Colour, mark, status and text stay as they were.
    void unreadableFrequency()
    {
        QFETCH(QChar, separator);
        QFETCH(QString, pasted);
        QVERIFY(openWindow(separator));
        driver_->pasteAndLeave(Control<QLineEdit>(w(), QStringLiteral("frequency")), QStringLiteral("300"));
        const QString text = WithSeparator(pasted, separator);
        driver_->pasteAndLeave(Control<QLineEdit>(w(), QStringLiteral("frequency")), text);
        QCOMPARE(driver_->errors, QStringList{QStringLiteral("'%1' is not a valid floating point value").arg(text)});
        COMPARE_REFUSED(Control<QLineEdit>(w(), QStringLiteral("frequency")), true);
        QCOMPARE(w().statusText(), kIllegalFrequency);
        QCOMPARE(Control<QLineEdit>(w(), QStringLiteral("frequency"))->text(), text);
    }
};

QTEST_MAIN(GeneralRulesTest)
#include "general_rules_test.moc"
