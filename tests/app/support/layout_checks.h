#pragma once

#include <QLabel>
#include <gtest/gtest.h>

namespace torbex::testing {

// The label's words fit in its box: in height on the lines it wraps them onto, or in width on one
// line (a line's height is the font's, which the box may clip a pixel or two of without loss).
inline bool textFits(const QLabel& label) {
    return label.wordWrap() ? label.heightForWidth(label.width()) <= label.height() : label.sizeHint().width() <= label.width();
}

// Each control inside `parent`, each shown label's words whole, no two overlapping by more than `touching` pixels.
inline void expectApart(const QWidget& parent, const QList<QWidget*>& controls, int touching = 0) {
    const auto box = [&parent](const QWidget* control) { return QRect(control->mapTo(&parent, QPoint(0, 0)), control->size()); };
    for (const QWidget* control : controls) {
        EXPECT_TRUE(parent.rect().contains(box(control))) << control->objectName().toStdString();
        if (const auto* label = qobject_cast<const QLabel*>(control); label && !label->isHidden()) {
            EXPECT_TRUE(textFits(*label)) << control->objectName().toStdString();
        }
        for (const QWidget* other : controls)
            EXPECT_TRUE(control == other || !box(control).adjusted(touching, touching, -touching, -touching).intersects(box(other)))
                << control->objectName().toStdString() << " on " << other->objectName().toStdString();
    }
}

}  // namespace torbex::testing
