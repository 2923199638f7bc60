#pragma once
// A scroll area that asks for room for all of its content, so that a window sized to
// its content shows it whole where the screen allows and scrolls only where it does not.
// (QScrollArea's own size hint stops at a few dozen lines of text.)

#include <QScrollArea>

namespace q9tx {

class WholeContentScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;

    QSize sizeHint() const override;
};

}  // namespace q9tx
