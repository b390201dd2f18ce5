#pragma once

#include <QPushButton>

namespace torbex::app {

// A button whose caption, when one line of it is wider than the button, is drawn on as many lines
// as it takes (broken at its spaces), as the window's captions were laid out to be; its text stays
// the caption as written.
class CaptionButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace torbex::app
