#include "app/window_placement.h"

#include <algorithm>

namespace torbex::app {

QRect placedWindow(const QRect& available, const QSize& preferred, const std::optional<QRect>& remembered, const QMargins& frame) {
    const QRect room = available.marginsRemoved(frame);
    const QSize size = (remembered ? remembered->size() : preferred).boundedTo(room.size());
    QPoint topLeft = remembered ? remembered->topLeft()
                                : room.topLeft() + QPoint((room.width() - size.width()) / 2, (room.height() - size.height()) / 2);
    topLeft.setX(std::clamp(topLeft.x(), room.left(), room.left() + room.width() - size.width()));
    topLeft.setY(std::clamp(topLeft.y(), room.top(), room.top() + room.height() - size.height()));
    return {topLeft, size};
}

}  // namespace torbex::app
