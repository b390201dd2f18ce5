#pragma once

class QStyle;

namespace torbex::app {

// Fusion, which draws the buttons in their own background colours on every platform, with a
// focus frame that shows on every one of those colours.
QStyle* windowStyle();

}  // namespace torbex::app
