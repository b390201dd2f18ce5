// Field encodings and command layouts, written out byte by byte as the tester expects them.
#include <gtest/gtest.h>

#include <QDateTime>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

#include "commands/protocol.h"
#include "commands/value_text.h"

namespace torbex::commands {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ascii(std::string_view text) { return Bytes(text.begin(), text.end()); }
Bytes slice(const CommandFrame& frame, std::size_t first, std::size_t count) {
    return Bytes(frame.begin() + static_cast<std::ptrdiff_t>(first),
                 frame.begin() + static_cast<std::ptrdiff_t>(first + count));
}
// True when every byte from `first` to the end of the frame is zero.
bool zeroFrom(const CommandFrame& frame, std::size_t first) {
    return std::all_of(frame.begin() + static_cast<std::ptrdiff_t>(first), frame.end(), [](auto b) { return b == 0; });
}

TEST(Encoding, DecimalFieldRoundsHalvesToEvenAndKeepsLowDigits) {
    const struct { double value; std::size_t width; Bytes expected; } cases[] = {
        {150, 4, {0x30, 0x31, 0x35, 0x30}},
        {12.5, 4, ascii("0012")},
        {13.5, 4, ascii("0014")},
        {12.49, 4, ascii("0012")},
        {12345, 4, ascii("2345")},
        {99.6, 2, ascii("00")},
        {107, 4, ascii("0107")},
        {-1, 2, ascii("99")},
    };
    for (const auto& c : cases) {
        Bytes field(c.width, 0xFF);
        putDecimalField(field, c.value);
        EXPECT_EQ(field, c.expected) << c.value;
    }
}

TEST(Encoding, DigitByteKeepsOnlyTheLowNibble) {
    EXPECT_EQ(digitByte(3), 0x33);
    EXPECT_EQ(digitByte(0), 0x30);
    EXPECT_EQ(digitByte(0x12), 0x32);
}

TEST(Encoding, FloatFieldIsLittleEndianSinglePrecision) {
    std::array<std::uint8_t, 4> bytes{};
    putFloatField(bytes, 1.5F);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), (Bytes{0x00, 0x00, 0xC0, 0x3F}));
    EXPECT_EQ(floatField(bytes), 1.5F);
    for (float value : {0.105F, -2.25F, 0.0F, std::numeric_limits<float>::max()}) {
        putFloatField(bytes, value);
        EXPECT_EQ(floatField(bytes), value);
    }
}

TEST(Encoding, SerialIsTrimmedOfSpacesOnlyThenPaddedOrCutToEight) {
    const struct { QString in; QString wire; } cases[] = {
        {QStringLiteral(" AB12 "), QStringLiteral("AB12    ")},
        {QStringLiteral("ABCDEFGHIJ"), QStringLiteral("ABCDEFGH")},
        {QString(), QStringLiteral("        ")},
        {QStringLiteral("\tAB"), QStringLiteral("\tAB     ")},
        {QStringLiteral("\u3000AB"), QStringLiteral("\u3000AB     ")},
    };
    for (const auto& c : cases) EXPECT_EQ(serialWireText(c.in).toStdString(), c.wire.toStdString());
}

TEST(Encoding, TextFieldSendsLowByteOfEachUtf16CodeAndStopsAtFieldEnd) {
    Bytes field(3, 0xAA);
    putTextField(field, u"A\u00E9\u3042Z");
    EXPECT_EQ(field, (Bytes{0x41, 0xE9, 0x42}));
    Bytes wide(4, 0xAA);
    putTextField(wide, u"B");
    EXPECT_EQ(wide, (Bytes{0x42, 0xAA, 0xAA, 0xAA}));
}

