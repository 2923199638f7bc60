#include "editor/screen_fit.h"

#include <algorithm>

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

namespace q9tx {

namespace {

// The window manager's frame around the window; none before the window is first shown.
QMargins Decoration(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

class ScreenKeeper : public QObject {
public:
    ScreenKeeper(QWidget* window, QWidget* growing) : QObject(window), window_(window), growing_(growing)
    {
        window->installEventFilter(this);
        growing->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool shownOrHidden = event->type() == QEvent::Show || event->type() == QEvent::Hide;
        const bool firstShow = watched == window_ && event->type() == QEvent::Show && !shown_;
        if (firstShow)
            shown_ = true;
        if ((watched == growing_ && shownOrHidden) || firstShow) {
            // After the layout has taken the change in.
            QMetaObject::invokeMethod(
                this, [this] { FitToScreen(window_, false); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget* window_;
    QWidget* growing_;
    // Once shown, the window keeps the size the user gives it until the growing part changes.
    bool shown_ = false;
};

}  // namespace

QRect FitInside(const QRect& frame, const QRect& available)
{
    QRect fitted(frame.topLeft(), frame.size().boundedTo(available.size()));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    return fitted;
}

void FitToScreen(QWidget* window, bool centre)
{
    QScreen* screen = centre ? QGuiApplication::screenAt(QCursor::pos()) : nullptr;
    if (!screen)
        screen = window->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QMargins decoration = Decoration(window);
    if (QLayout* layout = window->layout())
        layout->activate();
    QRect frame(window->frameGeometry().topLeft(), window->sizeHint().grownBy(decoration));
    if (centre)
        frame.moveCenter(available.center());
    frame = FitInside(frame, available);
    window->resize(frame.size().shrunkBy(decoration));
    window->move(frame.topLeft());
}

void KeepOnScreen(QWidget* window, QWidget* growing) { new ScreenKeeper(window, growing); }

}  // namespace q9tx
