#pragma once

#include <QColor>

#include "report/trend_data.h"

namespace torbex::report {

// The trend as laid out in its box, in the painter's units (points on a report page), apart from
// the code that draws it.
namespace trend_layout {

inline const QColor kFlowColour(0, 130, 0);
inline const QColor kOcclusionColour(0, 70, 180);
inline const QColor kGridColour(0xD0, 0xD0, 0xD0);
inline const QColor kFailedColour(220, 0, 0);
inline constexpr int kBandAlpha = 40;  // the bands lie behind the points, light enough to see them

inline constexpr Band kPercentAxis{80, 120};
inline constexpr Band kPressureAxis{0, 150};
inline constexpr int kValueTicks = 5, kTimeTicks = 5;

// The plot within the box: room for the value labels either side, the time labels and the legend below.
inline constexpr double kPlotLeft = 34, kPlotTop = 16, kPlotRight = 36, kPlotBottom = 34;
inline constexpr double kLabelHeight = 10, kLabelGap = 4, kLeftLabelWidth = 26, kRightLabelWidth = 30;
inline constexpr double kUnitAbove = 14, kUnitHeight = 12;
inline constexpr double kTickLength = 3, kTimeLabelWidth = 80;
inline constexpr double kPointRadius = 2, kSeriesWidth = 1.2, kGridWidth = 0.5, kFrameWidth = 0.8;
// Failed results and errors are marked by shape as well as colour: on a page printed in grey too.
inline constexpr double kMarkRadius = 3.5;
// Points on the plot's edge are drawn whole; points off the axis are not drawn outside it.
inline constexpr double kClipMargin = kMarkRadius + 1;
inline constexpr double kLegendHeight = 14, kSwatchWidth = 14, kSwatchHeight = 8, kSwatchGap = 4, kEntryGap = 10;

}  // namespace trend_layout
}  // namespace torbex::report
