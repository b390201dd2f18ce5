#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <span>

#include "commands/requests.h"
#include "commands/tester_values.h"
#include "link/tester_link.h"

namespace torbex::commands {

inline constexpr std::size_t kFrameBytes = link::kReportPayloadBytes;
// Bytes 0 to 63 of a command or reply; byte 0 (the sequence number) is filled in by the exchange.
using CommandFrame = link::Report;
using ReplyView = std::span<const std::uint8_t>;

enum CommandCode : std::uint8_t {
    kSetClock = 0x11,
    kWriteSettings = 0x22,
    kWriteCalibration = 0x33,
    kReadCommand = 0x44,  // 'D', followed by the read command's number in ASCII
    kDataClear = 0x55,    // 'U'
    kChangeMode = 0x70,
    kProgramRewrite = 0x72,
};

// Numbers of the read commands D2, D4, D5, D9 and D10.
enum class ReadCommand { Poll = 2, Settings = 4, Calibration = 5, Version = 9, Record = 10 };

inline constexpr int kHighestSlot = 1000;

// ---- Field encodings -------------------------------------------------------------------

// Writes value (rounded, halves to even) as bytes.size() ASCII digits of value mod 10^n.
void putDecimalField(std::span<std::uint8_t> bytes, double value);
// 0x30 + (value AND 0x0F).
std::uint8_t digitByte(int value);
void putFloatField(std::span<std::uint8_t, 4> bytes, float value);
float floatField(std::span<const std::uint8_t, 4> bytes);
// Low 8 bits of each UTF-16 code, as many as fit.
void putTextField(std::span<std::uint8_t> bytes, QStringView text);
// One character per byte.
QString textField(std::span<const std::uint8_t> bytes);

// The decimal number the bytes start with (parseDecimal), 0 when none.
double decimalField(std::span<const std::uint8_t> bytes);
// Rounds (halves to even) into the 16-bit range; not-a-number gives 0.
std::int16_t toInt16(double value);

// The serial number as it travels: spaces trimmed at both ends, padded and cut to 8 characters.
QString serialWireText(const QString& serial);
// yyMMddHHmmss.
QByteArray clockParameter(const QDateTime& localTime);

// The 16 bytes a settings write carries and a settings reply returns, in one order: the flow rate
// (4 digits), the average and measure counts (2 each), the pressure (4), then one digit each for
// the level, write mode, RFID use and display units.
inline constexpr std::size_t kSettingsFieldBytes = 16;
void putSettingsFields(std::span<std::uint8_t, kSettingsFieldBytes> bytes, const MeasurementSettings& settings);

// ---- Commands ----------------------------------------------------------------------------

CommandFrame buildWriteSettings(const MeasurementSettings& settings);
CommandFrame buildWriteCalibration(const CalibrationCoefficients& coefficients, const QString& serial);
CommandFrame buildSetClock(const QDateTime& localTime);
CommandFrame buildChangeMode(TesterMode mode);
CommandFrame buildProgramRewrite();
CommandFrame buildRead(ReadCommand command);
CommandFrame buildRecordRequest(int slot);
CommandFrame buildDataClear();

}  // namespace torbex::commands
