#include "report/trend_chart.h"

#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>



namespace torbex::report {
namespace {

struct Band {
    double low, high;
};

// The occlusion pressures each level is set to, kPa.
Band occlusionBand(const QString& level) {
    if (level == u"L") return {27, 53};
    if (level == u"H") return {80, 133};
    return {53, 80};
}

QDateTime when(const history::StoredTest& test) {
    return QDateTime::fromString(test.measureDate + u'T' + test.measureTime.left(5), Qt::ISODate);
}

// A translucent band across the whole time axis.
QAreaSeries* bandSeries(Band band, qint64 from, qint64 to, const QColor& colour, const QString& name) {
    auto* area = new QAreaSeries;
    // The area does not own its edges; as its children they go with it.
    auto* upper = new QLineSeries(area);
    auto* lower = new QLineSeries(area);
    upper->append(static_cast<qreal>(from), band.high);
    upper->append(static_cast<qreal>(to), band.high);
    lower->append(static_cast<qreal>(from), band.low);
    lower->append(static_cast<qreal>(to), band.low);
    area->setUpperSeries(upper);
    area->setLowerSeries(lower);
    area->setName(name);
    QColor fill = colour;
    fill.setAlpha(40);
    area->setBrush(fill);
    area->setPen(Qt::NoPen);
    return area;
}

}  // namespace

QChart* trendChart(const std::vector<history::StoredTest>& tests) {
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* flow = new QLineSeries;
    auto* occlusion = new QLineSeries;
    flow->setName(QStringLiteral("流量測定結果 (%)"));
    occlusion->setName(QStringLiteral("閉塞測定結果 (kpa)"));
    flow->setPointsVisible(true);
    occlusion->setPointsVisible(true);
    QString lastLevel = QStringLiteral("M");
    qint64 first = 0, last = 0;
    for (const history::StoredTest& test : tests) {
        const QDateTime at = when(test);
        if (!at.isValid()) continue;  // a garbled date has no place on the axis
        const qint64 ms = at.toMSecsSinceEpoch();
        first = first == 0 ? ms : std::min(first, ms);
        last = std::max(last, ms);
        if (test.flowResultTenths) flow->append(static_cast<qreal>(ms), *test.flowResultTenths / 10.0);
        if (test.occlusionResultTenths) occlusion->append(static_cast<qreal>(ms), *test.occlusionResultTenths / 10.0);
        lastLevel = test.occlusionLevel;
    }
    // A single test still gets an axis a day wide.
    constexpr qint64 kDayMs = 24LL * 3600 * 1000;
    if (last - first < kDayMs) {
        first = (first == 0 ? QDateTime::currentDateTime().toMSecsSinceEpoch() : first) - kDayMs / 2;
        last = first + kDayMs;
    }
    const Band occlusionRange = occlusionBand(lastLevel);
    auto* flowBand = bandSeries({kFlowBandLow, kFlowBandHigh}, first, last, QColor(0, 160, 0), QStringLiteral("流量の目安"));
    auto* occlusionArea = bandSeries(occlusionRange, first, last, QColor(0, 90, 200), QStringLiteral("閉塞圧力の範囲"));
    for (QAbstractSeries* series : std::initializer_list<QAbstractSeries*>{flowBand, occlusionArea, flow, occlusion})
        chart->addSeries(series);
    flow->setColor(QColor(0, 130, 0));
    occlusion->setColor(QColor(0, 70, 180));

    auto* time = new QDateTimeAxis;
    // Days repeat on the axis of a short span; its hours tell the ticks apart.
    constexpr qint64 kWeekMs = 7 * kDayMs;
    time->setFormat(last - first < kWeekMs ? QStringLiteral("MM/dd HH:mm") : QStringLiteral("yyyy/MM/dd"));
    time->setRange(QDateTime::fromMSecsSinceEpoch(first), QDateTime::fromMSecsSinceEpoch(last));
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
    for (QAbstractSeries* series : {static_cast<QAbstractSeries*>(occlusionArea), static_cast<QAbstractSeries*>(occlusion)}) {
        series->attachAxis(time);
        series->attachAxis(pressure);
    }
    return chart;
}

}  // namespace torbex::report
