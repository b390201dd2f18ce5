#include "app/title_band.h"

#include <QPainter>

namespace torbex::app {

void TitleBand::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetricsF metrics(font(), this);
    const QRectF ink = metrics.tightBoundingRect(text());  // relative to the baseline's start
    const QPointF origin((width() - metrics.horizontalAdvance(text())) / 2, (height() - ink.height()) / 2 - ink.top());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(origin, text());
}

}  // namespace torbex::app
