#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "data/measurement.h"

namespace torbex::data {

// A text of fixed width: assigning places the text left-aligned, pads it with spaces and cuts it
// to the width. Producers that want right alignment pad on the left first.
template <int Width>
class FixedText {
public:
    static constexpr int kWidth = Width;

    // All blank fields share one text, so a new record costs no allocation.
    FixedText() : m_text(blank()) {}
    FixedText& operator=(const QString& text) {
        if (text.size() == Width) {
            m_text = text;
        } else if (text.size() > Width) {
            m_text = text.left(Width);
        } else {
            m_text = text;
            m_text.resize(Width, u' ');
        }
        return *this;
    }
    const QString& text() const { return m_text; }
    friend bool operator==(const FixedText&, const FixedText&) = default;

private:
    static const QString& blank() {
        static const QString text(Width, u' ');
        return text;
    }

    QString m_text;
};

// One measurement record: the status byte and nine fixed-width text fields, as the data grid
// shows them and the data file keeps them, with their values as numbers.
struct MeasurementRecord {
    std::uint8_t status = 0;        // StatusBit flags
    FixedText<16> PumpRfid;         // 16 upper-case hexadecimal digits
    FixedText<10> ManagementNo;     // the operator's number; spaces until given
    FixedText<10> MeasureDate;      // 20yy/mm/dd
    FixedText<8> MeasureTime;       // hh:mm and three spaces
    FixedText<3> FlowSetting;       // ml/h
    FixedText<6> FlowResult;        // %, one decimal
    FixedText<1> OcclusionSetting;  // L, M or H
    FixedText<3> OcclusionValue;
    FixedText<8> OcclusionResult;   // kPa, one decimal
    // The texts' values, worked out once by whatever made the record; results as reported, also
    // when the status says they were not measured.
    Measurement values;

    bool has(StatusBit bit) const { return (status & bit) != 0; }
    Verdict flowVerdict() const { return verdictOf(status, Measure::Flow); }
    Verdict occlusionVerdict() const { return verdictOf(status, Measure::Occlusion); }
    // The results, where measured.
    std::optional<int> flowResult() const { return has(FlowMeasured) ? values.flowResult : std::nullopt; }
    std::optional<int> occlusionResult() const {
        return has(OcclusionMeasured) ? values.occlusionResult : std::nullopt;
    }
    // The pump's RFID without pad spaces; empty when the tester read none.
    QString rfid() const;
    // The management number without pad spaces.
    QString managementNumber() const;

    friend bool operator==(const MeasurementRecord&, const MeasurementRecord&) = default;
};

}  // namespace torbex::data
