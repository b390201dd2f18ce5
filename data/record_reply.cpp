#include "data/record_reply.h"

#include <QChar>

namespace torbex::data {
namespace {

// Bytes [first, first + count) of the reply, or an empty run when it is too short.
std::span<const std::uint8_t> bytesAt(std::span<const std::uint8_t> reply, std::size_t first, std::size_t count) {
    if (reply.size() < first + count) return {};
    return reply.subspan(first, count);
}

// Each byte as the character it is on its own in code page 932: printable ASCII, or a half-width
// katakana. Any other byte shows as "?", so that a garbled reply cannot put into a record what
// the data file could not hold or would read back otherwise: half of a two-byte character, a
// line end or other control character, the comma that separates the file's columns, or a blank
// that reading the file would trim away.
QChar singleByteCharacter(std::uint8_t byte) {
    if (byte == ',' || byte == ' ') return QChar(u'?');
    if (byte > 0x20 && byte < 0x7F) return QChar(char16_t{byte});
    if (byte >= 0xA1 && byte <= 0xDF) return QChar(static_cast<char16_t>(0xFF61 + (byte - 0xA1)));
    return QChar(u'?');
}

QString characters(std::span<const std::uint8_t> reply, std::size_t first, std::size_t count) {
    QString text;
    for (std::uint8_t byte : bytesAt(reply, first, count)) text.append(singleByteCharacter(byte));
    return text;
}

QString hexByte(int value) { return QString::number(value, 16).toUpper().rightJustified(2, u'0'); }

// Right-aligned in `width`; a longer text keeps its last characters.
QString rightAligned(const QString& text, int width) { return text.rightJustified(width, u' ').right(width); }

// Tenths as "##0.0".
QString tenths(int value) { return QStringLiteral("%1.%2").arg(value / 10).arg(value % 10); }

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

MeasurementRecord recordFromReply(std::span<const std::uint8_t> reply) {
    MeasurementRecord record;
    const auto byteAt = [&](std::size_t i) { return i < reply.size() ? reply[i] : std::uint8_t{0}; };

    record.StatusFlags = hexByte(byteAt(16));
    QString rfid;
    for (std::size_t i = 15; i >= 8; --i) rfid += hexByte(byteAt(i));
    record.PumpRfid = rfid;
    record.MeasureDate = QStringLiteral("20") + characters(reply, 17, 2) + u'/' + characters(reply, 19, 2) + u'/' +
                         characters(reply, 21, 2);
    record.MeasureTime = characters(reply, 23, 2) + u':' + characters(reply, 25, 2);
    record.FlowSetting = rightAligned(QString::number(digitValue(bytesAt(reply, 29, 4))), 3);
    record.FlowResult = rightAligned(tenths(digitValue(bytesAt(reply, 33, 4))), 6);
    switch (byteAt(37)) {
        case '1': record.OcclusionSetting = QStringLiteral("M"); break;
        case '2': record.OcclusionSetting = QStringLiteral("H"); break;
        default: record.OcclusionSetting = QStringLiteral("L"); break;
    }
    record.OcclusionValue = rightAligned(QString::number(digitValue(bytesAt(reply, 38, 3))), 3);
    record.OcclusionResult = rightAligned(tenths(digitValue(bytesAt(reply, 41, 4))), 8);
    return record;
}

int advanceFromReply(std::span<const std::uint8_t> reply) { return digitValue(bytesAt(reply, 4, 4)); }

}  // namespace torbex::data
