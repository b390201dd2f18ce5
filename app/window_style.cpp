#include "app/window_style.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace torbex::app {
namespace {

class FocusFrameStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const override {
        QProxyStyle::drawControl(element, option, painter, widget);
        // Fusion marks a focused button by a tint of its frame alone, which a coloured button hides.
        if (element != CE_PushButton || !(option->state & State_HasFocus)) return;
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::Active, QPalette::Highlight), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option->rect).adjusted(3, 3, -3, -3));
        painter->restore();
    }
};

}  // namespace

QStyle* windowStyle() { return new FocusFrameStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

}  // namespace torbex::app
