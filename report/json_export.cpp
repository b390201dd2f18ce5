#include "report/json_export.h"

#include <QDateTime>
#include <QIODevice>
#include <algorithm>

#include "report/report_records.h"

namespace torbex::report {
namespace {

bool needsEscape(QStringView text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c == u'"' || c == u'\\'; });
}

// A JSON string literal of the text.
void appendString(QString& json, QStringView text) {
    json += u'"';
    if (!needsEscape(text)) {
        json += text;
        json += u'"';
        return;
    }
    for (QChar c : text) {
        switch (c.unicode()) {
            case u'"': json += QStringLiteral("\\\""); break;
            case u'\\': json += QStringLiteral("\\\\"); break;
            case u'\n': json += QStringLiteral("\\n"); break;
            case u'\r': json += QStringLiteral("\\r"); break;
            case u'\t': json += QStringLiteral("\\t"); break;
            default:
                if (c.unicode() < 0x20) {
                    json += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
                } else {
                    json += c;
                }
        }
    }
    json += u'"';
}

void appendStringOrNull(QString& json, QStringView text) {
    if (text.isEmpty()) {
        json += QStringLiteral("null");
    } else {
        appendString(json, text);
    }
}

// Digits, with one point between digits: a number JSON can carry as it is written.
bool isPlainDecimal(QStringView text) {
    const qsizetype point = text.indexOf(u'.');
    const auto digits = [](QStringView part) {
        return !part.isEmpty() && std::all_of(part.begin(), part.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    };
    return point < 0 ? digits(text) : digits(text.left(point)) && digits(text.mid(point + 1));
}

// A result text ("  99.5") as a number with its unit, or null when not measured or no number.
void appendMeasure(QString& json, const QString& text, bool measured, QStringView unit) {
    const QStringView number = QStringView(text).trimmed();
    if (!measured || !isPlainDecimal(number)) {
        json += QStringLiteral("null");
        return;
    }
    json += QStringLiteral("{\"value\": ");
    json += number.size() > 1 && number.front() == u'0' && number[1] != u'.' ? QString::number(number.toInt()) : number.toString();
    json += QStringLiteral(", \"unit\": \"");
    json += unit;
    json += QStringLiteral("\"}");
}

int twoDigits(QStringView text, qsizetype at) {
    const QChar tens = text[at], ones = text[at + 1];
    if (tens < u'0' || tens > u'9' || ones < u'0' || ones > u'9') return -1;
    return (tens.unicode() - u'0') * 10 + (ones.unicode() - u'0');
}

// "2013/02/28" and "11:20" as "2013-02-28T11:20", or null when they are no date and time.
void appendMeasuredAt(QString& json, const data::MeasurementRecord& record) {
    const QStringView date = record.MeasureDate.text(), time = record.MeasureTime.text();
    const int century = twoDigits(date, 0), year = twoDigits(date, 2), month = twoDigits(date, 5), day = twoDigits(date, 8);
    const int hour = twoDigits(time, 0), minute = twoDigits(time, 3);
    const bool valid = date[4] == u'/' && date[7] == u'/' && time[2] == u':' && century >= 0 && year >= 0 && hour >= 0 &&
                       hour < 24 && minute >= 0 && minute < 60 && QDate::isValid(century * 100 + year, month, day);
    if (!valid) {
        json += QStringLiteral("null");
        return;
    }
    json += u'"';
    json += date.left(4);
    json += u'-';
    json += date.mid(5, 2);
    json += u'-';
    json += date.mid(8, 2);
    json += u'T';
    json += time.left(5);
    json += u'"';
}

}  // namespace

bool JsonExportWriter::write(QIODevice& device, std::span<const data::MeasurementRecord> records) {
    QString json;
    json.reserve(static_cast<qsizetype>(records.size()) * 420 + 100);
    json += QStringLiteral("{\n  \"exportedAt\": ");
    appendString(json, QDateTime::currentDateTime().toString(Qt::ISODate));
    json += QStringLiteral(",\n  \"records\": [");
    for (std::size_t i = 0; i < records.size(); ++i) {
        const data::MeasurementRecord& r = records[i];
        json += i == 0 ? QStringLiteral("\n    {") : QStringLiteral(",\n    {");
        json += QStringLiteral("\"testerSerial\": ");
        const QString serial = m_serials.empty() ? QString() : m_serials[m_serials.size() == 1 ? 0 : std::min(i, m_serials.size() - 1)];
        appendStringOrNull(json, serial.trimmed());
        json += QStringLiteral(", \"rfid\": ");
        appendStringOrNull(json, r.has(data::RfidPresent) ? r.PumpRfid.text().trimmed() : QString());
        json += QStringLiteral(", \"managementNumber\": ");
        appendStringOrNull(json, r.ManagementNo.text().trimmed());
        json += QStringLiteral(", \"measuredAt\": ");
        appendMeasuredAt(json, r);
        json += QStringLiteral(", \"flow\": {\"setting\": ");
        appendMeasure(json, r.FlowSetting.text(), true, u"ml/h");
        json += QStringLiteral(", \"result\": ");
        appendMeasure(json, r.FlowResult.text(), r.has(data::FlowMeasured), u"%");
        json += QStringLiteral(", \"verdict\": \"") + verdictName(r.flowVerdict().result()) + QStringLiteral("\"}");
        json += QStringLiteral(", \"occlusion\": {\"level\": ");
        appendStringOrNull(json, r.OcclusionSetting.text().trimmed());
        json += QStringLiteral(", \"result\": ");
        appendMeasure(json, r.OcclusionResult.text(), r.has(data::OcclusionMeasured), u"kPa");
        json += QStringLiteral(", \"verdict\": \"") + verdictName(r.occlusionVerdict().result()) + QStringLiteral("\"}}");
    }
    json += QStringLiteral("\n  ]\n}\n");
    const QByteArray bytes = json.toUtf8();
    if (device.write(bytes) != bytes.size()) {
        setErrorString(device.errorString());
        return false;
    }
    return true;
}

}  // namespace torbex::report
