#include "report/trend_painter.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>
#include <vector>

namespace torbex::report {
namespace {

const QColor kFlowColour(0, 130, 0);
const QColor kOcclusionColour(0, 70, 180);
constexpr Band kPercentAxis{80, 120};
constexpr Band kPressureAxis{0, 150};
constexpr int kTimeTicks = 5;

QColor translucent(QColor colour) {
    colour.setAlpha(40);
    return colour;
}

// Where values and times fall in the plot area.
class Scale {
public:
    Scale(const QRectF& plot, const Trend& trend) : m_plot(plot), m_trend(trend) {}
    double x(qint64 ms) const {
        return m_plot.left() + m_plot.width() * double(ms - m_trend.firstMs) / double(m_trend.lastMs - m_trend.firstMs);
    }
    double y(double value, Band axis) const {
        return m_plot.bottom() - m_plot.height() * (value - axis.low) / (axis.high - axis.low);
    }
    QRectF band(Band band, Band axis) const {
        return QRectF(QPointF(m_plot.left(), y(band.high, axis)), QPointF(m_plot.right(), y(band.low, axis)));
    }

private:
    QRectF m_plot;
    const Trend& m_trend;
};

void paintSeries(QPainter& painter, const Scale& scale, const std::vector<TrendPoint>& points, Band axis,
                 const QColor& colour) {
    if (points.empty()) return;
    QPainterPath line;
    line.moveTo(scale.x(points.front().atMs), scale.y(points.front().value, axis));
    for (const TrendPoint& point : points) line.lineTo(scale.x(point.atMs), scale.y(point.value, axis));
    painter.setPen(QPen(colour, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(line);
    painter.setBrush(colour);
    for (const TrendPoint& point : points) painter.drawEllipse(QPointF(scale.x(point.atMs), scale.y(point.value, axis)), 2, 2);
}

void paintAxes(QPainter& painter, const QRectF& plot, const Scale& scale, const Trend& trend) {
    painter.setPen(QPen(QColor(0xD0, 0xD0, 0xD0), 0.5));
    for (double percent = kPercentAxis.low; percent <= kPercentAxis.high; percent += 10) {
        const double y = scale.y(percent, kPercentAxis);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    painter.setPen(QPen(Qt::black, 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    const double labelHeight = 10;
    for (int tick = 0; tick <= 4; ++tick) {
        const double percent = kPercentAxis.low + tick * 10, pressure = kPressureAxis.low + tick * 37.5;
        painter.drawText(QRectF(plot.left() - 30, scale.y(percent, kPercentAxis) - labelHeight / 2, 26, labelHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(percent));
        painter.drawText(QRectF(plot.right() + 4, scale.y(pressure, kPressureAxis) - labelHeight / 2, 30, labelHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(pressure));
    }
    painter.drawText(QRectF(plot.left() - 30, plot.top() - 14, 26, 12), Qt::AlignRight, QStringLiteral("%"));
    painter.drawText(QRectF(plot.right() + 4, plot.top() - 14, 30, 12), Qt::AlignLeft, QStringLiteral("kPa"));
    const QString format = trend.spansUnderAWeek ? QStringLiteral("MM/dd HH:mm") : QStringLiteral("yyyy/MM/dd");
    for (int tick = 0; tick < kTimeTicks; ++tick) {
        const qint64 ms = trend.firstMs + (trend.lastMs - trend.firstMs) * tick / (kTimeTicks - 1);
        const double x = scale.x(ms);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 3));
        painter.drawText(QRectF(x - 40, plot.bottom() + 4, 80, labelHeight), Qt::AlignCenter,
                         QDateTime::fromMSecsSinceEpoch(ms).toString(format));
    }
}

void paintLegend(QPainter& painter, const QRectF& row) {
    const std::pair<QString, QColor> entries[] = {
        {QStringLiteral("流量の目安"), translucent(kFlowColour)},
        {QStringLiteral("閉塞圧力の範囲"), translucent(kOcclusionColour)},
        {QStringLiteral("流量測定結果 (%)"), kFlowColour},
        {QStringLiteral("閉塞測定結果 (kpa)"), kOcclusionColour},
    };
    const double width = row.width() / 4;
    for (int i = 0; i < 4; ++i) {
        const QRectF swatch(row.left() + i * width, row.center().y() - 4, 14, 8);
        painter.fillRect(swatch, entries[i].second);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(swatch.right() + 4, row.top(), width - 20, row.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         entries[i].first);
    }
}

}  // namespace

void paintTrend(QPainter& painter, const QRectF& box, const Trend& trend, const QFont& font) {
    painter.save();
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF plot = box.adjusted(34, 16, -36, -34);
    const Scale scale(plot, trend);
    painter.fillRect(scale.band(kFlowBand, kPercentAxis), translucent(kFlowColour));
    painter.fillRect(scale.band(trend.occlusionBand, kPressureAxis), translucent(kOcclusionColour));
    paintAxes(painter, plot, scale, trend);
    painter.setClipRect(plot.adjusted(-3, -3, 3, 3));
    paintSeries(painter, scale, trend.flow, kPercentAxis, kFlowColour);
    paintSeries(painter, scale, trend.occlusion, kPressureAxis, kOcclusionColour);
    painter.setClipping(false);
    paintLegend(painter, QRectF(box.left() + 34, box.bottom() - 14, box.width() - 70, 14));
    painter.restore();
}

}  // namespace torbex::report
