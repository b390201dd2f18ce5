#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <cstdint>
#include <optional>

namespace torbex::data {

// Bits of a test's status byte.
enum StatusBit : std::uint8_t {
    FlowMeasured = 0x01,
    OcclusionMeasured = 0x02,
    FlowPass = 0x04,
    OcclusionPass = 0x08,
    FlowError = 0x10,
    OcclusionError = 0x20,
    RfidPresent = 0x80,
};

// How one measurement of a test came out.
enum class Verdict { NotMeasured, Error, Fail, Pass };
enum class Measure { Flow, Occlusion };

// The one place a verdict is worked out: not measured unless its measured bit is set; then an
// error outweighs the tester's pass flag.
Verdict verdictOf(std::uint8_t status, Measure measure);
// A test as a whole: failed if either measurement failed, else in error if either ended in one,
// passed only when both passed; not measured when one of them was not.
Verdict overallVerdict(Verdict flow, Verdict occlusion);

enum class OcclusionLevel { L = 0, M = 1, H = 2 };
// "L", "M" or "H"; nullopt for any other text.
std::optional<OcclusionLevel> occlusionLevelFromLetter(QStringView letter);
QString occlusionLevelLetter(OcclusionLevel level);

// A test's values as numbers, worked out once where its record is made (a tester's reply, a line
// of a data file, a row of the history). Every surface but the data grid and the data file, which
// keep the record's texts as they stand, formats from these.
struct Measurement {
    QDate date;  // invalid when the record's texts are no date
    QTime time;  // invalid when they are no time
    std::optional<int> flowSetting;                // ml/h
    std::optional<int> flowResult;                 // tenths of a percent; empty when not measured
    std::optional<OcclusionLevel> occlusionLevel;  // empty when the text is no level
    std::optional<int> occlusionResult;            // tenths of a kPa; empty when not measured

    friend bool operator==(const Measurement&, const Measurement&) = default;
};

}  // namespace torbex::data