TEST(Decoding, ParseDecimalTakesTheLeadingNumberOnly) {
    const struct { const char16_t* text; double value; } cases[] = {
        {u"  12.5", 12.5}, {u"\t7", 7},     {u"12.5abc", 12.5}, {u"abc", 0},  {u"", 0},
        {u"-3", -3},       {u"+4", 4},      {u"1e3", 1000},     {u"1e", 1},   {u"1e+", 1},
        {u"2E-1", 0.2},    {u".5", 0.5},    {u"5.", 5},         {u"-", 0},    {u".", 0},
        {u"1.2.3", 1.2},   {u"0150", 150},  {u"12 34", 12},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(parseDecimal(c.text), c.value) << QString::fromUtf16(c.text).toStdString();
}

TEST(Decoding, DecimalFieldOfZeroBytesIsZero) {
    EXPECT_EQ(decimalField(Bytes(4, 0)), 0);
    EXPECT_EQ(decimalField(ascii("0067")), 67);
}

TEST(Decoding, ToInt16RoundsHalvesToEvenAndClamps) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct { double in; std::int16_t out; } cases[] = {
        {2.5, 2},        {3.5, 4},         {-2.5, -2},     {-3.5, -4},     {0.4, 0},
        {40000, 32767},  {-40000, -32768}, {32767.5, 32767}, {inf, 32767}, {std::nan(""), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(toInt16(c.in), c.out) << c.in;
}

TEST(Commands, SetClockCarriesLocalTimeAsTwelveDigits) {
    const CommandFrame frame = buildSetClock(QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3)));
    EXPECT_EQ(frame[1], 0x11);
    EXPECT_EQ(slice(frame, 2, 12), ascii("240305090703"));
    EXPECT_TRUE(zeroFrom(frame, 14));
    EXPECT_EQ(clockParameter(QDateTime(QDate(2000, 12, 31), QTime(23, 59, 59))), QByteArray("001231235959"));
}

