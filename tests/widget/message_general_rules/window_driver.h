#pragma once
// Drives the real window as a user would: the focus moves into and out of fields,
// keys are typed, drop-downs are chosen; the general error box is recorded.

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "app/tform1.h"
#include "editor/error_box.h"
#include "editor/field_marks.h"
#include "fake_link.h"
#include "find_control.h"

// A refused field is red with its error mark set; an accepted one has neither.
#define COMPARE_REFUSED(field, refused)                                                                   \
    do {                                                                                                  \
        QCOMPARE(q9tx::isRefused(field), refused);                                                        \
        QCOMPARE((field)->palette().color(QPalette::Active, QPalette::Base) ==                              \
                     q9tx::MarkColour(QApplication::palette(field)),                                      \
                 refused);                                                                                \
    } while (false)

class WindowDriver {
public:
    WindowDriver() : previous_(q9tx::SetErrorReporter([this](const QString& text) { errors << text; })), window(link_)
    {
        elsewhere_ = new QPushButton(&window);  // takes the focus from a field that is left
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
    }
    ~WindowDriver() { q9tx::SetErrorReporter(previous_); }

    void enter(QWidget* field)
    {
        for (QWidget* page :
             {Control<QWidget>(window, QStringLiteral("channels")),
              Control<QWidget>(window, QStringLiteral("timefilters")),
              Control<QWidget>(window, QStringLiteral("storage")), Control<QWidget>(window, QStringLiteral("general"))})
            if (page->isAncestorOf(field))
                Control<QTabWidget>(window, QStringLiteral("PageControl1"))->setCurrentWidget(page);
        if (Control<QWidget>(window, QStringLiteral("factory"))->isAncestorOf(field))
            Control<QWidget>(window, QStringLiteral("factory"))->show();
        field->setFocus(Qt::TabFocusReason);
    }
    void leave() { elsewhere_->setFocus(Qt::TabFocusReason); }
    void typeAndLeave(QLineEdit* field, const QString& typed)
    {
        enter(field);
        field->clear();
        type(field, typed);
        leave();
    }
    // A paste passes no key filter.
    void pasteAndLeave(QLineEdit* field, const QString& pasted)
    {
        enter(field);
        field->clear();
        field->insert(pasted);
        leave();
    }
    // Each character as a key press, also those QTest::keyClicks cannot type.
    static void type(QWidget* field, const QString& typed)
    {
        for (QChar character : typed) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
            QApplication::sendEvent(field, &press);
        }
    }
    static void choose(QComboBox* box, int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    QStringList errors;
    bool active = false;

private:
    q9tx::ErrorReporter previous_;
    FakeLink link_;

public:
    TForm1 window;

private:
    QPushButton* elsewhere_ = nullptr;
};
