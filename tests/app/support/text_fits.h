#pragma once

#include <QLabel>

namespace torbex::testing {

// The label's words fit in its box: in height on the lines it wraps them onto, or in width on one
// line (a line's height is the font's, which the box may clip a pixel or two of without loss).
inline bool textFits(const QLabel& label) {
    return label.wordWrap() ? label.heightForWidth(label.width()) <= label.height() : label.sizeHint().width() <= label.width();
}

}  // namespace torbex::testing