TEST(Commands, ShortCommandsCarryCodeAndAsciiArguments) {
    const struct { CommandFrame frame; Bytes bytesFrom1; } cases[] = {
        {buildRead(ReadCommand::Poll), {0x44, 0x32}},
        {buildRead(ReadCommand::Settings), {0x44, 0x34}},
        {buildRead(ReadCommand::Calibration), {0x44, 0x35}},
        {buildRead(ReadCommand::Version), {0x44, 0x39}},
        {buildRecordRequest(0), {0x44, 0x31, 0x30, 0x30, 0x30, 0x30, 0x30}},
        {buildRecordRequest(7), {0x44, 0x31, 0x30, 0x30, 0x30, 0x30, 0x37}},
        {buildRecordRequest(1000), {0x44, 0x31, 0x30, 0x31, 0x30, 0x30, 0x30}},
        {buildChangeMode(1), {0x70, 0x31}},
        {buildChangeMode(2), {0x70, 0x32}},
        {buildProgramRewrite(), {0x72}},
        {buildDataClear(), {0x55}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        EXPECT_EQ(c.frame[0], 0) << "case " << i << ": the exchange owns byte 0";
        EXPECT_EQ(slice(c.frame, 1, c.bytesFrom1.size()), c.bytesFrom1) << "case " << i;
        EXPECT_TRUE(zeroFrom(c.frame, 1 + c.bytesFrom1.size())) << "case " << i;
    }
}

TEST(Commands, WriteSettingsLaysOutBytesTwoToSeventeen) {
    MeasurementSettings s;
    s.FlowRate = 12.5F;
    s.AverageCount = 3;
    s.MeasureCount = 12;
    s.OcclusionPressure = 107;
    s.OcclusionLevel = 2;
    s.WriteMode = 1;
    s.RfidUse = 1;
    s.DisplayUnits = 3;
    const CommandFrame frame = buildWriteSettings(s);
    EXPECT_EQ(frame[1], 0x22);
    EXPECT_EQ(slice(frame, 2, 16), ascii("0012" "03" "12" "0107" "2113"));
    EXPECT_TRUE(zeroFrom(frame, 18));
}

TEST(Commands, WriteCalibrationLaysOutFloatsThenPaddedSerial) {
    const CommandFrame frame = buildWriteCalibration({1.5F, -2.0F, 0.0F}, QStringLiteral(" AB12 "));
    EXPECT_EQ(frame[1], 0x33);
    EXPECT_EQ(slice(frame, 2, 12), (Bytes{0, 0, 0xC0, 0x3F, 0, 0, 0, 0xC0, 0, 0, 0, 0}));
    EXPECT_EQ(slice(frame, 14, 8), ascii("AB12    "));
    EXPECT_TRUE(zeroFrom(frame, 22));
}

// A reply as the tester sends it: echo, command bytes, then data from byte 3.
Bytes reply(std::uint8_t command, std::uint8_t number, const Bytes& data) {
    Bytes bytes(kFrameBytes, 0);
    bytes[0] = 7;
    bytes[1] = command;
    bytes[2] = number;
    std::copy(data.begin(), data.end(), bytes.begin() + kReplyDataStart);
    return bytes;
}

TEST(Replies, DecodeSettingsReadsEachFieldAtItsOffset) {
    const MeasurementSettings s = decodeSettings(reply(0x44, '4', ascii("0150" "04" "09" "0107" "2103")));
    EXPECT_EQ(s.FlowRate, 150.0F);
    EXPECT_EQ(s.AverageCount, 4);
    EXPECT_EQ(s.MeasureCount, 9);
    EXPECT_EQ(s.OcclusionPressure, 107.0F);
    EXPECT_EQ(s.OcclusionLevel, 2);
    EXPECT_EQ(s.WriteMode, 1);
    EXPECT_EQ(s.RfidUse, 0);
    EXPECT_EQ(s.DisplayUnits, 3);
}

TEST(Replies, DecodeCalibrationReadsFloatsThenSerial) {
    Bytes data{0, 0, 0xC0, 0x3F, 0, 0, 0, 0xC0, 0, 0, 0, 0};
    const Bytes serial = ascii("SN 00042");
    data.insert(data.end(), serial.begin(), serial.end());
    const CalibrationReading reading = decodeCalibration(reply(0x44, '5', data));
    EXPECT_EQ(reading.coefficients, (CalibrationCoefficients{1.5F, -2.0F, 0.0F}));
    EXPECT_EQ(reading.serialNumber.toStdString(), "SN 00042");
}

TEST(Replies, DecodeVersionReadsEightCharacters) {
    EXPECT_EQ(decodeVersion(reply(0x44, '9', ascii("V2.10   X"))).toStdString(), "V2.10   ");
}

TEST(ValueText, CoefficientUsesAtLeastOneIntegerDigitAndAtMostEightDecimals) {
    const struct { float value; const char* text; } cases[] = {
        {0.5F, "0.5"}, {2.0F, "2."}, {0.95F, "0.95"}, {0.105F, "0.105"}, {0.0F, "0."}, {-0.5F, "-0.5"}, {100.0F, "100."},
    };
    for (const auto& c : cases) EXPECT_EQ(formatCoefficient(c.value).toStdString(), c.text) << c.value;

    const QString many = formatCoefficient(1.23456789F);
    const qsizetype point = many.indexOf(u'.');
    ASSERT_GE(point, 1) << many.toStdString();
    EXPECT_LE(many.size() - point - 1, 8) << many.toStdString();
    EXPECT_EQ(many.toFloat(), 1.23456789F) << many.toStdString();
}

TEST(ValueText, FlowRateHasNoTrailingZerosOrPoint) {
    const struct { float value; const char* text; } cases[] = {
        {70.0F, "70"}, {12.5F, "12.5"}, {150.0F, "150"}, {5.0F, "5"}, {99.9F, "99.9"}, {0.1F, "0.1"},
    };
    for (const auto& c : cases) EXPECT_EQ(formatFlowRate(c.value).toStdString(), c.text) << c.value;
}

}  // namespace
}  // namespace torbex::commands
