// Field encodings, command layouts and reply decoding, written out byte by byte.
#include <gtest/gtest.h>

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "commands/protocol.h"
#include "commands/value_text.h"

namespace torbex::commands {
namespace {

using namespace std::string_view_literals;
using Bytes = std::vector<std::uint8_t>;

Bytes ascii(std::string_view text) { return Bytes(text.begin(), text.end()); }

TEST(Encoding, FieldsHoldTheExactBytesTheTesterExpects) {
    const struct { double value; std::size_t width; std::string_view expected; } decimals[] = {
        {150, 4, "0150"}, {12.5, 4, "0012"}, {13.5, 4, "0014"}, {12.49, 4, "0012"},
        {12345, 4, "2345"}, {99.6, 2, "00"}, {-1, 2, "99"},
    };
    for (const auto& c : decimals) {
        Bytes field(c.width, 0xFF);
        putDecimalField(field, c.value);
        EXPECT_EQ(field, ascii(c.expected)) << c.value;
    }
    EXPECT_EQ((Bytes{digitByte(0), digitByte(3), digitByte(0x12)}), ascii("032"));

    std::array<std::uint8_t, 4> bytes{};
    putFloatField(bytes, 1.5F);
    EXPECT_EQ(bytes, (std::array<std::uint8_t, 4>{0x00, 0x00, 0xC0, 0x3F}));
    EXPECT_EQ(floatField(bytes), 1.5F);

    Bytes text(4, 0xAA);  // the field is the first three bytes
    putTextField(std::span(text).first(3), u"A\u00E9\u3042Z");
    EXPECT_EQ(text, (Bytes{0x41, 0xE9, 0x42, 0xAA}));

    // Only spaces are trimmed; tabs and wide spaces travel as they are.
    for (const auto& [in, wire] : {std::pair{u" AB12 ", u"AB12    "}, std::pair{u"ABCDEFGHIJ", u"ABCDEFGH"},
                                   std::pair{u"", u"        "}, std::pair{u"\tAB", u"\tAB     "},
                                   std::pair{u"\u3000AB", u"\u3000AB     "}})
        EXPECT_EQ(serialWireText(QString::fromUtf16(in)), QString::fromUtf16(wire));
}

TEST(Decoding, NumbersAreTheLeadingDecimalOnlyAndInt16RoundsHalvesToEvenAndClamps) {
    const struct { const char16_t* text; double value; } numbers[] = {
        {u"  12.5", 12.5}, {u"\t7", 7},  {u"12.5abc", 12.5}, {u"abc", 0},  {u"", 0},
        {u"-3", -3},       {u"+4", 4},   {u"1e3", 1000},     {u"1e", 1},   {u"1e+", 1},
        {u"2E-1", 0.2},    {u".5", 0.5}, {u"5.", 5},         {u"-", 0},    {u".", 0},
        {u"1.2.3", 1.2},   {u"0150", 150}, {u"12 34", 12},
    };
    for (const auto& c : numbers)
        EXPECT_DOUBLE_EQ(parseDecimal(c.text), c.value) << QString::fromUtf16(c.text).toStdString();
    EXPECT_EQ(decimalField(Bytes(4, 0)), 0);

    const struct { double in; std::int16_t out; } ints[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {40000, 32767}, {-40000, -32768}, {std::nan(""), 0}};
    for (const auto& c : ints) EXPECT_EQ(toInt16(c.in), c.out) << c.in;
}

TEST(Commands, EachCommandHasItsLayoutAndZerosBeyond) {
    const struct { CommandFrame frame; std::string_view from1; } cases[] = {
        {buildRead(ReadCommand::Poll), "D2"}, {buildRead(ReadCommand::Settings), "D4"},
        {buildRead(ReadCommand::Calibration), "D5"}, {buildRead(ReadCommand::Version), "D9"},
        {buildRecordRequest(0), "D100000"}, {buildRecordRequest(7), "D100007"}, {buildRecordRequest(1000), "D101000"},
        {buildChangeMode(1), "\x70" "1"}, {buildChangeMode(2), "\x70" "2"},
        {buildProgramRewrite(), "\x72"}, {buildDataClear(), "U"},
        {buildSetClock(QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3))), "\x11" "240305090703"},
        {buildWriteSettings({12.5F, 3, 12, 107, 2, 1, 1, 3}), "\x22" "0012" "03" "12" "0107" "2113"},
        {buildWriteCalibration({1.5F, -2.0F, 0.0F}, QStringLiteral(" AB12 ")),
         "\x33\0\0\xC0\x3F\0\0\0\xC0\0\0\0\0" "AB12    "sv},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        CommandFrame expected{};  // byte 0 belongs to the exchange
        std::copy(cases[i].from1.begin(), cases[i].from1.end(), expected.begin() + 1);
        EXPECT_EQ(cases[i].frame, expected) << "case " << i;
    }
}

// A reply as the tester sends it: echo, command bytes, then data from byte 3.
Bytes reply(std::string_view bytes) {
    Bytes frame = ascii(bytes);
    frame.resize(kFrameBytes);
    return frame;
}

TEST(Replies, DecodersReadEachFieldAtItsOffset) {
    EXPECT_EQ(decodeSettings(reply("\x07" "D4" "0150" "04" "09" "0107" "2103")),
              (MeasurementSettings{150, 4, 9, 107, 2, 1, 0, 3}));
    const CalibrationReading reading =
        decodeCalibration(reply("\x07" "D5" "\0\0\xC0\x3F\0\0\0\xC0\0\0\0\0" "SN 00042"sv));
    EXPECT_EQ(reading.coefficients, (CalibrationCoefficients{1.5F, -2.0F, 0.0F}));
    EXPECT_EQ(reading.serialNumber, QStringLiteral("SN 00042"));
    EXPECT_EQ(decodeVersion(reply("\x07" "D9" "V2.10   X")), QStringLiteral("V2.10   "));
}

TEST(ValueText, CoefficientKeepsItsPointAndFlowRateDropsIt) {
    const struct { float value; const char* coefficient; const char* flow; } cases[] = {
        {0.5F, "0.5", "0.5"},     {2.0F, "2.", "2"},       {0.95F, "0.95", "0.95"}, {0.105F, "0.105", "0.105"},
        {0.0F, "0.", "0"},        {-0.5F, "-0.5", "-0.5"}, {100.0F, "100.", "100"}, {12.5F, "12.5", "12.5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatCoefficient(c.value).toStdString(), c.coefficient) << c.value;
        EXPECT_EQ(formatFlowRate(c.value).toStdString(), c.flow) << c.value;
    }
    // At most eight decimals, and still the same float when read back.
    const QString many = formatCoefficient(1.23456789F);
    EXPECT_LE(many.size() - many.indexOf(u'.') - 1, 8) << many.toStdString();
    EXPECT_EQ(many.toFloat(), 1.23456789F) << many.toStdString();
}

}  // namespace
}  // namespace torbex::commands
