#include "editor/up_down_button.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/error_box.h"

namespace q9tx {
namespace {

QToolButton* MakeArrow(Qt::ArrowType arrow, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // Clicking must not take the focus from the edit, or the edit would be left.
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(16);
    return button;
}

}  // namespace

UpDownButton::UpDownButton(QLineEdit* associate, int minimum, int maximum, bool wraps, QWidget* parent)
    : QWidget(parent),
      associate_(associate),
      up_(MakeArrow(Qt::UpArrow, this)),
      down_(MakeArrow(Qt::DownArrow, this)),
      minimum_(minimum),
      maximum_(std::max(minimum, maximum)),
      wraps_(wraps),
      position_(minimum)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    setFixedHeight(associate->sizeHint().height());
    // Showing and hiding must not move the controls around it.
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);

    connect(up_, &QToolButton::clicked, this, [this] { Guarded([this] { stepBy(1); }); });
    connect(down_, &QToolButton::clicked, this, [this] { Guarded([this] { stepBy(-1); }); });
    associate_->installEventFilter(this);
}

void UpDownButton::setPosition(int position)
{
    position_ = std::clamp(position, minimum_, maximum_);
    associate_->setText(QString::number(position_));
}

void UpDownButton::stepBy(int steps)
{
    bool isNumber = false;
    const int shown = associate_->text().toInt(&isNumber);
    int next = (isNumber ? std::clamp(shown, minimum_, maximum_) : position_) + steps;
    const int span = maximum_ - minimum_ + 1;
    if (wraps_)
        next = minimum_ + ((next - minimum_) % span + span) % span;
    setPosition(next);
}

bool UpDownButton::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == associate_ && event->type() == QEvent::KeyPress && !isHidden() && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Guarded([this, key] { stepBy(key == Qt::Key_Up ? 1 : -1); });
            return true;
        }
    }
    return false;
}

}  // namespace q9tx
