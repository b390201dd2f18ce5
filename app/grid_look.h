#pragma once

#include <QColor>
#include <array>

#include "data/grid_cells.h"

namespace torbex::app {

// Column widths of the heading strip and the data grid, in twips; they differ in the last column.
struct GridColumnWidth {
    int headingTwips;
    int dataTwips;
};
inline constexpr std::array<GridColumnWidth, data::kGridColumns> kGridColumnWidths{{
    {800, 800},
    {2400, 2400},
    {1800, 1800},
    {1400, 1400},
    {1300, 1300},
    {1500, 1500},
    {1600, 1600},
    {1200, 1200},
    {1800, 1600},
}};

inline const QColor kHeadingGreen{192, 255, 192};
inline const QColor kStripeGreen{224, 255, 224};
inline const QColor kJudgementRed{255, 0, 0};
inline const QColor kJudgementBlack{0, 0, 0};

}  // namespace torbex::app
