#pragma once

#include <QString>
#include <optional>

#include "data/measurement_record.h"

namespace torbex::history {

// What the unique key of the tests puts in place of a result not measured (NULLs would never
// match); no result of eight characters comes near it.
inline constexpr int kNoResultKey = -2147483647;

// A record as the tests table keeps it.
struct TestRow {
    QString rfid;  // empty when the tester read none
    QString measureDate;
    QString measureTime;
    int status = 0;
    int flowSetting = 0;
    std::optional<int> flowResultTenths;
    QString occlusionLevel;
    std::optional<int> occlusionResultTenths;
};

// The texts trimmed, a date as yyyy-MM-dd, results in tenths and only when measured, and the pass
// flag of a result not measured dropped: a data file keeps neither, and the copy of a download
// read back from one must be the same test.
TestRow testRow(const data::MeasurementRecord& record);

// A result text in tenths ("  99.5" is 995), or nullopt when it is no number.
std::optional<int> tenths(const QString& text);

}  // namespace torbex::history
