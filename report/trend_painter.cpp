#include "report/trend_painter.h"

#include "report/trend_layout.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <optional>
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

// A failed result as a triangle, an error as a square, both red.
void paintMark(QPainter& painter, const QPointF& at, data::Verdict verdict) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kFailedColour);
    if (verdict == data::Verdict::Error) {
        painter.drawRect(QRectF(at.x() - kMarkRadius * 0.8, at.y() - kMarkRadius * 0.8, kMarkRadius * 1.6, kMarkRadius * 1.6));
        return;
    }
    const QPointF corners[] = {{at.x(), at.y() - kMarkRadius}, {at.x() + kMarkRadius, at.y() + kMarkRadius * 0.75},
                               {at.x() - kMarkRadius, at.y() + kMarkRadius * 0.75}};
    painter.drawPolygon(corners, 3);
}

void paintSeries(QPainter& painter, const Scale& scale, const std::vector<TrendPoint>& points, Band axis,
                 const QColor& colour) {
    if (points.empty()) return;
    QPainterPath line;
    line.moveTo(scale.x(points.front().atMs), scale.y(points.front().value, axis));
    for (const TrendPoint& point : points) line.lineTo(scale.x(point.atMs), scale.y(point.value, axis));
    painter.setPen(QPen(colour, kSeriesWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(line);
    for (const TrendPoint& point : points) {
        const QPointF at(scale.x(point.atMs), scale.y(point.value, axis));
        if (point.verdict == data::Verdict::Fail || point.verdict == data::Verdict::Error) {
            paintMark(painter, at, point.verdict);
        } else {
            painter.setPen(QPen(colour, kSeriesWidth));
            painter.setBrush(colour);
            painter.drawEllipse(at, kPointRadius, kPointRadius);
        }
    }
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

// The entries one after another, each as wide as its words; the marks only where the trend has them.
void paintLegend(QPainter& painter, const QRectF& row, const Trend& trend) {
    struct Entry {
        QString text;
        QColor colour;                       // of the swatch
        std::optional<data::Verdict> mark;  // or the mark instead
    };
    std::vector<Entry> entries{{Texts::tr("流量の目安"), translucent(kFlowColour), {}},
                               {Texts::tr("閉塞圧力の範囲"), translucent(kOcclusionColour), {}},
                               {Texts::tr("流量測定結果 (%)"), kFlowColour, {}},
                               {Texts::tr("閉塞測定結果 (kPa)"), kOcclusionColour, {}}};
    const auto has = [&trend](data::Verdict verdict) {
        const auto of = [verdict](const TrendPoint& point) { return point.verdict == verdict; };
        return std::any_of(trend.flow.begin(), trend.flow.end(), of) || std::any_of(trend.occlusion.begin(), trend.occlusion.end(), of);
    };
    if (has(data::Verdict::Fail)) entries.push_back({Texts::tr("不合格"), {}, data::Verdict::Fail});
    if (has(data::Verdict::Error)) entries.push_back({Texts::tr("エラー"), {}, data::Verdict::Error});
    const QFontMetricsF metrics(painter.font());
    double x = row.left();
    for (const Entry& entry : entries) {
        const QRectF swatch(x, row.center().y() - kSwatchHeight / 2, kSwatchWidth, kSwatchHeight);
        if (entry.mark) paintMark(painter, swatch.center(), *entry.mark);
        else painter.fillRect(swatch, entry.colour);
        const double textWidth = metrics.horizontalAdvance(entry.text);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(swatch.right() + kSwatchGap, row.top(), textWidth + 1, row.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         entry.text);
        x = swatch.right() + kSwatchGap + textWidth + kEntryGap;
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
    paintLegend(painter,
                QRectF(box.left() + kPlotLeft, box.bottom() - kLegendHeight, box.width() - kPlotLeft - kPlotRight, kLegendHeight),
                trend);
    painter.restore();
}

}  // namespace torbex::report
