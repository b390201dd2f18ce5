#include "app/caption_button.h"

#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace torbex::app {

void CaptionButton::paintEvent(QPaintEvent* event) {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (fontMetrics().horizontalAdvance(text()) <= room.width()) return QPushButton::paintEvent(event);
    QStylePainter painter(this);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    // A line at each run of spaces, ideographic ones too; a line still too wide wraps where it must.
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    painter.drawText(room, Qt::AlignCenter | Qt::TextWordWrap, text().split(spaces, Qt::SkipEmptyParts).join(u'\n'));
}

}  // namespace torbex::app
