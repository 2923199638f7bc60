// The mechanisms the editor's rules stand on: entering and leaving fields, key
// filters, error marks and the up-down control.

#include <memory>
#include <stdexcept>

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPalette>
#include <QTest>
#include <QVBoxLayout>

#include "editor/error_box.h"
#include "editor/field_events.h"
#include "editor/field_marks.h"
#include "editor/readable_red.h"
#include "editor/up_down_button.h"
#include "image/status_error.h"

using q9tx::FieldEvents;

Q_DECLARE_METATYPE(Qt::FocusReason)

class FieldEventsTest : public QObject {
    Q_OBJECT

private:
    void focus(QWidget* field, QEvent::Type type, Qt::FocusReason reason)
    {
        QFocusEvent event(type, reason);
        QApplication::sendEvent(field, &event);
    }

    void attach(QLineEdit* field)
    {
        const QString name = field->objectName();
        events_->setEnterRule(field, [this, name] { log_ << "enter " + name; });
        events_->setExitRule(field, [this, name] { log_ << "exit " + name; });
    }

private slots:
    void init()
    {
        form_ = std::make_unique<QWidget>();
        auto* column = new QVBoxLayout(form_.get());
        for (QLineEdit** field : {&a_, &b_, &c_}) {
            *field = new QLineEdit(form_.get());
            column->addWidget(*field);
        }
        a_->setObjectName(QStringLiteral("a"));
        b_->setObjectName(QStringLiteral("b"));
        c_->setObjectName(QStringLiteral("c"));  // no rules
        events_ = new FieldEvents(form_.get());
        attach(a_);
        attach(b_);
        log_.clear();
        reported_.clear();
        previousReporter_ = q9tx::SetErrorReporter([this](const QString& text) { reported_ << text; });
    }

    void cleanup()
    {
        q9tx::SetErrorReporter(previousReporter_);
        form_.reset();
    }

    void realFocusMoves()
    {
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        a_->setFocus(Qt::TabFocusReason);
        b_->setFocus(Qt::TabFocusReason);
        c_->setFocus(Qt::MouseFocusReason);
        QCOMPARE(log_, (QStringList{"enter a", "exit a", "enter b", "exit b"}));
        QCOMPARE(events_->enteredField(), nullptr);
    }

    void focusLost_data()
    {
        QTest::addColumn<Qt::FocusReason>("reason");
        QTest::addColumn<bool>("leaves");
        QTest::newRow("mouse") << Qt::MouseFocusReason << true;
        QTest::newRow("tab") << Qt::TabFocusReason << true;
        QTest::newRow("backtab") << Qt::BacktabFocusReason << true;
        QTest::newRow("other") << Qt::OtherFocusReason << true;
        QTest::newRow("popup opened") << Qt::PopupFocusReason << false;
        QTest::newRow("other window") << Qt::ActiveWindowFocusReason << false;
        QTest::newRow("menu bar") << Qt::MenuBarFocusReason << false;
    }

    // The focus goes away for a reason and comes back for the same one.
    void focusLost()
    {
        QFETCH(Qt::FocusReason, reason);
        QFETCH(bool, leaves);
        focus(a_, QEvent::FocusIn, Qt::MouseFocusReason);
        focus(a_, QEvent::FocusOut, reason);
        QCOMPARE(events_->enteredField(), leaves ? nullptr : a_);
        focus(a_, QEvent::FocusIn, reason);
        const QStringList expected = leaves ? QStringList{"enter a", "exit a", "enter a"} : QStringList{"enter a"};
        QCOMPARE(log_, expected);
    }

    void reachingAnotherFieldLeavesTheFirst()
    {
        focus(a_, QEvent::FocusIn, Qt::MouseFocusReason);
        focus(a_, QEvent::FocusOut, Qt::PopupFocusReason);
        focus(b_, QEvent::FocusIn, Qt::OtherFocusReason);
        QCOMPARE(log_, (QStringList{"enter a", "exit a", "enter b"}));
        QCOMPARE(events_->enteredField(), b_);
    }

    void exitAndReenter()
    {
        events_->exitAndReenter();
        QVERIFY(log_.isEmpty());
        focus(b_, QEvent::FocusIn, Qt::TabFocusReason);
        events_->exitAndReenter();
        QCOMPARE(log_, (QStringList{"enter b", "exit b", "enter b"}));
        QCOMPARE(events_->enteredField(), b_);
    }

