#include "app/link_indicator_text.h"

namespace q9tx {

namespace {

QString PhaseText(const LinkView& view)
{
    switch (view.phase) {
    case LinkPhase::NoCable:
        return QStringLiteral("No cable: connect it, or choose its port in the Port menu (q9tx: --port)");
    case LinkPhase::PortProblem:
        // The reason names the port and what to do.
        return view.problem.isEmpty() ? QStringLiteral("%1: cannot be opened").arg(view.port) : view.problem;
    case LinkPhase::Waiting:
        return QStringLiteral("%1: waiting for a pager").arg(view.port);
    case LinkPhase::Connected: {
        QString text = QStringLiteral("%1: pager %2").arg(view.port, view.firmware);
        if (!view.serial.isEmpty())
            text += QStringLiteral(", SN %1").arg(view.serial);
        return text;
    }
    case LinkPhase::TooNew:
        return QStringLiteral("%1: pager %2, too new for this program").arg(view.port, view.firmware);
    case LinkPhase::Unsupported:
        return QStringLiteral("%1: pager of another model").arg(view.port);
    }
    return {};
}

}  // namespace

QString LinkIndicatorText(const LinkView& view)
{
    if (view.activity != LinkActivity::None) {
        const bool reading = view.activity == LinkActivity::Reading;
        QString text = QStringLiteral("%1: %2").arg(view.port, reading ? QStringLiteral("reading ...")
                                                                        : QStringLiteral("writing ..."));
        if (view.closing)
            text += QStringLiteral(" (closing when done)");
        return text;
    }
    const QString phase = PhaseText(view);
    return view.outcome.isEmpty() ? phase : QStringLiteral("%1 - %2").arg(phase, view.outcome);
}

}  // namespace q9tx
