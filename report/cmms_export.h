#pragma once

#include <QString>
#include <functional>

#include "data/test_source.h"

class QIODevice;

namespace torbex::report {

// What the register says of a pump, for a maintenance system.
struct PumpOnRecord {
    QString maker;
    QString model;
    QString department;
    int intervalMonths = 12;
};

// The heading of the export, one name per column.
extern const char* const kCmmsHeading;

// One row per test of a pump (tests without an RFID name no pump and are left out), in UTF-8 with
// a byte-order mark so that a spreadsheet opens it as written. `pumpOf` gives the register's
// entry of an RFID; `inspector` signs every row. How many rows, or why not.
data::TestsWritten writeCmmsExport(QIODevice& device, data::TestSource& tests,
                                   const std::function<PumpOnRecord(const QString& rfid)>& pumpOf,
                                   const QString& inspector);

}  // namespace torbex::report
