#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "commands/protocol.h"
#include "commands/tester_values.h"

namespace torbex::commands {

// Every reply the tester sends, both ways: decoded for the program, encoded for the simulated
// tester, so that the two can never disagree on the layout. Data fields start at byte 3; bytes 0
// to 2 echo the command.
inline constexpr std::size_t kReplyDataStart = 3;

// The number formed by the leading decimal digits of a run of ASCII bytes, spaces ignored;
// 0 when the run has no leading digit.
int digitValue(std::span<const std::uint8_t> bytes);

QString decodeVersion(ReplyView reply);
MeasurementSettings decodeSettings(ReplyView reply);

struct CalibrationReading {
    CalibrationCoefficients coefficients{};
    QString serialNumber;
};
CalibrationReading decodeCalibration(ReplyView reply);

// One measurement as the record reply carries it, before it becomes a record's texts.
struct RecordReply {
    std::array<std::uint8_t, 8> rfid{};  // most significant byte first
    std::uint8_t status = 0;             // the status byte, bit by bit
    std::array<std::uint8_t, 6> date{};  // yyMMdd, each byte as sent
    std::array<std::uint8_t, 4> time{};  // HHmm, each byte as sent
    int flowSetting = 0;                 // ml/h
    int flowResult = 0;                  // tenths of a percent
    std::uint8_t occlusionLevel = '0';   // '0', '1' or '2' as sent
    int occlusionValue = 0;
    int occlusionResult = 0;  // tenths of a kPa
};

// What the reply to a record request says of slot n (byte 3).
enum class SlotStatus {
    Record,    // "1": the slot holds the record that follows
    Skip,      // any other non-zero byte: no record; bytes 4 to 7 say how far to advance
    NotReady,  // 0: ask for the same slot again
    Garbled,   // a skip whose advance is not four digits (blanks allowed): ask for the same slot again
};
struct SlotReply {
    SlotStatus status = SlotStatus::NotReady;
    int advance = 0;  // Skip only
    RecordReply record;  // Record only
};
SlotReply decodeSlotReply(ReplyView reply);

// The replies' data, from byte 3 on, as the tester encodes it.
CommandFrame encodeVersionReply(const QString& version);
CommandFrame encodeSettingsReply(const MeasurementSettings& settings);
CommandFrame encodeCalibrationReply(const CalibrationCoefficients& coefficients, const QString& serial);
CommandFrame encodeRecordReply(const RecordReply& record);
CommandFrame encodeSkipReply(int advance);

}  // namespace torbex::commands
