#include "report/trend_data.h"

#include <algorithm>

namespace torbex::report {
namespace {

// A week either side of a single test, so that its day reads as a day among others.
constexpr qint64 kLeastSpanMs = 14 * 24LL * 3600 * 1000;

}  // namespace

Band occlusionBand(data::OcclusionLevel level) {
    switch (level) {
        case data::OcclusionLevel::L: return {27, 53};
        case data::OcclusionLevel::H: return {80, 133};
        case data::OcclusionLevel::M: break;
    }
    return {53, 80};
}

Trend trendOf(std::span<const data::MeasurementRecord> tests, const QDateTime& now) {
    Trend trend;
    bool any = false;
    for (const data::MeasurementRecord& test : tests) {
        const data::Measurement& v = test.values;
        if (!v.date.isValid() || !v.time.isValid()) continue;
        const qint64 ms = QDateTime(v.date, v.time).toMSecsSinceEpoch();
        trend.firstMs = any ? std::min(trend.firstMs, ms) : ms;
        trend.lastMs = any ? std::max(trend.lastMs, ms) : ms;
        any = true;
        if (const auto flow = test.flowResult()) trend.flow.push_back({ms, *flow / 10.0, test.flowVerdict(), std::nullopt});
        if (const auto occlusion = test.occlusionResult())
            trend.occlusion.push_back({ms, *occlusion / 10.0, test.occlusionVerdict(), v.occlusionLevel});
        if (v.occlusionLevel) trend.occlusionBand = occlusionBand(*v.occlusionLevel);
    }
    if (trend.lastMs - trend.firstMs < kLeastSpanMs) {
        const qint64 middle = any ? (trend.firstMs + trend.lastMs) / 2 : now.toMSecsSinceEpoch();
        trend.firstMs = middle - kLeastSpanMs / 2;
        trend.lastMs = trend.firstMs + kLeastSpanMs;
    }
    return trend;
}

}  // namespace torbex::report
