#include "report/trend_painter.h"

#include "report/trend_layout.h"

#include <QDateTime>
#include <QPainter>
#include <QPainterPath>
#include <vector>
#include "data/ui_text.h"

namespace torbex::report {
namespace {

using namespace trend_layout;

QColor translucent(QColor colour) {
    colour.setAlpha(kBandAlpha);
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
    painter.setPen(QPen(colour, kSeriesWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(line);
    painter.setBrush(colour);
    for (const TrendPoint& point : points) painter.drawEllipse(QPointF(scale.x(point.atMs), scale.y(point.value, axis)), kPointRadius, kPointRadius);
}

void paintAxes(QPainter& painter, const QRectF& plot, const Scale& scale, const Trend& trend) {
    const auto tickValue = [](Band axis, int tick) { return axis.low + (axis.high - axis.low) * tick / (kValueTicks - 1); };
    painter.setPen(QPen(kGridColour, kGridWidth));
    for (int tick = 0; tick < kValueTicks; ++tick) {
        const double y = scale.y(tickValue(kPercentAxis, tick), kPercentAxis);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    painter.setPen(QPen(Qt::black, kFrameWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    const double leftLabels = plot.left() - kLabelGap - kLeftLabelWidth, rightLabels = plot.right() + kLabelGap;
    for (int tick = 0; tick < kValueTicks; ++tick) {
        const double percent = tickValue(kPercentAxis, tick), pressure = tickValue(kPressureAxis, tick);
        painter.drawText(QRectF(leftLabels, scale.y(percent, kPercentAxis) - kLabelHeight / 2, kLeftLabelWidth, kLabelHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(percent));
        painter.drawText(QRectF(rightLabels, scale.y(pressure, kPressureAxis) - kLabelHeight / 2, kRightLabelWidth, kLabelHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, QString::number(pressure));
    }
    painter.drawText(QRectF(leftLabels, plot.top() - kUnitAbove, kLeftLabelWidth, kUnitHeight), Qt::AlignRight,
                     QStringLiteral("%"));
    painter.drawText(QRectF(rightLabels, plot.top() - kUnitAbove, kRightLabelWidth, kUnitHeight), Qt::AlignLeft,
                     QStringLiteral("kPa"));
    const QString format = QStringLiteral("yyyy/MM/dd");
    for (int tick = 0; tick < kTimeTicks; ++tick) {
        const qint64 ms = trend.firstMs + (trend.lastMs - trend.firstMs) * tick / (kTimeTicks - 1);
        const double x = scale.x(ms);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTickLength));
        painter.drawText(QRectF(x - kTimeLabelWidth / 2, plot.bottom() + kLabelGap, kTimeLabelWidth, kLabelHeight), Qt::AlignCenter,
                         QDateTime::fromMSecsSinceEpoch(ms).toString(format));
    }
}

void paintLegend(QPainter& painter, const QRectF& row) {
    const std::pair<QString, QColor> entries[] = {
        {Texts::tr("流量の目安"), translucent(kFlowColour)},
        {Texts::tr("閉塞圧力の範囲"), translucent(kOcclusionColour)},
        {Texts::tr("流量測定結果 (%)"), kFlowColour},
        {Texts::tr("閉塞測定結果 (kPa)"), kOcclusionColour},
    };
    const double width = row.width() / std::size(entries);
    for (std::size_t i = 0; i < std::size(entries); ++i) {
        const QRectF swatch(row.left() + i * width, row.center().y() - kSwatchHeight / 2, kSwatchWidth, kSwatchHeight);
        painter.fillRect(swatch, entries[i].second);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(swatch.right() + kSwatchGap, row.top(), width - kSwatchWidth - 2 * kSwatchGap, row.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, entries[i].first);
    }
}

}  // namespace

void paintTrend(QPainter& painter, const QRectF& box, const Trend& trend, const QFont& font) {
    painter.save();
    painter.setFont(font);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF plot = box.adjusted(kPlotLeft, kPlotTop, -kPlotRight, -kPlotBottom);
    const Scale scale(plot, trend);
    painter.fillRect(scale.band(kFlowBand, kPercentAxis), translucent(kFlowColour));
    painter.fillRect(scale.band(trend.occlusionBand, kPressureAxis), translucent(kOcclusionColour));
    paintAxes(painter, plot, scale, trend);
    painter.setClipRect(plot.adjusted(-kClipMargin, -kClipMargin, kClipMargin, kClipMargin));
    paintSeries(painter, scale, trend.flow, kPercentAxis, kFlowColour);
    paintSeries(painter, scale, trend.occlusion, kPressureAxis, kOcclusionColour);
    painter.setClipping(false);
    paintLegend(painter, QRectF(box.left() + kPlotLeft, box.bottom() - kLegendHeight, box.width() - kPlotLeft - kPlotRight,
                                kLegendHeight));
    painter.restore();
}

}  // namespace torbex::report
