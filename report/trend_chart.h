#pragma once

#include <vector>

#include "history/history_store.h"

class QChart;

namespace torbex::report {

// The band drawn behind the flow results, %: a guide for the eye; the tester's own judgement is
// what the verdicts show.
inline constexpr double kFlowBandLow = 95.0;
inline constexpr double kFlowBandHigh = 105.0;

// A pump's tests over time: the flow result (%, left axis) and the occlusion result (kPa, right
// axis), each over its pass band (the occlusion band of the level of the last test). The caller
// owns the chart. Used by the history window and drawn into reports.
QChart* trendChart(const std::vector<history::StoredTest>& tests);

}  // namespace torbex::report
