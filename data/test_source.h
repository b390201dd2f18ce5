#pragma once

#include <QString>
#include <functional>
#include <span>

#include "data/measurement_record.h"

namespace torbex::data {

// Tests to report or export, handed over one at a time, so that a history of years is never
// held whole: the records of a page or a file, or a query on the history.
class TestSource {
public:
    using Each = std::function<bool(const MeasurementRecord& record, const QString& testerSerial)>;
    virtual ~TestSource() = default;
    // Calls `each` with every test in order, and the serial number of the tester that measured it
    // (empty when not known); stops early when `each` returns false. Empty when the tests could
    // be read, else why not. May be called more than once.
    virtual QString forEach(const Each& each) = 0;
};

// What writing tests somewhere came to: how many were written, or why not, and whether the
// tests could not be read (the history failed) rather than written.
struct TestsWritten {
    int tests = 0;
    QString error;
    bool sourceFailed = false;
    bool ok() const { return error.isEmpty(); }
    static TestsWritten written(int tests) { return {tests, {}, false}; }
    static TestsWritten unread(const QString& why) { return {0, why, true}; }
    static TestsWritten unwritten(const QString& why) { return {0, why, false}; }
};

// Records in memory, all from one tester (or none known).
class RecordsSource final : public TestSource {
public:
    explicit RecordsSource(std::span<const MeasurementRecord> records, QString testerSerial = {})
        : m_records(records), m_serial(std::move(testerSerial)) {}
    QString forEach(const Each& each) override {
        for (const MeasurementRecord& record : m_records)
            if (!each(record, m_serial)) break;
        return {};
    }

private:
    std::span<const MeasurementRecord> m_records;
    QString m_serial;
};

}  // namespace torbex::data
