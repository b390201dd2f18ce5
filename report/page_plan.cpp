#include "report/page_plan.h"

namespace torbex::report {

PagePlan planPages(const PageSpace& space, int tests, std::span<const PumpRun> runs) {
    PagePlan plan;
    double y = space.firstRowsTop;
    int pageFirstRow = 0;
    std::size_t run = 0;
    int runEnd = runs.empty() ? tests : 0;  // the first row after the current run
    for (int row = 0; row < tests; ++row) {
        double height = space.rowHeight;
        if (row == runEnd && run < runs.size()) {
            runEnd += runs[run++].tests;
            height += space.bandHeight;
        }
        if (y + height > space.rowsBottom && row != pageFirstRow) {
            plan.breaks.push_back(row);
            pageFirstRow = row;
            y = space.laterRowsTop;
        }
        y += height;
    }
    plan.pages = static_cast<int>(plan.breaks.size()) + 1;
    // The signatures go under the last rows, or on a page of their own.
    plan.signaturesOnOwnPage = y + space.signatureHeight > space.rowsBottom;
    if (plan.signaturesOnOwnPage) ++plan.pages;
    return plan;
}

}  // namespace torbex::report
