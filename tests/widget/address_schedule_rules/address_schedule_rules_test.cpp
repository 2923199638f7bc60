// The address and schedule rules and the settings validation, driven on the real
// window as a user would: focus changes, typed keys, choices and ticks.

#include <memory>
#include <optional>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "app/tform1.h"
#include "editor/error_box.h"
#include "editor/field_marks.h"
#include "editor/schedule_page.h"
#include "editor/settings_editor.h"
#include "editor/text_conversion.h"
#include "editor/up_down_button.h"
#include "fake_link.h"
#include "find_control.h"

namespace {

const QString kIllegalCapcode = QStringLiteral("Illegal capcode.");
const QString kCapcodeUsed = QStringLiteral("The capcode has been used.");
const QString kIllegalValue = QStringLiteral("Illegal value.");
const QString kEnterNumber = QStringLiteral("Please enter a number.");

// A refused field is red and carries its mark; the two must never disagree.
bool Marked(const QWidget* field)
{
    const bool red =
        field->palette().color(QPalette::Active, QPalette::Base) == q9tx::MarkColour(QApplication::palette(field));
    QTest::qVerify(red == q9tx::isRefused(field), "red == mark", "", __FILE__, __LINE__);
    return red;
}

bool Shown(const QWidget* control) { return control->isVisibleTo(control->window()); }

enum Scenario {
    StartUp,
    MarkedUntickedAddress,
    TypingInAddress,
    TypingInContrast,
    InvertedDayUsed,
    InvertedDayUnused,
    MarkedTimesOnDisabledDay
};

}  // namespace

class AddressScheduleRulesTest : public QObject {
    Q_OBJECT

    FakeLink link_;
    std::unique_ptr<TForm1> w_;
    QStringList errors_;
    q9tx::ErrorReporter previousReporter_;

