#include "app/history_chart.h"

#include <QGraphicsLayout>
#include <QImage>
#include <QPainter>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include "app/operator_texts.h"
#include "report/trend_layout.h"

namespace torbex::app {
namespace {

// The flow's and the failed results' colours are the printed trend's, so that both read alike.
using report::trend_layout::kFailedColour;
using report::trend_layout::kFlowColour;

// Each occlusion level's band and results in a colour of its own, apart from the flow's green.
struct LevelLook {
    std::optional<data::OcclusionLevel> level;
    QColor colour;
    const char16_t* name;
};
const LevelLook kLevels[] = {{data::OcclusionLevel::L, QColor(0, 90, 200), u"L"},
                             {data::OcclusionLevel::M, QColor(200, 110, 0), u"M"},
                             {data::OcclusionLevel::H, QColor(150, 0, 170), u"H"},
                             {std::nullopt, QColor(110, 110, 110), u"―"}};

// A translucent band across the whole time axis.
QAreaSeries* bandSeries(report::Band band, const QDateTimeAxis& time, const QColor& colour, const QString& name) {
    const auto first = static_cast<qreal>(time.min().toMSecsSinceEpoch()), last = static_cast<qreal>(time.max().toMSecsSinceEpoch());
    auto* area = new QAreaSeries;
    // The area does not own its edges; as its children they go with it.
    auto* upper = new QLineSeries(area);
    auto* lower = new QLineSeries(area);
    upper->append(first, band.high);
    upper->append(last, band.high);
    lower->append(first, band.low);
    lower->append(last, band.low);
    area->setUpperSeries(upper);
    area->setLowerSeries(lower);
    area->setName(name);
    QColor fill = colour;
    fill.setAlpha(45);
    area->setBrush(fill);
    area->setPen(Qt::NoPen);
    return area;
}

// A round mark at every result: a line's own points are pen-sized dots, which a pump's only test
// leaves all but invisible.
QImage resultMark(const QColor& colour) {
    QImage mark(32, 32, QImage::Format_ARGB32_Premultiplied);
    mark.fill(Qt::transparent);
    QPainter painter(&mark);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(mark.rect());
    return mark;
}

QLineSeries* resultSeries(const std::vector<report::TrendPoint>& points, const QString& name, const QColor& colour) {
    auto* series = new QLineSeries;
    series->setName(name);
    series->setLightMarker(resultMark(colour));
    series->setMarkerSize(7);
    for (const report::TrendPoint& point : points) series->append(static_cast<qreal>(point.atMs), point.value);
    series->setColor(colour);
    return series;
}

// Failed results as red triangles and errors as red squares, over their line's points, so that
// they tell apart without colour too. Null when there are none.
QScatterSeries* markerSeries(const std::vector<report::TrendPoint>& points, data::Verdict verdict) {
    auto* series = new QScatterSeries;
    for (const report::TrendPoint& point : points)
        if (point.verdict == verdict) series->append(static_cast<qreal>(point.atMs), point.value);
    if (series->count() == 0) {
        delete series;
        return nullptr;
    }
    const bool failed = verdict == data::Verdict::Fail;
    series->setName(failed ? texts::kTrendFailed : texts::kTrendError);
    series->setMarkerShape(failed ? QScatterSeries::MarkerShapeTriangle : QScatterSeries::MarkerShapeRectangle);
    series->setMarkerSize(11);
    series->setColor(kFailedColour);
    series->setBorderColor(kFailedColour);
    return series;
}

// The time axis on whole days, its ticks (seven at most) each on a day.
QDateTimeAxis* dayAxis(const report::Trend& trend) {
    const QDate first = QDateTime::fromMSecsSinceEpoch(trend.firstMs).date();
    const qint64 days = first.daysTo(QDateTime::fromMSecsSinceEpoch(trend.lastMs).date().addDays(1));
    const qint64 step = (days + 5) / 6;
    const qint64 intervals = (days + step - 1) / step;
    auto* axis = new QDateTimeAxis;
    axis->setFormat(QStringLiteral("yyyy/MM/dd"));
    axis->setTickCount(static_cast<int>(intervals) + 1);
    axis->setRange(first.startOfDay(), first.addDays(step * intervals).startOfDay());
    return axis;
}

// A chart that gives its plot all the room it can: a small screen leaves the trend little height.
QChart* plainChart() {
    auto* chart = new QChart;
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    return chart;
}

}  // namespace

QChart* trendChart(const report::Trend& trend) {
    QChart* chart = plainChart();
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* time = dayAxis(trend);
    auto* percent = new QValueAxis;
    percent->setTitleText(QStringLiteral("%"));
    percent->setRange(80, 120);
    auto* pressure = new QValueAxis;
    pressure->setTitleText(QStringLiteral("kPa"));
    pressure->setRange(0, 150);
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(percent, Qt::AlignLeft);
    chart->addAxis(pressure, Qt::AlignRight);
    bool failedShown = false, errorShown = false;
    const auto add = [&](QAbstractSeries* series, QValueAxis* values) {
        if (!series) return;
        chart->addSeries(series);
        series->attachAxis(time);
        series->attachAxis(values);
        // One legend entry for the failed marks, and one for the errors, whichever result they are on.
        if (auto* marks = qobject_cast<QScatterSeries*>(series)) {
            bool& shown = marks->markerShape() == QScatterSeries::MarkerShapeTriangle ? failedShown : errorShown;
            if (shown) chart->legend()->markers(series).value(0)->setVisible(false);
            shown = true;
        }
    };

    add(bandSeries(report::kFlowBand, *time, QColor(0, 160, 0), texts::kTrendFlowBand), percent);
    add(resultSeries(trend.flow, texts::kTrendFlow, kFlowColour), percent);
    // Each occlusion result against the band of the level it was measured at.
    for (const LevelLook& look : kLevels) {
        std::vector<report::TrendPoint> atLevel;
        for (const report::TrendPoint& point : trend.occlusion)
            if (point.level == look.level) atLevel.push_back(point);
        if (atLevel.empty()) continue;
        const QString level = QString::fromUtf16(look.name);
        if (look.level) add(bandSeries(report::occlusionBand(*look.level), *time, look.colour, texts::trendOcclusionBand(level)), pressure);
        add(resultSeries(atLevel, texts::trendOcclusion(level), look.colour), pressure);
        add(markerSeries(atLevel, data::Verdict::Fail), pressure);
        add(markerSeries(atLevel, data::Verdict::Error), pressure);
    }
    add(markerSeries(trend.flow, data::Verdict::Fail), percent);
    add(markerSeries(trend.flow, data::Verdict::Error), percent);
    return chart;
}

QChart* emptyTrendChart() {
    QChart* chart = plainChart();
    chart->setTitle(texts::kTrendHint);
    chart->legend()->hide();
    return chart;
}

}  // namespace torbex::app
