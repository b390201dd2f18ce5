#pragma once

#include <QString>
#include <optional>

#include "data/measurement_record.h"

namespace torbex::history {

// What the unique key of the tests puts in place of a result not measured (NULLs would never
// match); no result of eight characters comes near it.
inline constexpr int kNoResultKey = -2147483647;
// The status bits that tell one test from another: what was measured. The verdicts follow from
// the results, and a data file keeps no error flags.
inline constexpr int kMeasuredBits = data::FlowMeasured | data::OcclusionMeasured;

// A test as the tests table keeps it.
struct TestColumns {
    QString rfid;         // empty when the tester read none
    QString measureDate;  // yyyy-MM-dd, or the record's text when it is no date
    QString measureTime;  // HH:mm, or the record's text
    int status = 0;
    int flowSetting = 0;
    std::optional<int> flowResult;  // tenths, only when measured
    QString occlusionLevel;
    std::optional<int> occlusionResult;
};

// The columns of a record. A pass flag without its measured bit is dropped: it means nothing,
// and a data file does not keep it.
TestColumns testColumns(const data::MeasurementRecord& record);

// The record of a row, its texts as a download gives them, with the registry's number.
data::MeasurementRecord recordOfColumns(const TestColumns& columns, const QString& managementNo);

}  // namespace torbex::history
