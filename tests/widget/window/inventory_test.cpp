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
#include "editor/up_down_button.h"
#include "fake_link.h"

namespace {

enum class Kind { Edit, TimeEdit, DropDown, SimpleCombo, Check, Label, Group, Panel, Page, UpDown, Progress };
enum class Tick { No, Yes, Any };  // Any: the editor's rules decide at start-up

struct Control {
    QString name;
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

std::vector<Control> Inventory()
{
    const QStringList storages = Items({"Private", "Public"});
    const QStringList formats = Items({"Numeric", "Alphanum", "Disabled", "Tone"});
    const QStringList periods = Items({"Disabled, all day", "Enabled, all day", "Enabled"});
    const QStringList holdTimes = Items({"4 sec", "8 sec", "16 sec", "32 sec"});
    std::vector<Control> table = {
        {"progress", MEMBER(progress), Kind::Panel, ""},
        {"action", MEMBER(action), Kind::Label, ""},
        {"progressBar", MEMBER(progressBar), Kind::Progress, ""},
        {"factory", MEMBER(factory), Kind::Panel, ""},
        {"settings", MEMBER(settings), Kind::Panel, ""},
        {"banner1", MEMBER(banner1), Kind::Label, ""},
        {"channels", MEMBER(channels), Kind::Page, "Addresses"},
        {"timefilters", MEMBER(timefilters), Kind::Page, "Schedule"},
        {"storage", MEMBER(storagePage), Kind::Page, "Messages"},
        {"general", MEMBER(general), Kind::Page, "General"},
        // Factory panel.
        {"customerId", MEMBER(customerId), Kind::DropDown, ""},
        {"mapVersion", MEMBER(mapVersion), Kind::SimpleCombo, "0", Items({"0"})},
        {"lcdGain", MEMBER(lcdGain), Kind::DropDown, ""},
        {"overheat", MEMBER(overheat), Kind::DropDown, ""},
        {"date", MEMBER(date), Kind::Label, ""},
        {"comment", MEMBER(comment), Kind::Edit, "", {}, 16},
        {"bs1", MEMBER(bs1), Kind::Edit, "30", {}, 2, "Range: 2 - 61"},
        {"bs3", MEMBER(bs3), Kind::Edit, "31", {}, 2, "Range: 3 - 62"},
        {"filterStrength", MEMBER(filterStrength), Kind::DropDown, "FS2", Items({"FS1", "FS2", "FS3", "FS4", "Off"})},
        {"preambleError", MEMBER(preambleError), Kind::DropDown, "2 CNT", Numbered("%1 CNT", 1, 8)},
        {"bs2Option", MEMBER(bs2Option), Kind::Check, "BS2 Option"},
        // Addresses page.
        {"addresses", MEMBER(addresses), Kind::Group, "Addresses", {}, 0, "Receiving channels"},
        {"urgent", MEMBER(urgent), Kind::Group, "Urgent call targets", {}, 0, "Destinations for urgent call"},
        // Schedule page.
        {"timetable", MEMBER(timetable), Kind::Group, "Schedule", {}, 0, "Schedule options"},
        {"useSchedule", MEMBER(useSchedule), Kind::Check, "Use schedule", {}, 0, "", Tick::Yes},
        // Messages page.
        {"messages", MEMBER(messages), Kind::Group, "Messages", {}, 0, "Message options"},
        {"messageHoldTime", MEMBER(messageHoldTime), Kind::DropDown, "32 sec", holdTimes},
        {"messageEncoding", MEMBER(messageEncoding), Kind::DropDown, "English (UK)",
         Items({"English (US)", "German", "Swiss", "French", "Swedish", "Portuguese", "Spanish", "English (UK)",
                "Italian", "Denmark/Norway", "Russian"})},
        {"repeatedFilter", MEMBER(repeatedFilter), Kind::DropDown, "CT independent",
         Items({"CT independent", "CT dependent", "Disabled"})},
        {"repeatedRejectionTime", MEMBER(repeatedRejectionTime), Kind::DropDown, "Disabled",
         Items({"Disabled", "3-4 min", "4-5 min", "5-6 min", "6-7 min", "7-8 min", "8-9 min"})},
        {"unreadReminder", MEMBER(unreadReminder), Kind::DropDown, "Disabled",
         Items({"Disabled", "1 sec", "2 sec", "4 sec", "6 sec", "8 sec", "10 sec"})},
        {"numReminders", MEMBER(numReminders), Kind::DropDown, "Indefinitly",
         Items({"Indefinitly", "Once", "Twice"}) + Numbered("%1 times", 3, 10)},
        {"messageOps", MEMBER(messageOps), Kind::Check, "Message operations menu", {}, 0, "", Tick::Yes},
        {"keepUnreadWhenDeletingAll", MEMBER(keepUnreadWhenDeletingAll), Kind::Check,
         "Erase all includes unread messages"},
        {"cannedMessages", MEMBER(cannedMessages), Kind::Check, "Subsitute tone-only with canned messages:"},
        {"folders", MEMBER(folders), Kind::Group, "Folders", {}, 0, "Public folder names, sizes and options"},
        {"ignorePublicMessages", MEMBER(ignorePublicMessages), Kind::Check, "Ignore incoming public messages"},
        {"hideMessageNumber", MEMBER(hideMessageNumber), Kind::Check, "Hide message numbers"},
        {"continuousMode", MEMBER(continuousMode), Kind::DropDown, "Continuous", Items({"Continuous", "Discontinuous"})},
        // General page.
        {"firmware", MEMBER(firmware), Kind::Label, "--"},
        {"serialNum", MEMBER(serialNum), Kind::Edit, "00000000", {}, 8},
        {"serialInc", MEMBER(serialInc), Kind::Check, "auto inc."},
        {"misc", MEMBER(misc), Kind::Group, "General", {}, 0, "General"},
        {"banner", MEMBER(banner), Kind::Edit, "---- Zerin Q9TX ----", {}, 20},
        {"displayHoldTime", MEMBER(displayHoldTime), Kind::Edit, "10", {}, 3},
        {"displayHoldTimeUpDown", MEMBER(displayHoldTimeUpDown), Kind::UpDown, "10"},
        {"lcdBaseContrast", MEMBER(lcdBaseContrast), Kind::Edit, "15", {}, 2},
        {"lcdBaseContrastUpDown", MEMBER(lcdBaseContrastUpDown), Kind::UpDown, "15"},
        {"menuLanguage", MEMBER(menuLanguage), Kind::DropDown, "English",
         Items({"English", "Deutsch", "French", "Swedish", "Danish", "Norwegian", "Portuguese", "Spanish", "Italiano",
                "Finnish", "Dutch", "Russian"})},
        {"dateFormat", MEMBER(dateFormat), Kind::DropDown, "DD/MM/YY", Items({"DD/MM/YY", "MM/DD/YY"})},
        {"timeFormat", MEMBER(timeFormat), Kind::DropDown, "12-hour", Items({"12-hour", "24-hour"})},
        {"rangeHoldTime", MEMBER(rangeHoldTime), Kind::Edit, "30", {}, 3, "1-255 sec, 0=always on"},
        {"rangeHoldTimeUpDown", MEMBER(rangeHoldTimeUpDown), Kind::UpDown, "30"},
        {"handProg", MEMBER(handProg), Kind::Check, "Hand programming"},
        {"passcode", MEMBER(passcode), Kind::Edit, "6947", {}, 4},
        {"alerts", MEMBER(alerts), Kind::Group, "Alerts", {}, 0, "Alert duration, style and beep patterns"},
        {"alertDuration", MEMBER(alertDuration), Kind::DropDown, "16 sec", holdTimes},
        {"fixedAlertMode", MEMBER(fixedAlertMode), Kind::DropDown, "Let user choose",
         Items({"Let user choose", "Beeps", "Vibrate", "Beeps+Vibrate"})},
        {"muteOption", MEMBER(muteOption), Kind::Check, "Allow muting"},
        {"escalatingAlerts", MEMBER(escalatingAlerts), Kind::Check, "Escalating alerts"},
        {"flashingAlerts", MEMBER(flashingAlerts), Kind::Check, "Flashes during alerts"},
        {"lowBattAlertDelay", MEMBER(lowBattAlertDelay), Kind::Check, "Low battery alert delay (16 sec)"},
        {"nightMode", MEMBER(nightMode), Kind::Check, "Warning alerts during bed time", {}, 0,
         "Silence period: 9:00 pm to 6:00 am"},
        {"toneA", MEMBER(toneA), Kind::Edit, "FFFC", {}, 4},
        {"toneB", MEMBER(toneB), Kind::Edit, "CFFC", {}, 4},
        {"toneC", MEMBER(toneC), Kind::Edit, "CCC0", {}, 4},
        {"toneD", MEMBER(toneD), Kind::Edit, "CCCC", {}, 4},
        {"tonePowerOn", MEMBER(tonePowerOn), Kind::Edit, "A000", {}, 4},
        {"toneUrgent", MEMBER(toneUrgent), Kind::Edit, "D1B1", {}, 4},
        {"toneWarning", MEMBER(toneWarning), Kind::Edit, "8000", {}, 4},
        {"decoder", MEMBER(decoder), Kind::Group, "Decoder", {}, 0, "Decoder settings"},
        {"baudrate", MEMBER(baudrate), Kind::DropDown, "1200 bps", Items({"512 bps", "1200 bps", "2400 bps"})},
        {"polarity", MEMBER(polarity), Kind::DropDown, "Normal", Items({"Normal", "Inverse"})},
        {"rf", MEMBER(rf), Kind::Group, "RF", {}, 0, "RF settings"},
        {"pllChip", MEMBER(pllChip), Kind::DropDown, "FS8108", Items({"None", "FS8170", "FS8108"})},
        {"Label54", MEMBER(Label54), Kind::Label, "Chan. spacing:"},
        {"channelSpacing", MEMBER(channelSpacing), Kind::SimpleCombo, "12.5 kHz",
         Items({"12.5 kHz", "10.0 kHz", "6.25 kHz", "5.00 kHz"})},
        {"menus", MEMBER(menus), Kind::Group, "Menus", {}, 0, "Options for user to access"},
        {"setup", MEMBER(setup), Kind::Check, "Settings", {}, 0, "", Tick::Yes},
        {"schedule", MEMBER(schedule), Kind::Check, "Schedule", {}, 0, "", Tick::Yes},
        {"textSize", MEMBER(textSize), Kind::Check, "Text size", {}, 0, "", Tick::Yes},
        {"powerOff", MEMBER(powerOff), Kind::Check, "Power off", {}, 0, "", Tick::Yes},
    };
    // The frequency's text depends on the locale and its check; start-up tests cover it.
    table.push_back({"frequency", MEMBER(frequency), Kind::Edit, QString(), {}, 9});

    const char functions[] = "ABCD";
    for (int n = 0; n < 8; ++n) {
        const QString row = QString::number(n + 1);
        table.push_back({"addrEn" + row, [n](TForm1& w) -> QWidget* { return w.addrEn[n]; }, Kind::Check, "&" + row,
                         {}, 0, "", Tick::Yes});
        table.push_back({"address" + row, [n](TForm1& w) -> QWidget* { return w.address[n]; }, Kind::Edit,
                         QString::number(2004000 + 8 * n), {}, 7});
        table.push_back({"frame" + row, [n](TForm1& w) -> QWidget* { return w.frame[n]; }, Kind::Label, "0"});
        table.push_back({"autoInc" + row, [n](TForm1& w) -> QWidget* { return w.autoInc[n]; }, Kind::DropDown, "0",
                         Numbered("%1", 0, 8)});
        if (n < 4)
            table.push_back({"storage" + row, [n](TForm1& w) -> QWidget* { return w.storage[n]; }, Kind::DropDown,
                             "Private", storages});
        else
            table.push_back({"storage" + row, [n](TForm1& w) -> QWidget* { return w.storageLabel[n - 4]; },
                             Kind::Label, QString()});
        for (int f = 0; f < 4; ++f) {
            const QString name = row + QLatin1Char(functions[f]);
            table.push_back({"format" + name, [n, f](TForm1& w) -> QWidget* { return w.format[n][f]; },
                             Kind::DropDown, "Alphanum", formats});
            table.push_back({"urgent" + name, [n, f](TForm1& w) -> QWidget* { return w.urgentTarget[n][f]; },
                             Kind::Check, name});
        }
    }
    const char* const days[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    for (int d = 0; d < 7; ++d) {
        const QString row = QString::number(d + 1);
        table.push_back({QStringLiteral("Label%1").arg(55 + 2 * d), [d](TForm1& w) -> QWidget* { return w.dayLabel[d]; },
                         Kind::Label, days[d]});
        table.push_back({"period" + row, [d](TForm1& w) -> QWidget* { return w.period[d]; }, Kind::DropDown, "Enabled",
                         periods});
        table.push_back({"start" + row, [d](TForm1& w) -> QWidget* { return w.start[d]; }, Kind::TimeEdit, "09:00", {},
                         5});
        table.push_back({QStringLiteral("Label%1").arg(56 + 2 * d), [d](TForm1& w) -> QWidget* { return w.toLabel[d]; },
                         Kind::Label, "to"});
        table.push_back({"finish" + row, [d](TForm1& w) -> QWidget* { return w.finish[d]; }, Kind::TimeEdit, "18:00",
                         {}, 5});
        table.push_back({"nightShift" + row, [d](TForm1& w) -> QWidget* { return w.nightShift[d]; }, Kind::Check,
                         "Night shift"});
    }
    for (int i = 0; i < 4; ++i) {
        table.push_back({QStringLiteral("Label%1").arg(16 + i), [i](TForm1& w) -> QWidget* { return w.cannedLabel[i]; },
                         Kind::Label, QString(QLatin1Char(functions[i])) + ":"});
        table.push_back({QStringLiteral("canned%1").arg(i + 1), [i](TForm1& w) -> QWidget* { return w.canned[i]; },
                         Kind::Edit, "", {}, 16});
    }
    for (int k = 0; k < 16; ++k) {
        const QString number = QString::number(k + 1);
        table.push_back({"folderEn" + number, [k](TForm1& w) -> QWidget* { return w.folderEn[k]; }, Kind::Check,
                         number + ":", {}, 0, "", Tick::Any});
        table.push_back({"folderName" + number, [k](TForm1& w) -> QWidget* { return w.folderName[k]; }, Kind::Edit,
                         QStringLiteral("Folder %1").arg(k + 1, 2, 10, QLatin1Char('0')), {}, 9});
        table.push_back({"folderSize" + number, [k](TForm1& w) -> QWidget* { return w.folderSize[k]; }, Kind::Edit,
                         "1", {}, 2});
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
        const std::vector<Control> table = Inventory();
        for (int i = 0; i < static_cast<int>(table.size()); ++i)
            QTest::newRow(qPrintable(table[i].name)) << i;
    }

    void control()
    {
        QFETCH(int, index);
        const Control expected = Inventory()[index];
        TForm1& w = *window_;
        QWidget* widget = w.findChild<QWidget*>(expected.name);
        QVERIFY2(widget, "no control of this name");
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
            QCOMPARE(w.PageControl1->tabText(w.PageControl1->indexOf(widget)), expected.text);
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
        case Kind::Panel:
            QCOMPARE(widget->metaObject(), &QWidget::staticMetaObject);
            break;
        }
    }

    // The table holds every named control of the window and no other; tool-tips are
    // on bs1 and bs3 only.
    void inventoryIsComplete()
    {
        std::set<QString> listed;
        for (const Control& control : Inventory())
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
        QCOMPARE(window_->bs1->toolTip(), QStringLiteral("Range: 2 - 61"));
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
        QCOMPARE(window_->Help1->actions(), (QList<QAction*>{window_->Recover1, window_->N2, window_->About1}));
    }

    void pagesInOrder()
    {
        QTabWidget* pages = window_->PageControl1;
        QCOMPARE(pages->count(), 4);
        QCOMPARE((QList<QWidget*>{pages->widget(0), pages->widget(1), pages->widget(2), pages->widget(3)}),
                 (QList<QWidget*>{window_->channels, window_->timefilters, window_->storagePage, window_->general}));
    }

    void toneFieldsShowUpperCase()
    {
        for (QLineEdit* tone : window_->tonePatterns()) {
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
