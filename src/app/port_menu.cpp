// The Port menu: "Automatic" (the pager's adapters, found by themselves) or one serial
// port of the machine, chosen for the rest of the session. The list is read each time the
// menu opens, so it follows what is plugged in.

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "editor/error_box.h"
#include "app/tform1.h"

using namespace q9tx;

namespace {

constexpr std::uint16_t kLinkTickInterval = 50;
constexpr char kSystemRoot[] = "/sys";

}  // namespace

void TForm1::BuildPortMenu()
{
    Port1 = new QMenu(QStringLiteral("&Port"), MainMenu1);
    Port1->setObjectName(QStringLiteral("Port1"));
    MainMenu1->insertMenu(Help1->menuAction(), Port1);
    connect(Port1, &QMenu::aboutToShow, this, [this] { Guarded([this] { FillPortMenu(); }); });
    FillPortMenu();
}

void TForm1::FillPortMenu()
{
    Port1->clear();
    qDeleteAll(Port1->findChildren<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly));
    auto* group = new QActionGroup(Port1);
    const auto add = [&](const QString& caption, const QString& name, const QString& objectName) {
        QAction* item = Port1->addAction(caption);
        item->setObjectName(objectName);
        item->setCheckable(true);
        item->setChecked(name == chosenPort_);
        // Another port in the middle of a transfer would end it.
        item->setEnabled(!operationRunning());
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, name] { Guarded([&] { ChoosePort(name); }); });
    };
    add(QStringLiteral("&Automatic"), QString(), QStringLiteral("Automatic1"));
    Port1->addSeparator();
    const std::vector<SerialPortEntry> ports = PortCatalog1 ? PortCatalog1() : ListSerialPorts(kSystemRoot);
    for (const SerialPortEntry& port : ports) {
        const QString name = QString::fromStdString(port.name);
        // A label's '&' is a character, not a mnemonic.
        const QString caption = QString::fromStdString(port.label()).replace(u'&', QStringLiteral("&&"));
        add(caption, name, QStringLiteral("port:") + name);
    }
}

void TForm1::ChoosePort(const QString& name)
{
    if (operationRunning() || name == chosenPort_)
        return;
    chosenPort_ = name;
    linkView_.phase = name.isEmpty() ? LinkPhase::NoCable : LinkPhase::Waiting;
    linkView_.port = name;
    link_.ChoosePort(name.toStdString());
    // The timer stops while there is no port; the chosen one is tried at once.
    ArmTimer(kLinkTickInterval, [this] { link_.LinkTick(); });
    UpdateLinkIndicator();
}
