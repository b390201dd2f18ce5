#include "app/history_chart.h"

#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

namespace torbex::app {
namespace {

// A translucent band across the whole time axis.
QAreaSeries* bandSeries(report::Band band, const report::Trend& trend, const QColor& colour, const QString& name) {
    auto* area = new QAreaSeries;
    // The area does not own its edges; as its children they go with it.
    auto* upper = new QLineSeries(area);
    auto* lower = new QLineSeries(area);
    upper->append(static_cast<qreal>(trend.firstMs), band.high);
    upper->append(static_cast<qreal>(trend.lastMs), band.high);
    lower->append(static_cast<qreal>(trend.firstMs), band.low);
    lower->append(static_cast<qreal>(trend.lastMs), band.low);
    area->setUpperSeries(upper);
    area->setLowerSeries(lower);
    area->setName(name);
    QColor fill = colour;
    fill.setAlpha(40);
    area->setBrush(fill);
    area->setPen(Qt::NoPen);
    return area;
}

QLineSeries* resultSeries(const std::vector<report::TrendPoint>& points, const QString& name, const QColor& colour) {
    auto* series = new QLineSeries;
    series->setName(name);
    series->setPointsVisible(true);
    for (const report::TrendPoint& point : points) series->append(static_cast<qreal>(point.atMs), point.value);
    series->setColor(colour);
    return series;
}

}  // namespace

QChart* trendChart(const report::Trend& trend) {
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* flowBand = bandSeries(report::kFlowBand, trend, QColor(0, 160, 0), QStringLiteral("流量の目安"));
    auto* occlusionBand = bandSeries(trend.occlusionBand, trend, QColor(0, 90, 200), QStringLiteral("閉塞圧力の範囲"));
    auto* flow = resultSeries(trend.flow, QStringLiteral("流量測定結果 (%)"), QColor(0, 130, 0));
    auto* occlusion = resultSeries(trend.occlusion, QStringLiteral("閉塞測定結果 (kpa)"), QColor(0, 70, 180));
    for (QAbstractSeries* series : std::initializer_list<QAbstractSeries*>{flowBand, occlusionBand, flow, occlusion})
        chart->addSeries(series);

    auto* time = new QDateTimeAxis;
    // Days repeat on the axis of a short span; its hours tell the ticks apart.
    time->setFormat(trend.spansUnderAWeek ? QStringLiteral("MM/dd HH:mm") : QStringLiteral("yyyy/MM/dd"));
    time->setRange(QDateTime::fromMSecsSinceEpoch(trend.firstMs), QDateTime::fromMSecsSinceEpoch(trend.lastMs));
    auto* percent = new QValueAxis;
    percent->setTitleText(QStringLiteral("%"));
    percent->setRange(80, 120);
    auto* pressure = new QValueAxis;
    pressure->setTitleText(QStringLiteral("kPa"));
    pressure->setRange(0, 150);
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(percent, Qt::AlignLeft);
    chart->addAxis(pressure, Qt::AlignRight);
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(flowBand), static_cast<QAbstractSeries*>(flow)}) {
        series->attachAxis(time);
        series->attachAxis(percent);
    }
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(occlusionBand), static_cast<QAbstractSeries*>(occlusion)}) {
        series->attachAxis(time);
        series->attachAxis(pressure);
    }
    return chart;
}

}  // namespace torbex::app
