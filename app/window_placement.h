#pragma once

#include <QMargins>
#include <QRect>
#include <optional>

namespace torbex::app {

// What a title bar and borders may add around a window's client area, whatever the desktop draws.
inline constexpr QMargins kFrameAllowance{8, 40, 8, 8};

// The client area of a resizable window on a screen whose free area is `available`: where it was
// last (`remembered`), else at `preferred` size and centred; in either case no larger than the
// screen leaves room for, and moved wholly onto it.
QRect placedWindow(const QRect& available, const QSize& preferred, const std::optional<QRect>& remembered,
                   const QMargins& frame = kFrameAllowance);

}  // namespace torbex::app
