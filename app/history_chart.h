#pragma once

#include "report/trend_data.h"

class QChart;

namespace torbex::app {

// A pump's trend as the history window shows it (Qt Charts): the flow results (%, left axis) and
// the occlusion results (kPa, right axis), each over its band. The caller owns the chart.
QChart* trendChart(const report::Trend& trend);

}  // namespace torbex::app
