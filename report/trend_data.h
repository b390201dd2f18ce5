#pragma once

#include <QDateTime>
#include <optional>
#include <span>
#include <vector>

#include "data/measurement_record.h"

namespace torbex::report {

// Limits of a band of values.
struct Band {
    double low = 0, high = 0;
    friend bool operator==(const Band&, const Band&) = default;
};

// The band drawn behind the flow results, %: a guide for the eye; the tester's own judgement is
// what the verdicts show.
inline constexpr Band kFlowBand{95.0, 105.0};
// The occlusion pressures a level is set to, kPa.
Band occlusionBand(data::OcclusionLevel level);

struct TrendPoint {
    qint64 atMs = 0;  // milliseconds since the epoch, local time as the tester gives it
    double value = 0;
    data::Verdict verdict = data::Verdict::NotMeasured;
    std::optional<data::OcclusionLevel> level;  // the occlusion level the test was set to
};

// A pump's tests over time, ready to draw: the flow results (%) and occlusion results (kPa), the
// time axis, and the bands behind them (the occlusion band of the level last tested).
struct Trend {
    std::vector<TrendPoint> flow, occlusion;
    qint64 firstMs = 0, lastMs = 0;  // the axis: at least two weeks, centred on tests closer together
    Band occlusionBand = report::occlusionBand(data::OcclusionLevel::M);
};

// Tests without a date and time have no place on the axis and are left out; `now` centres the
// axis of a pump without dated tests.
Trend trendOf(std::span<const data::MeasurementRecord> tests, const QDateTime& now);

}  // namespace torbex::report
