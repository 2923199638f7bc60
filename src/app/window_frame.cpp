// The window's frame: the progress panel, the editor's factory panel and settings panel,
// and the status bar. The panels below the progress panel scroll where the screen is too
// small for them, so that the progress panel and the status bar stay in view.

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/tform1.h"
#include "editor/control_factory.h"
#include "editor/factory_panel.h"
#include "editor/settings_editor.h"
#include "editor/whole_content_scroll_area.h"

using namespace q9tx;

void TForm1::BuildWindowFrame()
{
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    progress = new QWidget(central);
    progress->setObjectName(QStringLiteral("progress"));
    auto* progressRow = new QHBoxLayout(progress);
    progressRow->setContentsMargins(8, 4, 8, 4);
    action = MakeLabel(progress, QStringLiteral("action"), QString());
    action->setMinimumWidth(action->fontMetrics().horizontalAdvance(QStringLiteral("Verifying...")) + 8);
    progressBar = new QProgressBar(progress);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setRange(0, 100);
    progressBar->setValue(0);
    progressBar->setTextVisible(false);
    progressRow->addWidget(action);
    progressRow->addWidget(progressBar, 1);
    progress->hide();
    column->addWidget(progress);

    auto* scroll = new WholeContentScrollArea(central);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* panels = new QWidget(scroll);
    auto* panelColumn = new QVBoxLayout(panels);
    panelColumn->setContentsMargins(0, 0, 0, 0);
    panelColumn->setSpacing(0);
    column->addWidget(scroll, 1);

    editor_ = new SettingsEditor(*this, panels);
    panelColumn->addWidget(editor_->factoryPanel());
    panelColumn->addWidget(editor_->settingsPanel());

    banner1 = MakeLabel(panels, QStringLiteral("banner1"), QString());
    panelColumn->addWidget(banner1);
    scroll->setWidget(panels);
    setCentralWidget(central);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    simpleText_ = new QLabel(StatusBar1);
    simpleText_->setObjectName(QStringLiteral("simpleText"));
    StatusBar1->addWidget(simpleText_, 1);
    setStatusBar(StatusBar1);
}
