#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <gtest/gtest.h>

namespace torbex::testing {

// The label's words fit in its box: in height on the lines it wraps them onto, or in width on one
// line (a line's height is the font's, which the box may clip a pixel or two of without loss).
inline bool textFits(const QLabel& label) {
    return label.wordWrap() ? label.heightForWidth(label.width()) <= label.height() : label.sizeHint().width() <= label.width();
}

// Every shown caption of `top` whole in its control: labels as above; a button's caption on one
// line, or on a line per word where it is wider (as the window draws it); a check box's with its
// box; each choice of a list box.
inline void expectCaptionsFit(const QWidget& top) {
    for (const QWidget* control : top.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&top)) continue;
        const std::string name = control->objectName().toStdString();
        if (const auto* label = qobject_cast<const QLabel*>(control)) {
            EXPECT_TRUE(textFits(*label)) << name << ": " << label->text().toStdString();
        } else if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
            EXPECT_LE(box->sizeHint().width(), box->width()) << name;
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const QStringList words = button->text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
            const bool oneLine = button->fontMetrics().horizontalAdvance(button->text()) <= room.width();
            int widest = 0;
            for (const QString& word : words) widest = std::max(widest, button->fontMetrics().horizontalAdvance(word));
            EXPECT_TRUE(oneLine || (widest <= room.width() && words.size() * button->fontMetrics().height() <= room.height() + 2))
                << name << ": " << button->text().toStdString();
        } else if (const auto* list = qobject_cast<const QComboBox*>(control)) {
            for (int i = 0; i < list->count(); ++i)
                EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(i)), list->width() - 20) << name << ": " << i;
        }
    }
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
