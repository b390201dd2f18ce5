#pragma once

#include <QString>
#include <cstdint>

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

// Bits of the status byte.
enum StatusBit : std::uint8_t {
    FlowMeasured = 0x01,
    OcclusionMeasured = 0x02,
    FlowPass = 0x04,
    OcclusionPass = 0x08,
    FlowError = 0x10,
    OcclusionError = 0x20,
    RfidPresent = 0x80,
};

// How one measurement of a record came out.
struct Verdict {
    enum class Result { NotMeasured, Error, Fail, Pass };

    bool measured = false;
    bool passFlag = false;   // the tester's own pass flag, which the data file keeps even beside an error
    bool errorFlag = false;  // the data file has no place for it

    // What the operator is shown: an error outweighs the pass flag.
    Result result() const {
        if (!measured) return Result::NotMeasured;
        if (errorFlag) return Result::Error;
        return passFlag ? Result::Pass : Result::Fail;
    }
    friend bool operator==(const Verdict&, const Verdict&) = default;
};

// One measurement record: the status byte and nine fixed-width text fields.
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

    bool has(StatusBit bit) const { return (status & bit) != 0; }
    Verdict flowVerdict() const { return {has(FlowMeasured), has(FlowPass), has(FlowError)}; }
    Verdict occlusionVerdict() const { return {has(OcclusionMeasured), has(OcclusionPass), has(OcclusionError)}; }

    friend bool operator==(const MeasurementRecord&, const MeasurementRecord&) = default;
};

}  // namespace torbex::data
