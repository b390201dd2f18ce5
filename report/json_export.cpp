#include "report/json_export.h"

#include <QDateTime>
#include <QIODevice>

#include "report/report_records.h"

namespace torbex::report {
namespace {

// A JSON string literal of the text.
void appendString(QString& json, const QString& text) {
    json += u'"';
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

void appendStringOrNull(QString& json, const QString& text) {
    if (text.isEmpty()) {
        json += QStringLiteral("null");
    } else {
        appendString(json, text);
    }
}

// A result text ("  99.5") as a number with its unit, or null when not measured or no number.
void appendMeasure(QString& json, const QString& text, bool measured, const char16_t* unit) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!measured || !ok) {
        json += QStringLiteral("null");
        return;
    }
    json += QStringLiteral("{\"value\": ") + QString::number(value, 'g', 10) + QStringLiteral(", \"unit\": \"") +
            QString::fromUtf16(unit) + QStringLiteral("\"}");
}

// "2013/02/28" and "11:20" as "2013-02-28T11:20", or null when they are no date and time.
void appendMeasuredAt(QString& json, const data::MeasurementRecord& record) {
    const QDateTime at = QDateTime::fromString(record.MeasureDate.text().trimmed() + u' ' + record.MeasureTime.text().trimmed(),
                                               QStringLiteral("yyyy/MM/dd HH:mm"));
    if (!at.isValid()) {
        json += QStringLiteral("null");
        return;
    }
    appendString(json, at.toString(QStringLiteral("yyyy-MM-ddTHH:mm")));
}

}  // namespace

bool JsonExportWriter::write(QIODevice& device, std::span<const data::MeasurementRecord> records) {
    QString json = QStringLiteral("{\n  \"exportedAt\": ");
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