    void keyFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("filtered");
        QTest::newRow("digits") << "2004013" << "2004013" << 7;
        QTest::newRow("letters and spaces dropped") << "12a 3-" << "123" << 6;
        QTest::newRow("nothing but refused") << "x" << "" << 1;
    }

    void keyFilter()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QFETCH(int, filtered);
        int seen = 0;
        events_->setKeyFilter(a_, [&seen](QChar key) {
            ++seen;
            return key.isDigit();
        });
        QTest::keyClicks(a_, typed);
        QCOMPARE(a_->text(), text);
        QCOMPARE(seen, filtered);
    }

    void keysWithoutTextAndPastedTextPass()
    {
        events_->setKeyFilter(a_, [](QChar key) { return key.isDigit() || key.unicode() < 32; });
        QTest::keyClicks(a_, QStringLiteral("12"));
        QTest::keyClick(a_, Qt::Key_Left);
        QTest::keyClick(a_, Qt::Key_Delete);
        QCOMPARE(a_->text(), QStringLiteral("1"));
        QTest::keyClick(a_, Qt::Key_Backspace);
        QCOMPARE(a_->text(), QString());
        a_->insert(QStringLiteral("ab"));
        QCOMPARE(a_->text(), QStringLiteral("ab"));
    }

    void throwingRulesAreReported()
    {
        events_->setExitRule(a_, [] { throw q9tx::ConversionError("'1x' is not a valid integer value"); });
        events_->setKeyFilter(b_, [](QChar) -> bool { throw std::runtime_error("filter"); });
        focus(a_, QEvent::FocusIn, Qt::MouseFocusReason);
        focus(b_, QEvent::FocusIn, Qt::MouseFocusReason);
        QTest::keyClicks(b_, QStringLiteral("7"));
        QCOMPARE(reported_, (QStringList{"'1x' is not a valid integer value", "filter"}));
        QCOMPARE(b_->text(), QString());
        QCOMPARE(log_, (QStringList{"enter a", "enter b"}));
        QCOMPARE(events_->enteredField(), b_);
    }

    void destroyedFieldIsForgotten()
    {
        focus(a_, QEvent::FocusIn, Qt::MouseFocusReason);
        delete a_;
        a_ = nullptr;
        QCOMPARE(events_->enteredField(), nullptr);
        events_->exitAndReenter();
        focus(b_, QEvent::FocusIn, Qt::MouseFocusReason);
        QCOMPARE(log_, (QStringList{"enter a", "enter b"}));
    }

    void errorMarks_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QPalette>("theme");
        const QPalette light = QApplication::palette();
        const QPalette dark(QColor(0x35, 0x35, 0x35));
        QTest::newRow("refused") << true << true << light;
        QTest::newRow("refused, disabled") << true << false << light;
        QTest::newRow("accepted") << false << true << light;
        QTest::newRow("accepted, disabled") << false << false << light;
        QTest::newRow("dark, refused") << true << true << dark;
        QTest::newRow("dark, refused, disabled") << true << false << dark;
        QTest::newRow("dark, accepted, disabled") << false << false << dark;
    }

    void errorMarks()
    {
        QFETCH(bool, refused);
        QFETCH(bool, enabled);
        QFETCH(QPalette, theme);
        const QPalette before = QApplication::palette();
        QApplication::setPalette(theme);
        a_->setEnabled(enabled);
        q9tx::setRefused(a_, !refused);  // the opposite first: the colour must really change back
        q9tx::setRefused(a_, refused);
        QCOMPARE(q9tx::isRefused(a_), refused);
        QCOMPARE(a_->property(q9tx::kErrorMarkProperty).toInt(), refused ? 1 : 0);
        const QPalette::ColorGroup group = enabled ? QPalette::Active : QPalette::Disabled;
        const QPalette normal = QApplication::palette(a_);
        const QColor expected = refused ? q9tx::MarkColour(normal) : normal.color(group, QPalette::Base);
        const QColor base = a_->palette().color(group, QPalette::Base);
        QCOMPARE(base, expected);
        // A mark is red, and its text reads on it, also while the field is disabled.
        if (refused) {
            QVERIFY(base.hslHue() == 0 && base.red() > base.green());
            QVERIFY(q9tx::ContrastRatio(a_->palette().color(group, QPalette::Text), base) >= q9tx::kLegibleContrast);
        } else {
            QCOMPARE(a_->palette().color(group, QPalette::Text), normal.color(group, QPalette::Text));
        }
        QApplication::setPalette(before);
        QVERIFY(!q9tx::isRefused(b_));
    }

    void upDownSteps_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<bool>("wraps");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("result");
        QTest::newRow("up") << 0 << 255 << true << "10" << 1 << "11";
        QTest::newRow("wraps over the top") << 0 << 255 << true << "255" << 1 << "0";
        QTest::newRow("wraps under the bottom") << 8 << 63 << true << "8" << -1 << "63";
        QTest::newRow("stops at the top") << 8 << 63 << false << "63" << 1 << "63";
        QTest::newRow("typed value counts") << 8 << 63 << true << "40" << -1 << "39";
        QTest::newRow("out of range held first") << 0 << 255 << true << "300" << -1 << "254";
        QTest::newRow("no number: from position") << 8 << 63 << true << "" << 1 << "16";
    }

    void upDownSteps()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(bool, wraps);
        QFETCH(QString, shown);
        QFETCH(int, steps);
        QFETCH(QString, result);
        q9tx::UpDownButton upDown(a_, minimum, maximum, wraps);
        upDown.setPosition(15);
        a_->setText(shown);
        upDown.stepBy(steps);
        QCOMPARE(a_->text(), result);
        QCOMPARE(upDown.position(), result.toInt());
    }

    void upDownArrowKeysOnlyWhileShown()
    {
        q9tx::UpDownButton upDown(a_, 0, 255, true, form_.get());
        upDown.setPosition(10);
        upDown.hide();
        QTest::keyClick(a_, Qt::Key_Up);
        QCOMPARE(a_->text(), QStringLiteral("10"));
        upDown.show();
        QTest::keyClick(a_, Qt::Key_Up);
        QTest::keyClick(a_, Qt::Key_Up);
        QTest::keyClick(a_, Qt::Key_Down);
        QCOMPARE(a_->text(), QStringLiteral("11"));
        for (QWidget* button : upDown.findChildren<QWidget*>())
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }

private:
    std::unique_ptr<QWidget> form_;
    QLineEdit* a_ = nullptr;
    QLineEdit* b_ = nullptr;
    QLineEdit* c_ = nullptr;
    FieldEvents* events_ = nullptr;
    QStringList log_;
    QStringList reported_;
    q9tx::ErrorReporter previousReporter_;
};

QTEST_MAIN(FieldEventsTest)
#include "field_events_test.moc"
