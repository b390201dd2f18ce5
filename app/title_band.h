#pragma once

#include <QLabel>

namespace torbex::app {

// A page's title band: its caption centred on the ink of its glyphs, not on the font's line box,
// which for a Japanese face is taller than the band and would clip the glyphs' feet.
class TitleBand final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace torbex::app
