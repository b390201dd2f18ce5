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

// One measurement record: ten fixed-width text fields, 67 characters in all.
struct MeasurementRecord {
    FixedText<2> StatusFlags;       // status byte as two hexadecimal digits
    FixedText<16> PumpRfid;         // 16 upper-case hexadecimal digits
    FixedText<10> ManagementNo;     // the operator's number; spaces until given
    FixedText<10> MeasureDate;      // 20yy/mm/dd
    FixedText<8> MeasureTime;       // hh:mm and three spaces
    FixedText<3> FlowSetting;       // ml/h
    FixedText<6> FlowResult;        // %, one decimal
    FixedText<1> OcclusionSetting;  // L, M or H
    FixedText<3> OcclusionValue;
    FixedText<8> OcclusionResult;   // kPa, one decimal

    // StatusFlags read as a hexadecimal number (either letter case); 0 when it is not one.
    int statusByte() const;
    bool has(StatusBit bit) const { return (statusByte() & bit) != 0; }

    friend bool operator==(const MeasurementRecord&, const MeasurementRecord&) = default;
};

}  // namespace torbex::data
