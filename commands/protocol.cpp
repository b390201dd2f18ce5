#include "commands/protocol.h"

#include <algorithm>
#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "commands/plain_text.h"

namespace torbex::commands {
namespace {

std::span<std::uint8_t> at(CommandFrame& frame, std::size_t first, std::size_t count) {
    return std::span<std::uint8_t>(frame).subspan(first, count);
}

double roundHalfEven(double value) {
    // nearbyint honours the current rounding mode, which is to-nearest-even unless changed.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return rounded;
}

CommandFrame readFrame(int number) {
    CommandFrame frame{};
    frame[1] = kReadCommand;
    if (number >= 10) {
        frame[2] = static_cast<std::uint8_t>('0' + number / 10);
        frame[3] = static_cast<std::uint8_t>('0' + number % 10);
    } else {
        frame[2] = static_cast<std::uint8_t>('0' + number);
    }
    return frame;
}

}  // namespace

void putDecimalField(std::span<std::uint8_t> bytes, double value) {
    double modulus = 1;
    for (std::size_t i = 0; i < bytes.size(); ++i) modulus *= 10;
    double rest = std::isfinite(value) ? std::fmod(roundHalfEven(value), modulus) : 0;
    if (rest < 0) rest += modulus;  // a negative value keeps its place in the digit cycle
    for (std::size_t i = bytes.size(); i-- > 0;) {
        const double digit = std::fmod(rest, 10);
        bytes[i] = static_cast<std::uint8_t>('0' + static_cast<int>(digit));
        rest = (rest - digit) / 10;
    }
}

std::uint8_t digitByte(int value) { return static_cast<std::uint8_t>(0x30 + (value & 0x0F)); }

void putFloatField(std::span<std::uint8_t, 4> bytes, float value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    // Least significant byte first, whatever this machine's order.
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

float floatField(std::span<const std::uint8_t, 4> bytes) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) bits |= std::uint32_t{bytes[i]} << (8 * i);
    return std::bit_cast<float>(bits);
}

void putTextField(std::span<std::uint8_t> bytes, QStringView text) {
    const auto count = std::min<std::size_t>(bytes.size(), static_cast<std::size_t>(text.size()));
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(text[static_cast<qsizetype>(i)].unicode() & 0xFF);
}

QString textField(std::span<const std::uint8_t> bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::uint8_t byte : bytes) text.append(QChar(char16_t{byte}));
    return text;
}

double decimalField(std::span<const std::uint8_t> bytes) { return parseDecimal(textField(bytes)); }

std::int16_t toInt16(double value) {
    if (std::isnan(value)) return 0;
    const double rounded = roundHalfEven(value);
    return static_cast<std::int16_t>(std::clamp<double>(rounded, std::numeric_limits<std::int16_t>::min(),
                                                        std::numeric_limits<std::int16_t>::max()));
}

QString serialWireText(const QString& serial) { return (trimSpaces(serial).toString() + QString(8, u' ')).left(8); }

QByteArray clockParameter(const QDateTime& localTime) {
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d%02d%02d%02d", date.year() % 100, date.month(), date.day(),
                  time.hour(), time.minute(), time.second());
    return QByteArray(text, 12);
}

void putSettingsFields(std::span<std::uint8_t, kSettingsFieldBytes> bytes, const MeasurementSettings& settings) {
    putDecimalField(bytes.subspan(0, 4), settings.FlowRate);
    putDecimalField(bytes.subspan(4, 2), settings.AverageCount);
    putDecimalField(bytes.subspan(6, 2), settings.MeasureCount);
    putDecimalField(bytes.subspan(8, 4), settings.OcclusionPressure);
    bytes[12] = digitByte(settings.OcclusionLevel);
    bytes[13] = digitByte(settings.WriteMode);
    bytes[14] = digitByte(settings.RfidUse);
    bytes[15] = digitByte(settings.DisplayUnits);
}

CommandFrame buildWriteSettings(const MeasurementSettings& settings) {
    CommandFrame frame{};
    frame[1] = kWriteSettings;
    putSettingsFields(std::span<std::uint8_t, kSettingsFieldBytes>(frame.data() + 2, kSettingsFieldBytes), settings);
    return frame;
}

CommandFrame buildWriteCalibration(const CalibrationCoefficients& coefficients, const QString& serial) {
    CommandFrame frame{};
    frame[1] = kWriteCalibration;
    for (std::size_t i = 0; i < coefficients.size(); ++i)
        putFloatField(std::span<std::uint8_t, 4>(frame.data() + 2 + 4 * i, 4), coefficients[i]);
    putTextField(at(frame, 14, 8), serialWireText(serial));
    return frame;
}

CommandFrame buildSetClock(const QDateTime& localTime) {
    CommandFrame frame{};
    frame[1] = kSetClock;
    const QByteArray digits = clockParameter(localTime);
    std::copy(digits.begin(), digits.end(), frame.begin() + 2);
    return frame;
}

CommandFrame buildChangeMode(TesterMode mode) {
    CommandFrame frame{};
    frame[1] = kChangeMode;
    frame[2] = static_cast<std::uint8_t>('0' + static_cast<int>(mode));
    return frame;
}

CommandFrame buildProgramRewrite() {
    CommandFrame frame{};
    frame[1] = kProgramRewrite;
    return frame;
}

CommandFrame buildRead(ReadCommand command) { return readFrame(static_cast<int>(command)); }

CommandFrame buildRecordRequest(int slot) {
    CommandFrame frame = readFrame(static_cast<int>(ReadCommand::Record));
    // Thousands first; each step takes the leading digit and shifts the rest up.
    int rest = slot;
    for (std::size_t i = 0; i < 4; ++i) {
        frame[4 + i] = static_cast<std::uint8_t>('0' + (rest / 1000) % 10);
        rest = (rest * 10) % 10000;
    }
    return frame;
}

CommandFrame buildDataClear() {
    CommandFrame frame{};
    frame[1] = kDataClear;
    return frame;
}

}  // namespace torbex::commands
