#pragma once

#include <QColor>
#include <array>

#include "data/grid_cells.h"

namespace torbex::report {

// The report's A4 page as laid out, in points (1/72 inch), apart from the code that draws it.
inline constexpr double kPageWidth = 595, kPageHeight = 842, kMargin = 40;
inline constexpr double kContentWidth = kPageWidth - 2 * kMargin;
inline constexpr double kRowHeight = 13, kHeadingRowHeight = 26;
inline constexpr double kChartHeight = 230, kSignatureHeight = 90, kFooterHeight = 24;
inline constexpr double kFirstPageHeading = 150, kRunningHeading = 30;

// The table's columns in proportion to the grid's.
inline constexpr std::array<double, data::kGridColumns> kColumnShares{800, 2400, 1800, 1400, 1300, 1500, 1600, 1200, 1600};

inline const QColor kHeadingGreen(192, 255, 192);
inline const QColor kStripeGreen(224, 255, 224);
inline const QColor kRuleGreen(0xB0, 0xD0, 0xB0);
inline const QColor kJudgementRed(255, 0, 0);

}  // namespace torbex::report
