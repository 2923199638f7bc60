#include "editor/control_hints.h"

#include <QAction>
#include <QWidget>

namespace q9tx {

QString LongHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

QString ShortHint(const QString& hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

void ApplyHint(QWidget* control, const QString& hint, ToolTip toolTip)
{
    control->setStatusTip(LongHint(hint));
    if (toolTip == ToolTip::On)
        control->setToolTip(ShortHint(hint));
}

void ApplyHint(QAction* action, const QString& hint)
{
    action->setStatusTip(LongHint(hint));
}

}  // namespace q9tx
