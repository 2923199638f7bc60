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

#include "app/error_box.h"
#include "app/tform1.h"
#include "editor/field_marks.h"
#include "editor/text_conversion.h"
#include "editor/up_down_button.h"
#include "fake_link.h"

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
        w_->PageControl1->setCurrentWidget(page);
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
        show(w_->channels);
        typeOver(w_->address[0], typed);
        QCOMPARE(w_->frame[0]->text(), frame);
        focus(w_->address[1]);
        QCOMPARE(w_->address[0]->text(), typed.rightJustified(7, QLatin1Char('0')));
        QCOMPARE(Marked(w_->address[0]), !legal);
        QCOMPARE(w_->statusText(), legal ? QString() : kIllegalCapcode);
        QCOMPARE(w_->frame[0]->text(), frame);
    }

    void duplicateMarksOnlyTheFieldLeft()
    {
        show(w_->channels);
        w_->addrEn[1]->click();  // an unticked row still holds its capcode
        typeOver(w_->address[5], QStringLiteral("2004008"));
        focus(w_->address[6]);
        QVERIFY(Marked(w_->address[5]));
        QVERIFY(!Marked(w_->address[1]));
        QCOMPARE(w_->statusText(), kCapcodeUsed);
        w_->addrEn[1]->click();
        focus(w_->address[1]);
        focus(w_->address[6]);
        QVERIFY(Marked(w_->address[1]));
        typeOver(w_->address[5], QStringLiteral("2004100"));
        focus(w_->address[6]);
        QVERIFY(!Marked(w_->address[5]));
        QVERIFY(Marked(w_->address[1]));
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
        show(w_->channels);
        for (int choice : storageChoices)
            choose(w_->storage[row], choice);
        for (int i = 0; i < clicks; ++i)
            w_->addrEn[row]->click();
        const bool inUse = clicks != 1;
        QCOMPARE(w_->address[row]->isEnabled(), inUse);
        if (row < TForm1::kStorageChoiceCount)
            QCOMPARE(w_->storage[row]->isEnabled(), inUse);
        for (int f = 0; f < TForm1::kFunctionCount; ++f) {
            QCOMPARE(w_->format[row][f]->isEnabled(), inUse);
            QCOMPARE(w_->urgentTarget[row][f]->isEnabled(), stepAndTargets);
        }
        QCOMPARE(w_->autoInc[row]->isEnabled(), stepAndTargets);
        QCOMPARE(w_->address[row]->text(), QStringLiteral("20040%1").arg(row * 8, 2, 10, QLatin1Char('0')));
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
        show(w_->channels);
        typeOver(w_->address[0], QStringLiteral("12"));
        w_->setStatusText(QStringLiteral("before"));
        w_->address[0]->setCursorPosition(1);
        if (typed.front().unicode() == 0x7F)
            QTest::sendKeyEvent(QTest::Click, w_->address[0], Qt::Key_Delete, typed, Qt::NoModifier);
        else
            QTest::keyClick(w_->address[0], typed.front().toLatin1());
        QCOMPARE(w_->address[0]->text(), text);
        QCOMPARE(w_->statusText(), status);
    }

    void pastedLetterGoesToErrorBox()
    {
        show(w_->channels);
        typeOver(w_->address[0], QStringLiteral("7"));
        focus(w_->address[1]);
        QVERIFY(Marked(w_->address[0]));
        typeOver(w_->address[0], QStringLiteral("13"));
        w_->address[0]->insert(QStringLiteral("a"));  // what pasting does, past the key filter
        QCOMPARE(w_->frame[0]->text(), QStringLiteral("5"));
        // Reported at once, and again when the field is left.
        QCOMPARE(errors_, QStringList{QStringLiteral("'13a' is not a valid integer value")});
        focus(w_->address[1]);
        QCOMPARE(errors_, (QStringList{QStringLiteral("'13a' is not a valid integer value"),
                                       QStringLiteral("'000013a' is not a valid integer value")}));
        QVERIFY(Marked(w_->address[0]));
        QCOMPARE(w_->frame[0]->text(), QStringLiteral("5"));
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
        show(w_->timefilters);
        typeTime(w_->finish[0], digits);
        if (digits.isEmpty())
            QTest::keyClick(w_->finish[0], Qt::Key_Delete);  // the optional position
        QTest::keyClick(w_->finish[0], Qt::Key_Tab);
        QVERIFY(!w_->finish[0]->hasFocus());
        QCOMPARE(Marked(w_->finish[0]), !legal);
        QCOMPARE(w_->statusText(), legal ? QString() : kIllegalValue);
    }

    void blankRequiredDigitKeepsTheUserIn()
    {
        show(w_->timefilters);
        QLineEdit* field = w_->start[0];
        typeTime(field, QStringLiteral("1"));
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->displayText(), QStringLiteral("1_:00"));
        w_->setStatusText(QStringLiteral("before"));
        for (auto leave : {+[](TForm1& w) { w.finish[0]->setFocus(Qt::TabFocusReason); },
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
        show(w_->timefilters);
        int dialogs = 0;
        const auto dialog = [&dialogs](const QString&) -> std::optional<QString> {
            ++dialogs;
            return std::nullopt;
        };
        w_->OpenDialog1 = dialog;
        w_->SaveDialog1 = dialog;
        QLineEdit* field = w_->start[0];
        typeTime(field, QStringLiteral("1"));
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->displayText(), QStringLiteral("1_:00"));
        errors_.clear();

        QTabBar* tabs = w_->PageControl1->tabBar();
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
            QWidget* control = target == QLatin1String("address field") ? w_->address[0]
                                                                        : w_->findChild<QWidget*>(target);
            QVERIFY(control);
            QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, control->height() / 2));
        }

        QTRY_COMPARE(errors_, QStringList{QStringLiteral("Invalid input value.  Use escape key to abandon changes")});
        QTest::qWait(50);
        QCOMPARE(errors_.size(), 1);
        QVERIFY(field->hasFocus());
        QCOMPARE(field->displayText(), QStringLiteral("1_:00"));
        QCOMPARE(w_->PageControl1->currentWidget(), w_->timefilters);
        QVERIFY(w_->useSchedule->isChecked() && field->isEnabled());
        QVERIFY(!w_->nightShift[0]->isChecked());
        QCOMPARE(w_->period[0]->currentIndex(), 2);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCOMPARE(dialogs, 0);

        // Escape gives the entry back, and the same click then works.
        QTest::keyClick(field, Qt::Key_Escape);
        QTest::mouseClick(w_->nightShift[0], Qt::LeftButton, {}, QPoint(5, w_->nightShift[0]->height() / 2));
        QVERIFY(w_->nightShift[0]->isChecked());
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
        show(w_->timefilters);
        w_->start[2]->setText(start);
        w_->finish[2]->setText(finish);
        w_->nightShift[2]->setChecked(nightShift);
        choose(w_->period[2], period);
        QCOMPARE(w_->CheckSchedule(), passes);
        QCOMPARE(Marked(w_->finish[2]), !passes);
        QCOMPARE(w_->statusText(), passes ? QString() : kIllegalValue);
        QCOMPARE(w_->period[2]->currentIndex(), periodAfter);
        for (QWidget* control : std::initializer_list<QWidget*>{w_->start[2], w_->toLabel[2], w_->finish[2], w_->nightShift[2]})
            QCOMPARE(Shown(control), periodAfter == 2);
        QCOMPARE(w_->nightShift[2]->isChecked(), nightShift && periodAfter == 2);
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
        show(w_->timefilters);
        w_->setup->setChecked(setup);
        for (int i = 0; i < clicks; ++i)
            w_->useSchedule->click();
        const bool inUse = clicks != 1;
        QCOMPARE(w_->schedule->isEnabled(), setup && inUse);
        for (QLabel* label : w_->storageLabel)
            QCOMPARE(label->text(), inUse ? QStringLiteral("Schedule") : QStringLiteral("Private"));
        for (int day = 0; day < TForm1::kDayCount; ++day) {
            for (QWidget* control : std::initializer_list<QWidget*>{w_->period[day], w_->start[day], w_->finish[day], w_->nightShift[day]})
                QCOMPARE(control->isEnabled(), inUse);
            QVERIFY(w_->dayLabel[day]->isEnabled() && w_->toLabel[day]->isEnabled());
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
            show(w_->channels);
            typeOver(w_->address[3], QStringLiteral("7"));
            stillIn = w_->address[3];
            if (scenario == MarkedUntickedAddress) {
                w_->addrEn[3]->click();
                focus(w_->addrEn[3]);
                stillIn = nullptr;
            }
            break;
        case TypingInContrast:
            show(w_->general);
            typeOver(w_->lcdBaseContrast, QStringLiteral("7"));
            stillIn = w_->lcdBaseContrast;
            break;
        case InvertedDayUsed:
        case InvertedDayUnused:
            show(w_->timefilters);
            w_->finish[6]->setText(QStringLiteral("08:00"));
            if (scenario == InvertedDayUnused)
                w_->useSchedule->click();
            focus(w_->useSchedule);
            break;
        case MarkedTimesOnDisabledDay:
            show(w_->timefilters);
            typeTime(w_->start[4], QStringLiteral("2500"));
            typeTime(w_->finish[4], QStringLiteral("2500"));
            choose(w_->period[4], 0);
            QVERIFY(Marked(w_->start[4]) && Marked(w_->finish[4]));
            break;
        default:
            show(w_->general);
            focus(w_->setup);
        }
        w_->setStatusText(QStringLiteral("before"));
        QCOMPARE(w_->ValidateSettings(), valid);
        QCOMPARE(w_->statusText(), status);
        if (stillIn) {
            QVERIFY(stillIn->hasFocus());
            QVERIFY(Marked(stillIn));
        }
        if (scenario == TypingInContrast)
            QVERIFY(Shown(w_->lcdBaseContrastUpDown));  // its entry rule ran again
        if (scenario == MarkedTimesOnDisabledDay) {
            QCOMPARE(w_->start[4]->text() + w_->finish[4]->text(), QStringLiteral("09:0018:00"));
            QVERIFY(!Marked(w_->start[4]) && !Marked(w_->finish[4]));
        }
    }
};

QTEST_MAIN(AddressScheduleRulesTest)
#include "address_schedule_rules_test.moc"
