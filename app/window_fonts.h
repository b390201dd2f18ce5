#pragma once

#include <QFont>

namespace torbex::app {

inline constexpr int kGridRowHeightPixels = 18;

// The window's fonts: the Windows Japanese Gothic faces where installed, else an installed
// Japanese face, so the window reads well on Linux too.
QFont controlFont();
QFont titleFont();
QFont fixedPitchFont();
QFont gridFont();

}  // namespace torbex::app
