// The window's controls against one table of the inventory: name, member, kind,
// text, items, tick, length limit and status tip, as the window stands after its
// construction.

#include <functional>
#include <set>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "app/tform1.h"
#include "editor/general_page.h"
#include "editor/settings_editor.h"
#include "editor/up_down_button.h"
#include "fake_link.h"
#include "find_control.h"

namespace {

enum class Kind { Edit, TimeEdit, DropDown, SimpleCombo, Check, Label, Group, Panel, Page, UpDown, Progress };
enum class Tick { No, Yes, Any };  // Any: the editor's rules decide at start-up

struct Row {
    QString name;
    // The window's own member for a control of its frame; none for the editor's.
    std::function<QWidget*(TForm1&)> member;
    Kind kind;
    // Edit text, caption, label text, group title, chosen item or page title; a null
    // text where the editor's rules decide at start-up.
    QString text;
    QStringList items = {};
    int maxLength = 0;
    QString statusTip = {};
    Tick tick = Tick::No;
};

QStringList Items(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromLatin1(text);
    return list;
}

QStringList Numbered(const char* pattern, int first, int last)
{
    QStringList list;
    for (int i = first; i <= last; ++i)
        list << QString::fromLatin1(pattern).arg(i);
    return list;
}

#define MEMBER(expression) [](TForm1& w) -> QWidget* { return w.expression; }

std::vector<Row> Inventory()
{
    const QStringList storages = Items({"Private", "Public"});
    const QStringList formats = Items({"Numeric", "Alphanum", "Disabled", "Tone"});
    const QStringList periods = Items({"Disabled, all day", "Enabled, all day", "Enabled"});
    const QStringList holdTimes = Items({"4 sec", "8 sec", "16 sec", "32 sec"});
    std::vector<Row> table = {
        {"progress", MEMBER(progress), Kind::Panel, ""},
        {"action", MEMBER(action), Kind::Label, ""},
        {"progressBar", MEMBER(progressBar), Kind::Progress, ""},
        {"factory", {}, Kind::Panel, ""},
        {"settings", {}, Kind::Panel, ""},
        {"banner1", MEMBER(banner1), Kind::Label, ""},
        {"channels", {}, Kind::Page, "Addresses"},
        {"timefilters", {}, Kind::Page, "Schedule"},
        {"storage", {}, Kind::Page, "Messages"},
        {"general", {}, Kind::Page, "General"},
        // Factory panel.
        {"customerId", {}, Kind::DropDown, ""},
        {"mapVersion", {}, Kind::SimpleCombo, "0", Items({"0"})},
        {"lcdGain", {}, Kind::DropDown, ""},
        {"overheat", {}, Kind::DropDown, ""},
        {"date", {}, Kind::Label, ""},
        {"comment", {}, Kind::Edit, "", {}, 16},
        {"bs1", {}, Kind::Edit, "30", {}, 2, "Range: 2 - 61"},
        {"bs3", {}, Kind::Edit, "31", {}, 2, "Range: 3 - 62"},
        {"filterStrength", {}, Kind::DropDown, "FS2", Items({"FS1", "FS2", "FS3", "FS4", "Off"})},
        {"preambleError", {}, Kind::DropDown, "2 CNT", Numbered("%1 CNT", 1, 8)},
        {"bs2Option", {}, Kind::Check, "BS2 Option"},
        // Addresses page.
        {"addresses", {}, Kind::Group, "Addresses", {}, 0, "Receiving channels"},
        {"urgent", {}, Kind::Group, "Urgent call targets", {}, 0, "Destinations for urgent call"},
        // Schedule page.
        {"timetable", {}, Kind::Group, "Schedule", {}, 0, "Schedule options"},
        {"useSchedule", {}, Kind::Check, "Use schedule", {}, 0, "", Tick::Yes},
        // Messages page.
        {"messages", {}, Kind::Group, "Messages", {}, 0, "Message options"},
        {"messageHoldTime", {}, Kind::DropDown, "32 sec", holdTimes},
        {"messageEncoding",
         {},
         Kind::DropDown,
         "English (UK)",
         Items({"English (US)", "German", "Swiss", "French", "Swedish", "Portuguese", "Spanish", "English (UK)",
                "Italian", "Denmark/Norway", "Russian"})},
        {"repeatedFilter", {}, Kind::DropDown, "CT independent", Items({"CT independent", "CT dependent", "Disabled"})},
        {"repeatedRejectionTime",
         {},
         Kind::DropDown,
         "Disabled",
         Items({"Disabled", "3-4 min", "4-5 min", "5-6 min", "6-7 min", "7-8 min", "8-9 min"})},
        {"unreadReminder",
         {},
         Kind::DropDown,
         "Disabled",
         Items({"Disabled", "1 sec", "2 sec", "4 sec", "6 sec", "8 sec", "10 sec"})},
        {"numReminders",
         {},
         Kind::DropDown,
         "Indefinitly",
         Items({"Indefinitly", "Once", "Twice"}) + Numbered("%1 times", 3, 10)},
        {"messageOps", {}, Kind::Check, "Message operations menu", {}, 0, "", Tick::Yes},
        {"keepUnreadWhenDeletingAll", {}, Kind::Check, "Erase all includes unread messages"},
        {"cannedMessages", {}, Kind::Check, "Subsitute tone-only with canned messages:"},
        {"folders", {}, Kind::Group, "Folders", {}, 0, "Public folder names, sizes and options"},
        {"ignorePublicMessages", {}, Kind::Check, "Ignore incoming public messages"},
        {"hideMessageNumber", {}, Kind::Check, "Hide message numbers"},
        {"continuousMode", {}, Kind::DropDown, "Continuous", Items({"Continuous", "Discontinuous"})},
        // General page.
        {"firmware", {}, Kind::Label, "--"},
        {"serialNum", {}, Kind::Edit, "00000000", {}, 8},
        {"serialInc", {}, Kind::Check, "auto inc."},
        {"misc", {}, Kind::Group, "General", {}, 0, "General"},
        {"banner", {}, Kind::Edit, "---- Zerin Q9TX ----", {}, 20},
        {"displayHoldTime", {}, Kind::Edit, "10", {}, 3},
        {"displayHoldTimeUpDown", {}, Kind::UpDown, "10"},
        {"lcdBaseContrast", {}, Kind::Edit, "15", {}, 2},
        {"lcdBaseContrastUpDown", {}, Kind::UpDown, "15"},
        {"menuLanguage",
         {},
         Kind::DropDown,
         "English",
         Items({"English", "Deutsch", "French", "Swedish", "Danish", "Norwegian", "Portuguese", "Spanish", "Italiano",
                "Finnish", "Dutch", "Russian"})},
        {"dateFormat", {}, Kind::DropDown, "DD/MM/YY", Items({"DD/MM/YY", "MM/DD/YY"})},
        {"timeFormat", {}, Kind::DropDown, "12-hour", Items({"12-hour", "24-hour"})},
        {"rangeHoldTime", {}, Kind::Edit, "30", {}, 3, "1-255 sec, 0=always on"},
        {"rangeHoldTimeUpDown", {}, Kind::UpDown, "30"},
        {"handProg", {}, Kind::Check, "Hand programming"},
        {"passcode", {}, Kind::Edit, "6947", {}, 4},
        {"alerts", {}, Kind::Group, "Alerts", {}, 0, "Alert duration, style and beep patterns"},
        {"alertDuration", {}, Kind::DropDown, "16 sec", holdTimes},
        {"fixedAlertMode",
         {},
         Kind::DropDown,
         "Let user choose",
         Items({"Let user choose", "Beeps", "Vibrate", "Beeps+Vibrate"})},
        {"muteOption", {}, Kind::Check, "Allow muting"},
        {"escalatingAlerts", {}, Kind::Check, "Escalating alerts"},
        {"flashingAlerts", {}, Kind::Check, "Flashes during alerts"},
        {"lowBattAlertDelay", {}, Kind::Check, "Low battery alert delay (16 sec)"},
        {"nightMode", {}, Kind::Check, "Warning alerts during bed time", {}, 0, "Silence period: 9:00 pm to 6:00 am"},
        {"toneA", {}, Kind::Edit, "FFFC", {}, 4},
        {"toneB", {}, Kind::Edit, "CFFC", {}, 4},
        {"toneC", {}, Kind::Edit, "CCC0", {}, 4},
        {"toneD", {}, Kind::Edit, "CCCC", {}, 4},
        {"tonePowerOn", {}, Kind::Edit, "A000", {}, 4},
        {"toneUrgent", {}, Kind::Edit, "D1B1", {}, 4},
        {"toneWarning", {}, Kind::Edit, "8000", {}, 4},
        {"decoder", {}, Kind::Group, "Decoder", {}, 0, "Decoder settings"},
        {"baudrate", {}, Kind::DropDown, "1200 bps", Items({"512 bps", "1200 bps", "2400 bps"})},
        {"polarity", {}, Kind::DropDown, "Normal", Items({"Normal", "Inverse"})},
        {"rf", {}, Kind::Group, "RF", {}, 0, "RF settings"},
        {"pllChip", {}, Kind::DropDown, "FS8108", Items({"None", "FS8170", "FS8108"})},
        {"Label54", {}, Kind::Label, "Chan. spacing:"},
        {"channelSpacing", {}, Kind::SimpleCombo, "12.5 kHz", Items({"12.5 kHz", "10.0 kHz", "6.25 kHz", "5.00 kHz"})},
        {"menus", {}, Kind::Group, "Menus", {}, 0, "Options for user to access"},
        {"setup", {}, Kind::Check, "Settings", {}, 0, "", Tick::Yes},
        {"schedule", {}, Kind::Check, "Schedule", {}, 0, "", Tick::Yes},
        {"textSize", {}, Kind::Check, "Text size", {}, 0, "", Tick::Yes},
        {"powerOff", {}, Kind::Check, "Power off", {}, 0, "", Tick::Yes},
    };
    // The frequency's text depends on the locale and its check; start-up tests cover it.
    table.push_back({"frequency", {}, Kind::Edit, QString(), {}, 9});

    const char functions[] = "ABCD";
    for (int n = 0; n < 8; ++n) {
        const QString row = QString::number(n + 1);
        table.push_back({"addrEn" + row, {}, Kind::Check, "&" + row, {}, 0, "", Tick::Yes});
        table.push_back({"address" + row, {}, Kind::Edit, QString::number(2004000 + 8 * n), {}, 7});
        table.push_back({"frame" + row, {}, Kind::Label, "0"});
        table.push_back({"autoInc" + row, {}, Kind::DropDown, "0", Numbered("%1", 0, 8)});
        if (n < 4)
            table.push_back({"storage" + row, {}, Kind::DropDown, "Private", storages});
        else
            table.push_back({"storage" + row, {}, Kind::Label, QString()});
        for (int f = 0; f < 4; ++f) {
            const QString name = row + QLatin1Char(functions[f]);
            table.push_back({"format" + name, {}, Kind::DropDown, "Alphanum", formats});
            table.push_back({"urgent" + name, {}, Kind::Check, name});
        }
    }
    const char* const days[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    for (int d = 0; d < 7; ++d) {
        const QString row = QString::number(d + 1);
        table.push_back({QStringLiteral("Label%1").arg(55 + 2 * d), {}, Kind::Label, days[d]});
        table.push_back({"period" + row, {}, Kind::DropDown, "Enabled", periods});
        table.push_back({"start" + row, {}, Kind::TimeEdit, "09:00", {}, 5});
        table.push_back({QStringLiteral("Label%1").arg(56 + 2 * d), {}, Kind::Label, "to"});
        table.push_back({"finish" + row, {}, Kind::TimeEdit, "18:00", {}, 5});
        table.push_back({"nightShift" + row, {}, Kind::Check, "Night shift"});
    }
    for (int i = 0; i < 4; ++i) {
        table.push_back(
            {QStringLiteral("Label%1").arg(16 + i), {}, Kind::Label, QString(QLatin1Char(functions[i])) + ":"});
        table.push_back({QStringLiteral("canned%1").arg(i + 1), {}, Kind::Edit, "", {}, 16});
    }
    for (int k = 0; k < 16; ++k) {
        const QString number = QString::number(k + 1);
        table.push_back({"folderEn" + number, {}, Kind::Check, number + ":", {}, 0, "", Tick::Any});
        table.push_back({"folderName" + number,
                         {},
                         Kind::Edit,
                         QStringLiteral("Folder %1").arg(k + 1, 2, 10, QLatin1Char('0')),
                         {},
                         9});
        table.push_back({"folderSize" + number, {}, Kind::Edit, "1", {}, 2});
    }
    return table;
}

#undef MEMBER

QStringList ItemsOf(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

}  // namespace

class InventoryTest : public QObject {
    Q_OBJECT

private slots:
    // One window for the whole table; the tests that type come last.
    void initTestCase() { window_ = std::make_unique<TForm1>(link_); }
    void cleanupTestCase() { window_.reset(); }

    void control_data()
    {
        QTest::addColumn<int>("index");
        const std::vector<Row> table = Inventory();
        for (int i = 0; i < static_cast<int>(table.size()); ++i)
            QTest::newRow(qPrintable(table[i].name)) << i;
    }

    void control()
    {
        QFETCH(int, index);
        const Row expected = Inventory()[index];
        TForm1& w = *window_;
        QWidget* widget = w.findChild<QWidget*>(expected.name);
        QVERIFY2(widget, "no control of this name");
        if (expected.member)
            QCOMPARE(expected.member(w), widget);
        QCOMPARE(widget->statusTip(), expected.statusTip);

        switch (expected.kind) {
        case Kind::Edit:
        case Kind::TimeEdit: {
            auto* edit = qobject_cast<QLineEdit*>(widget);
            QVERIFY(edit);
            // The limit on typing; text the program sets may be longer.
            QCOMPARE(edit->property("maxLength").toInt(), expected.maxLength);
            QCOMPARE(edit->inputMask(), expected.kind == Kind::TimeEdit ? QStringLiteral("09:99;_") : QString());
            if (!expected.text.isNull())
                QCOMPARE(edit->text(), expected.text);
            break;
        }
        case Kind::DropDown:
        case Kind::SimpleCombo: {
            auto* box = qobject_cast<QComboBox*>(widget);
            QVERIFY(box);
            QCOMPARE(box->isEditable(), expected.kind == Kind::SimpleCombo);
            QCOMPARE(ItemsOf(box), expected.items);
            QCOMPARE(box->currentText(), expected.text);
            break;
        }
        case Kind::Check: {
            auto* box = qobject_cast<QCheckBox*>(widget);
            QVERIFY(box);
            QCOMPARE(box->text(), expected.text);
            if (expected.tick != Tick::Any)
                QCOMPARE(box->isChecked(), expected.tick == Tick::Yes);
            break;
        }
        case Kind::Label: {
            auto* label = qobject_cast<QLabel*>(widget);
            QVERIFY(label);
            if (!expected.text.isNull())
                QCOMPARE(label->text(), expected.text);
            break;
        }
        case Kind::Group: {
            auto* group = qobject_cast<QGroupBox*>(widget);
            QVERIFY(group);
            QCOMPARE(group->title(), expected.text);
            break;
        }
        case Kind::Page:
            QCOMPARE(Control<QTabWidget>(w, QStringLiteral("PageControl1"))
                         ->tabText(Control<QTabWidget>(w, QStringLiteral("PageControl1"))->indexOf(widget)),
                     expected.text);
            break;
        case Kind::UpDown: {
            auto* upDown = qobject_cast<q9tx::UpDownButton*>(widget);
            QVERIFY(upDown);
            QCOMPARE(QString::number(upDown->position()), expected.text);
            break;
        }
        case Kind::Progress: {
            auto* bar = qobject_cast<QProgressBar*>(widget);
            QVERIFY(bar);
            QCOMPARE(bar->minimum(), 0);
            QCOMPARE(bar->maximum(), 100);
            break;
        }
        case Kind::Panel: {
            // A plain container: our own classes may build it, but on a bare QWidget.
            const QMetaObject* qtClass = widget->metaObject();
            while (!QByteArray(qtClass->className()).startsWith('Q'))
                qtClass = qtClass->superClass();
            QCOMPARE(qtClass, &QWidget::staticMetaObject);
            break;
        }
        }
    }

    // The table holds every named control of the window and no other; tool-tips are
    // on bs1 and bs3 only.
    void inventoryIsComplete()
    {
        std::set<QString> listed;
        for (const Row& control : Inventory())
            QVERIFY2(listed.insert(control.name).second, qPrintable("listed twice: " + control.name));
        const std::set<QString> frame = {"PageControl1", "StatusBar1", "MainMenu1", "File1", "Help1", "simpleText",
                                          "Port1", "linkIndicator"};
        std::set<QString> found;
        for (QWidget* widget : window_->findChildren<QWidget*>()) {
            const QString name = widget->objectName();
            const bool partOfTabBar = qobject_cast<QTabBar*>(widget->parentWidget()) != nullptr;
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || frame.count(name) || partOfTabBar)
                continue;
            QVERIFY2(found.insert(name).second, qPrintable("two controls named " + name));
            QVERIFY2(listed.count(name), qPrintable("not in the inventory: " + name));
            const bool wantsToolTip = name == QLatin1String("bs1") || name == QLatin1String("bs3");
            QCOMPARE(widget->toolTip().isEmpty(), !wantsToolTip);
        }
        QCOMPARE(found.size(), listed.size());
        QCOMPARE(Control<QLineEdit>(*window_, QStringLiteral("bs1"))->toolTip(), QStringLiteral("Range: 2 - 61"));
        QCOMPARE(window_->findChildren<QLineEdit*>(QStringLiteral("address1")).size(), 1);
    }

    void menus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("statusTip");
        QTest::addColumn<bool>("checkable");
        QTest::newRow("Open1") << "Open1" << "&Open..." << "Ctrl+O" << "Open a file" << false;
        QTest::newRow("Save1") << "Save1" << "&Save..." << "Ctrl+S" << "Save current file" << false;
        QTest::newRow("Compare1") << "Compare1" << "&Compare with File..." << ""
                                  << "Show where a settings file differs from the editor" << false;
        QTest::newRow("N1") << "N1" << "" << "" << "" << false;
        QTest::newRow("Exit1") << "Exit1" << "E&xit" << "" << "Exit application" << false;
        QTest::newRow("ReadFromPager1") << "ReadFromPager1" << "&ReadFromPager" << "" << "" << false;
        QTest::newRow("WriteToPager1") << "WriteToPager1" << "&WriteToPager" << "" << "" << false;
        QTest::newRow("Recover1") << "Recover1" << "&Recovery" << "" << "Turns recovery mode on/off" << true;
        QTest::newRow("N2") << "N2" << "" << "" << "" << false;
        QTest::newRow("About1") << "About1" << "&About" << "" << "Shows the program's title and version"
                                << false;
        QTest::newRow("AboutQt1") << "AboutQt1" << "About &Qt" << "" << "Shows the version of the Qt toolkit"
                                  << false;
    }

