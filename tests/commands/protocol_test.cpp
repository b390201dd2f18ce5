// Field encodings, command frames and replies, byte for byte as the tester sends and takes them.
#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

#include "commands/plain_text.h"
#include "commands/replies.h"

namespace torbex::commands {
namespace {

using namespace std::string_view_literals;

// A whole frame: `bytes` from byte `first` on, zeros elsewhere.
CommandFrame frame(std::string_view bytes, std::size_t first = 0) {
    CommandFrame f{};
    std::copy(bytes.begin(), bytes.end(), f.begin() + static_cast<std::ptrdiff_t>(first));
    return f;
}

TEST(Encoding, FieldsHoldTheExactBytesTheTesterExpectsAndInt16RoundsHalvesToEvenAndClamps) {
    const std::pair<double, std::string_view> decimals[] = {{150, "0150"}, {12.5, "0012"}, {13.5, "0014"}, {12.51, "0013"},
                                                            {12345, "2345"}, {-1, "9999"}, {NAN, "0000"}};
    for (const auto& [value, expected] : decimals) {
        CommandFrame field{};
        putDecimalField(std::span(field).first(4), value);
        EXPECT_EQ(field, frame(expected)) << value;
    }
    EXPECT_EQ((std::string{char(digitByte(0)), char(digitByte(3)), char(digitByte(0x12))}), "032");
    CommandFrame text{};
    putTextField(std::span(text).first(3), u"A\u00E9\u3042Z");  // low bytes, as many as fit
    EXPECT_EQ(text, frame("A\xE9\x42"));
    // Only spaces are trimmed; tabs and wide spaces travel as they are.
    for (const auto& [in, wire] : {std::pair{u" \tAB  ", u"\tAB     "}, std::pair{u"\u3000AB ", u"\u3000AB     "},
                                   std::pair{u"ABCDEFGHIJ", u"ABCDEFGH"}, std::pair{u"   ", u"        "}})
        EXPECT_EQ(serialWireText(QString::fromUtf16(in)), QString::fromUtf16(wire));
    const std::pair<double, std::int16_t> ints[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {40000, 32767}, {-40000, -32768}, {NAN, 0}};
    for (const auto& [in, out] : ints) EXPECT_EQ(toInt16(in), out) << in;
}

// Bound for the tester, a number is the leading decimal only. A result written by hand ("-1.5",
// "00.5", ".5") reads as the number it is; anything but one number with one decimal at most is none.
TEST(PlainText, LeadingDecimalTenthsAndWholeNumbersMisreadSignsLeadingZerosOrTrailingText) {
    const std::pair<const char16_t*, double> numbers[] = {
        {u"  12.5", 12.5}, {u"\t7", 7}, {u"12.5abc", 12.5}, {u"abc", 0}, {u"", 0}, {u"-3", -3}, {u"+4", 4},
        {u"1e3", 1000}, {u"5E+2", 500}, {u"2e-1", 0.2}, {u"1e", 1}, {u"1e+", 1}, {u".5", 0.5}, {u"5.", 5},
        {u"-", 0}, {u".", 0}, {u"1.2.3", 1.2}, {u"0150", 150}, {u"12 34", 12}, {u"\n5", 0}};
    for (const auto& [text, value] : numbers) EXPECT_DOUBLE_EQ(parseDecimal(text), value) << QString::fromUtf16(text).toStdString();
    const std::pair<const char16_t*, std::optional<int>> tenths[] = {
        {u"  99.5", 995}, {u"-1.5", -15}, {u"-0.5", -5}, {u"00.5", 5}, {u".5", 5}, {u"100", 1000}, {u"5.", 50},
        {u"+2.0", 20}, {u"99999999.9", 999999999}, {u"100000000", std::nullopt}, {u"1.25", std::nullopt},
        {u"9.5x", std::nullopt}, {u"\t9.5", std::nullopt}, {u"------", std::nullopt}, {u"", std::nullopt},
        {u"1 0", std::nullopt}, {u"-", std::nullopt}, {u".", std::nullopt}};
    for (const auto& [text, value] : tenths) EXPECT_EQ(parseTenths(text), value) << QString::fromUtf16(text).toStdString();
    const std::pair<const char16_t*, std::optional<int>> whole[] = {
        {u"150", 150}, {u" 5  ", 5}, {u"005", 5}, {u"000000000012", 12}, {u"-5", std::nullopt}, {u"1.0", std::nullopt},
        {u"", std::nullopt}, {u"123456789", 123456789}, {u"1234567890", std::nullopt}, {u"12a", std::nullopt}};
    for (const auto& [text, value] : whole) EXPECT_EQ(parseWholeNumber(text), value) << QString::fromUtf16(text).toStdString();
}

TEST(Commands, EachCommandHasItsLayoutAndZerosBeyond) {
    const std::pair<CommandFrame, std::string_view> cases[] = {
        {buildRead(ReadCommand::Poll), "D2"}, {buildRead(ReadCommand::Settings), "D4"}, {buildRead(ReadCommand::Calibration), "D5"},
        {buildRead(ReadCommand::Version), "D9"}, {buildRecordRequest(0), "D100000"}, {buildRecordRequest(456), "D100456"},
        {buildRecordRequest(1000), "D101000"}, {buildChangeMode(TesterMode::Normal), "\x70" "1"}, {buildProgramRewrite(), "\x72"},
        {buildChangeMode(TesterMode::Calibration), "\x70" "2"}, {buildDataClear(), "U"},
        {buildSetClock(QDateTime(QDate(2031, 12, 24), QTime(18, 0, 59))), "\x11" "311224180059"},
        {buildWriteSettings({12.5F, 3, 12, 107, 2, 1, 1, 3}), "\x22" "0012" "03" "12" "0107" "2113"},
        {buildWriteCalibration({1.5F, -2.0F, 0.0F}, QStringLiteral(" AB12 ")), "\x33\0\0\xC0\x3F\0\0\0\xC0\0\0\0\0" "AB12    "sv}};
    for (const auto& [built, from1] : cases) EXPECT_EQ(built, frame(from1, 1)) << from1;  // byte 0 is the exchange's
}

// A captured record reply from byte 3: RFID (low byte first), status, date, time, then the numbers.
const CommandFrame kRecord = frame("1\0\0\0\0\x01\x02\x03\x04\x05\x06\x07\x08\x8F" "1302281120\0\0" "0150" "0995" "1" "053" "0532"sv, 3);

// Each captured reply decodes to its values, and the simulated tester's encoder gives back its bytes.
TEST(Replies, CapturedRepliesDecodeToTheirValuesAndEncodeBackToTheSameBytes) {
    const MeasurementSettings settings{150, 4, 9, 107, 2, 1, 0, 3};
    EXPECT_EQ(decodeSettings(frame("0150" "04" "09" "0107" "2103" "9", 3)), settings);  // whatever follows the last field
    EXPECT_EQ(encodeSettingsReply(settings), frame("0150" "04" "09" "0107" "2103", 3));
    const CommandFrame calibration = frame("\0\0\xC0\x3F\0\0\0\xC0\0\0\0\0" "SN 00042"sv, 3);
    const CalibrationReading reading = decodeCalibration(calibration);
    EXPECT_EQ(std::pair(reading.coefficients, reading.serialNumber),
              std::pair(CalibrationCoefficients{1.5F, -2.0F, 0.0F}, QStringLiteral("SN 00042")));
    EXPECT_EQ(encodeCalibrationReply(reading.coefficients, reading.serialNumber), calibration);
    EXPECT_EQ(decodeVersion(frame("V2.10   X", 3)), QStringLiteral("V2.10   "));
    EXPECT_EQ(encodeVersionReply(QStringLiteral("V2.10   ")), frame("V2.10   ", 3));
    const SlotReply slot = decodeSlotReply(kRecord);
    const RecordReply& r = slot.record;
    EXPECT_EQ(std::tuple(slot.status, r.rfid[0], r.rfid[7], r.status, r.date[0], r.time[3], r.flowSetting, r.flowResult),
              std::tuple(SlotStatus::Record, 8, 1, 0x8F, '1', '0', 150, 995));
    EXPECT_EQ(std::tuple(r.occlusionLevel, r.occlusionValue, r.occlusionResult), std::tuple('1', 53, 532));
    EXPECT_EQ(encodeRecordReply(r), kRecord);
    EXPECT_EQ(encodeSkipReply(495), frame("20495", 3));
    // A reply cut short reads as zeros past its end, never as the bytes that lie after it.
    const ReplyView cut = ReplyView(kRecord).first(38);
    EXPECT_EQ(std::tuple(decodeSlotReply(cut).record.occlusionLevel, decodeSlotReply(cut.first(37)).record.occlusionLevel,
                         decodeSlotReply(cut.first(16)).record.status, decodeSlotReply(cut.first(3)).status),
              std::tuple('1', 0, 0, SlotStatus::NotReady));
}

}  // namespace
}  // namespace torbex::commands
