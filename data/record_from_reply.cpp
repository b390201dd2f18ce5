#include "data/record_from_reply.h"

#include "data/record_texts.h"

namespace torbex::data {
namespace {

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

template <std::size_t N>
QString characters(const std::array<std::uint8_t, N>& bytes, std::size_t first, std::size_t count) {
    QString text;
    // at(): a wrong offset throws rather than reading the next field of the reply.
    for (std::size_t i = first; i < first + count; ++i) text.append(singleByteCharacter(bytes.at(i)));
    return text;
}

QString hexByte(int value) { return QString::number(value, 16).toUpper().rightJustified(2, u'0'); }

OcclusionLevel levelOf(std::uint8_t code) {
    switch (code) {
        case '1': return OcclusionLevel::M;
        case '2': return OcclusionLevel::H;
        default: return OcclusionLevel::L;
    }
}

}  // namespace

MeasurementRecord recordFromReply(const commands::RecordReply& reply) {
    MeasurementRecord record;
    record.status = reply.status;
    QString rfid;
    for (std::uint8_t byte : reply.rfid) rfid += hexByte(byte);
    record.PumpRfid = rfid;
    record.MeasureDate = QStringLiteral("20") + characters(reply.date, 0, 2) + u'/' + characters(reply.date, 2, 2) +
                         u'/' + characters(reply.date, 4, 2);
    record.MeasureTime = characters(reply.time, 0, 2) + u':' + characters(reply.time, 2, 2);
    record.values = {measureDateOf(record.MeasureDate.text()), measureTimeOf(record.MeasureTime.text()),
                     reply.flowSetting, reply.flowResult, levelOf(reply.occlusionLevel), reply.occlusionResult};
    setNumberTexts(record);
    record.OcclusionValue = QString::number(reply.occlusionValue).rightJustified(3, u' ').right(3);
    return record;
}

}  // namespace torbex::data
