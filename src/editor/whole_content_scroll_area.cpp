#include "editor/whole_content_scroll_area.h"

namespace q9tx {

QSize WholeContentScrollArea::sizeHint() const
{
    const int frame = 2 * frameWidth();
    const QSize content = widget() ? widget()->sizeHint() : QSize();
    return content + QSize(frame, frame);
}

}  // namespace q9tx
