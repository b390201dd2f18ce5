#include "commands/replies.h"

#include <algorithm>

namespace torbex::commands {
namespace {

constexpr std::uint8_t kSlotHoldsRecord = '1';
constexpr std::uint8_t kSlotSkipped = '2';

// Bytes [first, first + count) of a reply; shorter when the reply is shorter.
ReplyView field(ReplyView reply, std::size_t first, std::size_t count) {
    if (first >= reply.size()) return {};
    return reply.subspan(first, std::min(count, reply.size() - first));
}

std::span<std::uint8_t> at(CommandFrame& frame, std::size_t first, std::size_t count) {
    return std::span<std::uint8_t>(frame).subspan(first, count);
}

template <std::size_t N>
std::array<std::uint8_t, N> bytesAt(ReplyView reply, std::size_t first) {
    std::array<std::uint8_t, N> bytes{};
    const ReplyView run = field(reply, first, N);
    std::copy(run.begin(), run.end(), bytes.begin());
    return bytes;
}

}  // namespace

int digitValue(std::span<const std::uint8_t> bytes) {
    int value = 0;
    for (std::uint8_t byte : bytes) {
        if (byte == ' ') continue;
        if (byte < '0' || byte > '9') break;
        value = value * 10 + (byte - '0');
    }
    return value;
}

QString decodeVersion(ReplyView reply) { return textField(field(reply, 3, 8)); }

MeasurementSettings decodeSettings(ReplyView reply) {
    MeasurementSettings settings;
    settings.FlowRate = static_cast<float>(decimalField(field(reply, 3, 4)));
    settings.AverageCount = toInt16(decimalField(field(reply, 7, 2)));
    settings.MeasureCount = toInt16(decimalField(field(reply, 9, 2)));
    settings.OcclusionPressure = static_cast<float>(decimalField(field(reply, 11, 4)));
    settings.OcclusionLevel = toInt16(decimalField(field(reply, 15, 1)));
    settings.WriteMode = toInt16(decimalField(field(reply, 16, 1)));
    settings.RfidUse = toInt16(decimalField(field(reply, 17, 1)));
    settings.DisplayUnits = toInt16(decimalField(field(reply, 18, 1)));
    return settings;
}

CalibrationReading decodeCalibration(ReplyView reply) {
    CalibrationReading reading;
    const ReplyView floats = field(reply, 3, 12);
    if (floats.size() == 12) {
        for (std::size_t i = 0; i < 3; ++i)
            reading.coefficients[i] = floatField(std::span<const std::uint8_t, 4>(floats.data() + 4 * i, 4));
    }
    reading.serialNumber = textField(field(reply, 15, 8));
    return reading;
}

SlotReply decodeSlotReply(ReplyView reply) {
    SlotReply slot;
    const std::uint8_t status = bytesAt<1>(reply, 3)[0];
    if (status == 0) return slot;
    if (status != kSlotHoldsRecord) {
        // Noise read as an advance would skip records the tester holds.
        const ReplyView advance = field(reply, 4, 4);
        const bool readable = advance.size() == 4 && std::ranges::all_of(advance, [](std::uint8_t byte) {
            return byte == ' ' || (byte >= '0' && byte <= '9');
        });
        slot.status = readable ? SlotStatus::Skip : SlotStatus::Garbled;
        if (readable) slot.advance = digitValue(advance);
        return slot;
    }
    slot.status = SlotStatus::Record;
    RecordReply& r = slot.record;
    // The RFID travels least significant byte first.
    const auto rfid = bytesAt<8>(reply, 8);
    std::reverse_copy(rfid.begin(), rfid.end(), r.rfid.begin());
    r.status = bytesAt<1>(reply, 16)[0];
    r.date = bytesAt<6>(reply, 17);
    r.time = bytesAt<4>(reply, 23);
    r.flowSetting = digitValue(field(reply, 29, 4));
    r.flowResult = digitValue(field(reply, 33, 4));
    r.occlusionLevel = bytesAt<1>(reply, 37)[0];
    r.occlusionValue = digitValue(field(reply, 38, 3));
    r.occlusionResult = digitValue(field(reply, 41, 4));
    return slot;
}

CommandFrame encodeVersionReply(const QString& version) {
    CommandFrame frame{};
    putTextField(at(frame, 3, 8), version);
    return frame;
}

CommandFrame encodeSettingsReply(const MeasurementSettings& settings) {
    CommandFrame frame{};
    putSettingsFields(std::span<std::uint8_t, kSettingsFieldBytes>(frame.data() + kReplyDataStart, kSettingsFieldBytes), settings);
    return frame;
}

CommandFrame encodeCalibrationReply(const CalibrationCoefficients& coefficients, const QString& serial) {
    CommandFrame frame{};
    for (std::size_t i = 0; i < coefficients.size(); ++i)
        putFloatField(std::span<std::uint8_t, 4>(frame.data() + 3 + 4 * i, 4), coefficients[i]);
    putTextField(at(frame, 15, 8), serial);
    return frame;
}

CommandFrame encodeRecordReply(const RecordReply& r) {
    CommandFrame frame{};
    frame[3] = kSlotHoldsRecord;
    std::reverse_copy(r.rfid.begin(), r.rfid.end(), frame.begin() + 8);
    frame[16] = r.status;
    std::copy(r.date.begin(), r.date.end(), frame.begin() + 17);
    std::copy(r.time.begin(), r.time.end(), frame.begin() + 23);
    putDecimalField(at(frame, 29, 4), r.flowSetting);
    putDecimalField(at(frame, 33, 4), r.flowResult);
    frame[37] = r.occlusionLevel;
    putDecimalField(at(frame, 38, 3), r.occlusionValue);
    putDecimalField(at(frame, 41, 4), r.occlusionResult);
    return frame;
}

CommandFrame encodeSkipReply(int advance) {
    CommandFrame frame{};
    frame[3] = kSlotSkipped;
    putDecimalField(at(frame, 4, 4), advance);
    return frame;
}

}  // namespace torbex::commands