    void show(QWidget* page)
    {
        Control<QTabWidget>(*w_, QStringLiteral("PageControl1"))->setCurrentWidget(page);
        w_->show();
        QApplication::setActiveWindow(w_.get());
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    }
    static void focus(QWidget* control)
    {
        control->setFocus(Qt::TabFocusReason);
        QVERIFY(control->hasFocus());
    }
    // Replaces the text by keys: the field is emptied with Backspace first.
    static void typeOver(QLineEdit* field, const QString& keys)
    {
        focus(field);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, keys);
    }
    // Masked time fields are overwritten from the first position.
    static void typeTime(QLineEdit* field, const QString& digits)
    {
        focus(field);
        field->setCursorPosition(0);
        QTest::keyClicks(field, digits);
    }
    static void choose(QComboBox* box, int index)
    {
        focus(box);
        while (box->currentIndex() != index)
            QTest::keyClick(box, box->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    }

private slots:
    void init()
    {
        errors_.clear();
        previousReporter_ = q9tx::SetErrorReporter([this](const QString& text) { errors_ << text; });
        w_ = std::make_unique<TForm1>(link_);
    }
    void cleanup()
    {
        w_.reset();
        q9tx::SetErrorReporter(previousReporter_);
    }

    void textToInt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<int>("value");
        QTest::newRow("signed") << "-12" << true << -12;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483648LL);
        QTest::newRow("too large") << "2147483648" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("letter") << "12a" << false << 0;
        QTest::newRow("space") << " 12" << false << 0;
    }
    void textToInt()
    {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        QFETCH(int, value);
        try {
            QCOMPARE(q9tx::TextToInt(text), value);
            QVERIFY(readable);
        } catch (const q9tx::ConversionError& error) {
            QVERIFY(!readable);
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
    }

    void capcodeIsTestedOnLeaving_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("legal");
        // Typed digit by digit: an illegal text keeps the frame of the last legal one.
        QTest::addColumn<QString>("frame");
        QTest::newRow("empty") << "" << false << "-";
        QTest::newRow("7") << "7" << false << "-";
        QTest::newRow("2007664") << "2007664" << false << "6";
        QTest::newRow("2007671") << "2007671" << false << "7";
        QTest::newRow("2045056") << "2045056" << false << "1";
        QTest::newRow("2045063") << "2045063" << false << "2";
        QTest::newRow("2097144") << "2097144" << false << "2";
        QTest::newRow("9999999") << "9999999" << false << "7";
        QTest::newRow("8") << "8" << true << "0";
        QTest::newRow("2004013") << "2004013" << true << "5";
        for (const char* top : {"2007663", "2045055", "2097143"})
            QTest::newRow(top) << top << true << "7";
        for (const char* bottom : {"2007672", "2045064"})
            QTest::newRow(bottom) << bottom << true << "0";
    }
    void capcodeIsTestedOnLeaving()
    {
        QFETCH(QString, typed);
        QFETCH(bool, legal);
        QFETCH(QString, frame);
        show(Control<QWidget>(*w_, QStringLiteral("channels")));
        typeOver(Control<QLineEdit>(*w_, QStringLiteral("address1")), typed);
        QCOMPARE(Control<QLabel>(*w_, QStringLiteral("frame1"))->text(), frame);
        focus(Control<QLineEdit>(*w_, QStringLiteral("address2")));
        QCOMPARE(Control<QLineEdit>(*w_, QStringLiteral("address1"))->text(),
                 typed.rightJustified(7, QLatin1Char('0')));
        QCOMPARE(Marked(Control<QLineEdit>(*w_, QStringLiteral("address1"))), !legal);
        QCOMPARE(w_->statusText(), legal ? QString() : kIllegalCapcode);
        QCOMPARE(Control<QLabel>(*w_, QStringLiteral("frame1"))->text(), frame);
    }

    void duplicateMarksOnlyTheFieldLeft()
    {
        show(Control<QWidget>(*w_, QStringLiteral("channels")));
        Control<QCheckBox>(*w_, QStringLiteral("addrEn2"))->click();  // an unticked row still holds its capcode
        typeOver(Control<QLineEdit>(*w_, QStringLiteral("address6")), QStringLiteral("2004008"));
        focus(Control<QLineEdit>(*w_, QStringLiteral("address7")));
        QVERIFY(Marked(Control<QLineEdit>(*w_, QStringLiteral("address6"))));
        QVERIFY(!Marked(Control<QLineEdit>(*w_, QStringLiteral("address2"))));
        QCOMPARE(w_->statusText(), kCapcodeUsed);
        Control<QCheckBox>(*w_, QStringLiteral("addrEn2"))->click();
        focus(Control<QLineEdit>(*w_, QStringLiteral("address2")));
        focus(Control<QLineEdit>(*w_, QStringLiteral("address7")));
        QVERIFY(Marked(Control<QLineEdit>(*w_, QStringLiteral("address2"))));
        typeOver(Control<QLineEdit>(*w_, QStringLiteral("address6")), QStringLiteral("2004100"));
        focus(Control<QLineEdit>(*w_, QStringLiteral("address7")));
        QVERIFY(!Marked(Control<QLineEdit>(*w_, QStringLiteral("address6"))));
        QVERIFY(Marked(Control<QLineEdit>(*w_, QStringLiteral("address2"))));
        QCOMPARE(w_->statusText(), QString());
    }

    void rowControlsFollowTickAndStorage_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("storageChoices");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("stepAndTargets");
        QTest::newRow("row 3 unticked") << 2 << QList<int>{} << 1 << false;
        QTest::newRow("row 3 ticked again, public") << 2 << QList<int>{1} << 2 << false;
        QTest::newRow("row 2 public") << 1 << QList<int>{1} << 0 << false;
        QTest::newRow("row 2 private again") << 1 << QList<int>{1, 0} << 0 << true;
        QTest::newRow("row 7 unticked") << 6 << QList<int>{} << 1 << false;
        QTest::newRow("row 7 ticked again") << 6 << QList<int>{} << 2 << true;
    }
    void rowControlsFollowTickAndStorage()
    {
        QFETCH(int, row);
        QFETCH(QList<int>, storageChoices);
        QFETCH(int, clicks);
        QFETCH(bool, stepAndTargets);
        show(Control<QWidget>(*w_, QStringLiteral("channels")));
        for (int choice : storageChoices)
            choose(Control<QComboBox>(*w_, QStringLiteral("storage%1").arg(row + 1)), choice);
        for (int i = 0; i < clicks; ++i)
            Control<QCheckBox>(*w_, QStringLiteral("addrEn%1").arg(row + 1))->click();
        const bool inUse = clicks != 1;
        QCOMPARE(Control<QLineEdit>(*w_, QStringLiteral("address%1").arg(row + 1))->isEnabled(), inUse);
        if (row < TForm1::kStorageChoiceCount)
            QCOMPARE(Control<QComboBox>(*w_, QStringLiteral("storage%1").arg(row + 1))->isEnabled(), inUse);
        for (int f = 0; f < TForm1::kFunctionCount; ++f) {
            QCOMPARE(
                Control<QComboBox>(*w_, QStringLiteral("format%1%2").arg(row + 1).arg(QChar(u'A' + f)))->isEnabled(),
                inUse);
            QCOMPARE(
                Control<QCheckBox>(*w_, QStringLiteral("urgent%1%2").arg(row + 1).arg(QChar(u'A' + f)))->isEnabled(),
                stepAndTargets);
        }
        QCOMPARE(Control<QComboBox>(*w_, QStringLiteral("autoInc%1").arg(row + 1))->isEnabled(), stepAndTargets);
        QCOMPARE(Control<QLineEdit>(*w_, QStringLiteral("address%1").arg(row + 1))->text(),
                 QStringLiteral("20040%1").arg(row * 8, 2, 10, QLatin1Char('0')));
    }

    void keyFilterPassesDigitsOnly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("status");
        QTest::newRow("letter") << "a" << "12" << kEnterNumber;
        QTest::newRow("space") << " " << "12" << kEnterNumber;
        QTest::newRow("digit") << "3" << "132" << QString();
        QTest::newRow("delete key") << QString(QChar(0x7F)) << "1" << "before";  // edits, types nothing
    }
    void keyFilterPassesDigitsOnly()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(QString, status);
        show(Control<QWidget>(*w_, QStringLiteral("channels")));
        typeOver(Control<QLineEdit>(*w_, QStringLiteral("address1")), QStringLiteral("12"));
        w_->setStatusText(QStringLiteral("before"));
        Control<QLineEdit>(*w_, QStringLiteral("address1"))->setCursorPosition(1);
        if (typed.front().unicode() == 0x7F)
            QTest::sendKeyEvent(QTest::Click, Control<QLineEdit>(*w_, QStringLiteral("address1")), Qt::Key_Delete,
                                typed, Qt::NoModifier);
        else
            QTest::keyClick(Control<QLineEdit>(*w_, QStringLiteral("address1")), typed.front().toLatin1());
        QCOMPARE(Control<QLineEdit>(*w_, QStringLiteral("address1"))->text(), text);
        QCOMPARE(w_->statusText(), status);
    }

    void pastedLetterGoesToErrorBox()
    {
        show(Control<QWidget>(*w_, QStringLiteral("channels")));
        typeOver(Control<QLineEdit>(*w_, QStringLiteral("address1")), QStringLiteral("7"));
        focus(Control<QLineEdit>(*w_, QStringLiteral("address2")));
        QVERIFY(Marked(Control<QLineEdit>(*w_, QStringLiteral("address1"))));
        typeOver(Control<QLineEdit>(*w_, QStringLiteral("address1")), QStringLiteral("13"));
        Control<QLineEdit>(*w_, QStringLiteral("address1"))
            ->insert(QStringLiteral("a"));  // what pasting does, past the key filter
        QCOMPARE(Control<QLabel>(*w_, QStringLiteral("frame1"))->text(), QStringLiteral("5"));
        // Reported at once, and again when the field is left.
        QCOMPARE(errors_, QStringList{QStringLiteral("'13a' is not a valid integer value")});
        focus(Control<QLineEdit>(*w_, QStringLiteral("address2")));
        QCOMPARE(errors_, (QStringList{QStringLiteral("'13a' is not a valid integer value"),
                                       QStringLiteral("'000013a' is not a valid integer value")}));
        QVERIFY(Marked(Control<QLineEdit>(*w_, QStringLiteral("address1"))));
        QCOMPARE(Control<QLabel>(*w_, QStringLiteral("frame1"))->text(), QStringLiteral("5"));
    }

    void timeIsTestedOnLeaving_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<bool>("legal");
        QTest::newRow("23:59") << "2359" << true;
        QTest::newRow("24:00") << "2400" << false;
        QTest::newRow("12:60") << "1260" << false;
        QTest::newRow("blank first hour digit") << "" << false;
    }
    void timeIsTestedOnLeaving()
    {
        QFETCH(QString, digits);
        QFETCH(bool, legal);
        show(Control<QWidget>(*w_, QStringLiteral("timefilters")));
        typeTime(Control<QLineEdit>(*w_, QStringLiteral("finish1")), digits);
        if (digits.isEmpty())
            QTest::keyClick(Control<QLineEdit>(*w_, QStringLiteral("finish1")),
                            Qt::Key_Delete);  // the optional position
        QTest::keyClick(Control<QLineEdit>(*w_, QStringLiteral("finish1")), Qt::Key_Tab);
        QVERIFY(!Control<QLineEdit>(*w_, QStringLiteral("finish1"))->hasFocus());
        QCOMPARE(Marked(Control<QLineEdit>(*w_, QStringLiteral("finish1"))), !legal);
        QCOMPARE(w_->statusText(), legal ? QString() : kIllegalValue);
    }

    void blankRequiredDigitKeepsTheUserIn()
    {
        show(Control<QWidget>(*w_, QStringLiteral("timefilters")));
        QLineEdit* field = Control<QLineEdit>(*w_, QStringLiteral("start1"));
        typeTime(field, QStringLiteral("1"));
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->displayText(), QStringLiteral("1_:00"));
        w_->setStatusText(QStringLiteral("before"));
        for (auto leave :
             {+[](TForm1& w) { Control<QLineEdit>(w, QStringLiteral("finish1"))->setFocus(Qt::TabFocusReason); },
              +[](TForm1& w) { QVERIFY(!w.ValidateSettings()); }}) {
            errors_.clear();
            leave(*w_);
            QVERIFY(field->hasFocus());
            QTRY_COMPARE(errors_, QStringList{QStringLiteral("Invalid input value.  Use escape key to abandon changes")});
            QVERIFY(!Marked(field));
            QCOMPARE(w_->statusText(), QStringLiteral("before"));
        }
        QTest::keyClick(field, Qt::Key_Escape);
        QCOMPARE(field->text(), QStringLiteral("09:00"));
        QTest::keyClick(field, Qt::Key_Tab);
        QVERIFY(!field->hasFocus());
        QVERIFY(!Marked(field));
    }

    // Whatever else the user clicks while a time entry is refused, the entry keeps the
    // focus, the refusal is said once, and the click does not take effect.
    void refusedTimeEntryHoldsAgainstClicks_data()
    {
        QTest::addColumn<QString>("target");
        for (const char* target : {"tab", "useSchedule", "nightShift1", "period1", "address field", "menu bar",
                                   "Ctrl+O", "Ctrl+S", "Ctrl+Tab", "Ctrl+PgDown"})
            QTest::newRow(target) << target;
    }
    void refusedTimeEntryHoldsAgainstClicks()
    {
        QFETCH(QString, target);
        show(Control<QWidget>(*w_, QStringLiteral("timefilters")));
        int dialogs = 0;
        const auto dialog = [&dialogs](const QString&) -> std::optional<QString> {
            ++dialogs;
            return std::nullopt;
        };
        w_->OpenDialog1 = dialog;
        w_->SaveDialog1 = dialog;
        QLineEdit* field = Control<QLineEdit>(*w_, QStringLiteral("start1"));
        typeTime(field, QStringLiteral("1"));
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->displayText(), QStringLiteral("1_:00"));
        errors_.clear();

        QTabBar* tabs = Control<QTabWidget>(*w_, QStringLiteral("PageControl1"))->tabBar();
        if (target == QLatin1String("tab")) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        } else if (target == QLatin1String("menu bar")) {
            QTest::mouseClick(w_->MainMenu1, Qt::LeftButton, {},
                              w_->MainMenu1->actionGeometry(w_->File1->menuAction()).center());
        } else if (target == QLatin1String("Ctrl+Tab")) {
            QTest::keyClick(field, Qt::Key_Tab, Qt::ControlModifier);
        } else if (target == QLatin1String("Ctrl+PgDown")) {
            QTest::keyClick(field, Qt::Key_PageDown, Qt::ControlModifier);
        } else if (target.startsWith(QLatin1String("Ctrl+"))) {
            QTest::keyClick(field, target.back().toLatin1(), Qt::ControlModifier);
        } else {
            QWidget* control = target == QLatin1String("address field")
                                   ? Control<QLineEdit>(*w_, QStringLiteral("address1"))
                                   : w_->findChild<QWidget*>(target);
            QVERIFY(control);
            QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, control->height() / 2));
        }

        QTRY_COMPARE(errors_, QStringList{QStringLiteral("Invalid input value.  Use escape key to abandon changes")});
        QTest::qWait(50);
        QCOMPARE(errors_.size(), 1);
        QVERIFY(field->hasFocus());
        QCOMPARE(field->displayText(), QStringLiteral("1_:00"));
        QCOMPARE(Control<QTabWidget>(*w_, QStringLiteral("PageControl1"))->currentWidget(),
                 Control<QWidget>(*w_, QStringLiteral("timefilters")));
        QVERIFY(Control<QCheckBox>(*w_, QStringLiteral("useSchedule"))->isChecked() && field->isEnabled());
        QVERIFY(!Control<QCheckBox>(*w_, QStringLiteral("nightShift1"))->isChecked());
        QCOMPARE(Control<QComboBox>(*w_, QStringLiteral("period1"))->currentIndex(), 2);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(dialogs, 0);

        // Escape gives the entry back, and the same click then works.
        QTest::keyClick(field, Qt::Key_Escape);
        QTest::mouseClick(Control<QCheckBox>(*w_, QStringLiteral("nightShift1")), Qt::LeftButton, {},
                          QPoint(5, Control<QCheckBox>(*w_, QStringLiteral("nightShift1"))->height() / 2));
        QVERIFY(Control<QCheckBox>(*w_, QStringLiteral("nightShift1"))->isChecked());
    }

    void checkSchedule_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("finish");
        QTest::addColumn<bool>("nightShift");
        QTest::addColumn<bool>("passes");
        QTest::addColumn<int>("periodAfter");
        QTest::newRow("ends before it starts") << 2 << "18:00" << "09:00" << false << false << 2;
        QTest::newRow("night shift") << 2 << "18:00" << "09:00" << true << true << 2;
        QTest::newRow("equal times") << 2 << "09:00" << "09:00" << false << true << 0;
        QTest::newRow("equal hidden times") << 1 << "10:00" << "10:00" << false << true << 0;
        QTest::newRow("night shift on all-day day") << 1 << "09:00" << "18:00" << true << true << 1;
        QTest::newRow("illegal finish, not earlier") << 2 << "08:00" << "25:00" << false << false << 2;
    }
    void checkSchedule()
    {
        QFETCH(int, period);
        QFETCH(QString, start);
        QFETCH(QString, finish);
        QFETCH(bool, nightShift);
        QFETCH(bool, passes);
        QFETCH(int, periodAfter);
        show(Control<QWidget>(*w_, QStringLiteral("timefilters")));
        Control<QLineEdit>(*w_, QStringLiteral("start3"))->setText(start);
        Control<QLineEdit>(*w_, QStringLiteral("finish3"))->setText(finish);
        Control<QCheckBox>(*w_, QStringLiteral("nightShift3"))->setChecked(nightShift);
        choose(Control<QComboBox>(*w_, QStringLiteral("period3")), period);
        QCOMPARE(w_->editor().schedulePage().CheckSchedule(), passes);
        QCOMPARE(Marked(Control<QLineEdit>(*w_, QStringLiteral("finish3"))), !passes);
        QCOMPARE(w_->statusText(), passes ? QString() : kIllegalValue);
        QCOMPARE(Control<QComboBox>(*w_, QStringLiteral("period3"))->currentIndex(), periodAfter);
        for (QWidget* control : std::initializer_list<QWidget*>{Control<QLineEdit>(*w_, QStringLiteral("start3")),
                                                                Control<QLabel>(*w_, QStringLiteral("Label60")),
                                                                Control<QLineEdit>(*w_, QStringLiteral("finish3")),
                                                                Control<QCheckBox>(*w_, QStringLiteral("nightShift3"))})
            QCOMPARE(Shown(control), periodAfter == 2);
        QCOMPARE(Control<QCheckBox>(*w_, QStringLiteral("nightShift3"))->isChecked(), nightShift && periodAfter == 2);
    }

    void useScheduleSwitchesTheDays_data()
    {
        QTest::addColumn<bool>("setup");
        QTest::addColumn<int>("clicks");
        QTest::newRow("unticked") << true << 1;
        QTest::newRow("ticked again") << true << 2;
        QTest::newRow("ticked again, setup off") << false << 2;
    }
    void useScheduleSwitchesTheDays()
    {
        QFETCH(bool, setup);
        QFETCH(int, clicks);
        show(Control<QWidget>(*w_, QStringLiteral("timefilters")));
        Control<QCheckBox>(*w_, QStringLiteral("setup"))->setChecked(setup);
        for (int i = 0; i < clicks; ++i)
            Control<QCheckBox>(*w_, QStringLiteral("useSchedule"))->click();
        const bool inUse = clicks != 1;
        QCOMPARE(Control<QCheckBox>(*w_, QStringLiteral("schedule"))->isEnabled(), setup && inUse);
        for (int n = 0; n < TForm1::kStorageChoiceCount; ++n)
            QCOMPARE(Control<QLabel>(*w_, QStringLiteral("storage%1").arg(n + 5))->text(),
                     inUse ? QStringLiteral("Schedule") : QStringLiteral("Private"));
        for (int day = 0; day < TForm1::kDayCount; ++day) {
            for (QWidget* control :
                 std::initializer_list<QWidget*>{Control<QComboBox>(*w_, QStringLiteral("period%1").arg(day + 1)),
                                                 Control<QLineEdit>(*w_, QStringLiteral("start%1").arg(day + 1)),
                                                 Control<QLineEdit>(*w_, QStringLiteral("finish%1").arg(day + 1)),
                                                 Control<QCheckBox>(*w_, QStringLiteral("nightShift%1").arg(day + 1))})
                QCOMPARE(control->isEnabled(), inUse);
            QVERIFY(Control<QLabel>(*w_, QStringLiteral("Label%1").arg(55 + 2 * (day)))->isEnabled() &&
                    Control<QLabel>(*w_, QStringLiteral("Label%1").arg(56 + 2 * (day)))->isEnabled());
        }
    }

    void validateSettings_data()
    {
        QTest::addColumn<int>("scenario");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("status");
        QTest::newRow("start-up values") << int(StartUp) << true << "";
        QTest::newRow("marked unticked address") << int(MarkedUntickedAddress) << false << "before";
        QTest::newRow("cursor in address holding 7") << int(TypingInAddress) << false << kIllegalCapcode;
        QTest::newRow("cursor in lcdBaseContrast holding 7") << int(TypingInContrast) << false << kIllegalValue;
        QTest::newRow("inverted day, schedule used") << int(InvertedDayUsed) << false << kIllegalValue;
        QTest::newRow("inverted day, schedule unused") << int(InvertedDayUnused) << true << "before";
        QTest::newRow("marked times, day disabled") << int(MarkedTimesOnDisabledDay) << true << "";
    }
    void validateSettings()
    {
        QFETCH(int, scenario);
        QFETCH(bool, valid);
        QFETCH(QString, status);
        QWidget* stillIn = nullptr;
        switch (scenario) {
        case MarkedUntickedAddress:
        case TypingInAddress:
            show(Control<QWidget>(*w_, QStringLiteral("channels")));
            typeOver(Control<QLineEdit>(*w_, QStringLiteral("address4")), QStringLiteral("7"));
            stillIn = Control<QLineEdit>(*w_, QStringLiteral("address4"));
            if (scenario == MarkedUntickedAddress) {
                Control<QCheckBox>(*w_, QStringLiteral("addrEn4"))->click();
                focus(Control<QCheckBox>(*w_, QStringLiteral("addrEn4")));
                stillIn = nullptr;
            }
            break;
        case TypingInContrast:
            show(Control<QWidget>(*w_, QStringLiteral("general")));
            typeOver(Control<QLineEdit>(*w_, QStringLiteral("lcdBaseContrast")), QStringLiteral("7"));
            stillIn = Control<QLineEdit>(*w_, QStringLiteral("lcdBaseContrast"));
            break;
        case InvertedDayUsed:
        case InvertedDayUnused:
            show(Control<QWidget>(*w_, QStringLiteral("timefilters")));
            Control<QLineEdit>(*w_, QStringLiteral("finish7"))->setText(QStringLiteral("08:00"));
            if (scenario == InvertedDayUnused)
                Control<QCheckBox>(*w_, QStringLiteral("useSchedule"))->click();
            focus(Control<QCheckBox>(*w_, QStringLiteral("useSchedule")));
            break;
        case MarkedTimesOnDisabledDay:
            show(Control<QWidget>(*w_, QStringLiteral("timefilters")));
            typeTime(Control<QLineEdit>(*w_, QStringLiteral("start5")), QStringLiteral("2500"));
            typeTime(Control<QLineEdit>(*w_, QStringLiteral("finish5")), QStringLiteral("2500"));
            choose(Control<QComboBox>(*w_, QStringLiteral("period5")), 0);
            QVERIFY(Marked(Control<QLineEdit>(*w_, QStringLiteral("start5"))) &&
                    Marked(Control<QLineEdit>(*w_, QStringLiteral("finish5"))));
            break;
        default:
            show(Control<QWidget>(*w_, QStringLiteral("general")));
            focus(Control<QCheckBox>(*w_, QStringLiteral("setup")));
        }
        w_->setStatusText(QStringLiteral("before"));
        QCOMPARE(w_->ValidateSettings(), valid);
        QCOMPARE(w_->statusText(), status);
        if (stillIn) {
            QVERIFY(stillIn->hasFocus());
            QVERIFY(Marked(stillIn));
        }
        if (scenario == TypingInContrast)
            QVERIFY(Shown(Control<q9tx::UpDownButton>(
                *w_, QStringLiteral("lcdBaseContrastUpDown"))));  // its entry rule ran again
        if (scenario == MarkedTimesOnDisabledDay) {
            QCOMPARE(Control<QLineEdit>(*w_, QStringLiteral("start5"))->text() +
                         Control<QLineEdit>(*w_, QStringLiteral("finish5"))->text(),
                     QStringLiteral("09:0018:00"));
            QVERIFY(!Marked(Control<QLineEdit>(*w_, QStringLiteral("start5"))) &&
                    !Marked(Control<QLineEdit>(*w_, QStringLiteral("finish5"))));
        }
    }
};

QTEST_MAIN(AddressScheduleRulesTest)
#include "address_schedule_rules_test.moc"
