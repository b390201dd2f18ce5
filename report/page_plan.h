#pragma once

#include <QString>
#include <span>
#include <vector>

#include "data/measurement.h"

namespace torbex::report {

// One pump's tests in a report on many pumps, one after the other: a band with the pump's details
// heads them.
struct PumpRun {
    QString rfid;
    int tests = 0;
    data::Verdict lastOverall = data::Verdict::NotMeasured;  // of its last test
};

// Where the table's rows may go, in points from the top of the page.
struct PageSpace {
    double firstRowsTop = 0;  // below the first page's heading and the table heading
    double laterRowsTop = 0;  // the same on every later page
    double rowsBottom = 0;
    double rowHeight = 0, bandHeight = 0, signatureHeight = 0;
};

// Where the pages turn. A page holds at least one row, and a pump's band never ends a page.
struct PagePlan {
    std::vector<int> breaks;  // the rows that begin a new page, in order
    int pages = 1;
    bool signaturesOnOwnPage = false;
};
// `tests` rows, in the runs given (none: one table without bands).
PagePlan planPages(const PageSpace& space, int tests, std::span<const PumpRun> runs);

}  // namespace torbex::report
