#pragma once

#include "report/trend_data.h"

class QChart;

namespace torbex::app {

// A pump's trend as the history window shows it (Qt Charts): the flow results (%, left axis) and
// the occlusion results (kPa, right axis, one colour per level), each over its band, with failed
// results and errors marked by shape. The caller owns the chart.
QChart* trendChart(const report::Trend& trend);
// The chart area before a pump is chosen: a hint what it will show.
QChart* emptyTrendChart();

}  // namespace torbex::app
