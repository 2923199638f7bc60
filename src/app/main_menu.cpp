// The main menu: File, the two transfer commands on the bar itself, and Help.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/tform1.h"
#include "editor/control_hints.h"
#include "editor/error_box.h"

using namespace q9tx;

namespace {

struct MenuItem {
    QAction* TForm1::*member;
    const char* name;
    const char* caption;  // empty for a separator
    const char* hint;
    QKeyCombination shortcut;
    void (TForm1::*handler)();
    bool checkable;
};

constexpr QKeyCombination kNoShortcut{};

const MenuItem kFileItems[] = {
    {&TForm1::Open1, "Open1", "&Open...", "Open|Open a file", Qt::CTRL | Qt::Key_O, &TForm1::Open1Click, false},
    {&TForm1::Save1, "Save1", "&Save...", "Save|Save current file", Qt::CTRL | Qt::Key_S, &TForm1::Save1Click, false},
    {&TForm1::Compare1, "Compare1", "&Compare with File...", "Compare|Show where a settings file differs from the editor",
     kNoShortcut, &TForm1::Compare1Click, false},
    {&TForm1::N1, "N1", "", "", kNoShortcut, nullptr, false},
    {&TForm1::Exit1, "Exit1", "E&xit", "Exit|Exit application", kNoShortcut, &TForm1::Exit1Click, false},
};

const MenuItem kHelpItems[] = {
    {&TForm1::Recover1, "Recover1", "&Recovery", "Turns recovery mode on/off", kNoShortcut, &TForm1::Recover1Click,
     true},
    {&TForm1::N2, "N2", "", "", kNoShortcut, nullptr, false},
    {&TForm1::About1, "About1", "&About", "About|Shows the program's title and version", kNoShortcut,
     &TForm1::About1Click, false},
    {&TForm1::AboutQt1, "AboutQt1", "About &Qt", "About Qt|Shows the version of the Qt toolkit", kNoShortcut,
     &TForm1::AboutQt1Click, false},
};

const MenuItem kBarCommands[] = {
    {&TForm1::ReadFromPager1, "ReadFromPager1", "&ReadFromPager", "", kNoShortcut, &TForm1::ReadFromPager1Click,
     false},
    {&TForm1::WriteToPager1, "WriteToPager1", "&WriteToPager", "", kNoShortcut, &TForm1::WriteToPager1Click, false},
};

}  // namespace

void TForm1::BuildMainMenu()
{
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(MainMenu1);

    const auto addItem = [this](QWidget* menu, const MenuItem& item) {
        auto* action = new QAction(QString::fromLatin1(item.caption), menu);
        action->setObjectName(QString::fromLatin1(item.name));
        if (*item.caption == '\0') {
            action->setSeparator(true);
        } else {
            ApplyHint(action, QString::fromLatin1(item.hint));
            action->setShortcut(QKeySequence(item.shortcut));
            action->setCheckable(item.checkable);
            connect(action, &QAction::triggered, this,
                    [this, handler = item.handler] { Guarded([this, handler] { (this->*handler)(); }); });
        }
        menu->addAction(action);
        this->*item.member = action;
    };

    File1 = MainMenu1->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    for (const MenuItem& item : kFileItems)
        addItem(File1, item);
    for (const MenuItem& item : kBarCommands)
        addItem(MainMenu1, item);
    Help1 = MainMenu1->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    for (const MenuItem& item : kHelpItems)
        addItem(Help1, item);
}