    void menus()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(QString, statusTip);
        QFETCH(bool, checkable);
        QAction* action = window_->findChild<QAction*>(name);
        QVERIFY(action);
        QCOMPARE(action->isSeparator(), caption.isEmpty());
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut().toString(), shortcut);
        QCOMPARE(action->statusTip(), statusTip);
        QCOMPARE(action->isCheckable(), checkable);
    }

    void menuBarOrder()
    {
        const QList<QAction*> bar = window_->MainMenu1->actions();
        QCOMPARE(bar.size(), 5);
        QCOMPARE(bar[0], window_->File1->menuAction());
        QCOMPARE(bar[1], window_->ReadFromPager1);
        QCOMPARE(bar[2], window_->WriteToPager1);
        QCOMPARE(bar[3], window_->Port1->menuAction());
        QCOMPARE(bar[4], window_->Help1->menuAction());
        QCOMPARE(window_->File1->title(), QStringLiteral("&File"));
        QCOMPARE(window_->Help1->title(), QStringLiteral("&Help"));
        QCOMPARE(window_->File1->actions(),
                 (QList<QAction*>{window_->Open1, window_->Save1, window_->Compare1, window_->N1, window_->Exit1}));
        QCOMPARE(window_->Help1->actions(),
                 (QList<QAction*>{window_->Recover1, window_->N2, window_->About1, window_->AboutQt1}));
    }

    void pagesInOrder()
    {
        QTabWidget* pages = Control<QTabWidget>(*window_, QStringLiteral("PageControl1"));
        QCOMPARE(pages->count(), 4);
        QCOMPARE((QList<QWidget*>{pages->widget(0), pages->widget(1), pages->widget(2), pages->widget(3)}),
                 (QList<QWidget*>{Control<QWidget>(*window_, QStringLiteral("channels")),
                                  Control<QWidget>(*window_, QStringLiteral("timefilters")),
                                  Control<QWidget>(*window_, QStringLiteral("storage")),
                                  Control<QWidget>(*window_, QStringLiteral("general"))}));
    }

    void toneFieldsShowUpperCase()
    {
        for (QLineEdit* tone : window_->editor().generalPage().tonePatterns()) {
            tone->clear();
            QTest::keyClicks(tone, QStringLiteral("3c"));
            QCOMPARE(tone->text(), QStringLiteral("3C"));
            tone->setText(QStringLiteral("abcd"));  // pasted or loaded text too
            QCOMPARE(tone->text(), QStringLiteral("ABCD"));
        }
    }

private:
    FakeLink link_;
    std::unique_ptr<TForm1> window_;
};

QTEST_MAIN(InventoryTest)
#include "inventory_test.moc"
