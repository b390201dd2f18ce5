#include "report/json_export.h"

#include <QIODevice>
#include <algorithm>

#include "data/file_io.h"
#include "data/record_texts.h"
#include "report/report_summary.h"

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

// A value with its unit, or null when it is not known.
void appendMeasure(QString& json, const QString& value, QStringView unit) {
    if (value.isEmpty()) {
        json += QStringLiteral("null");
        return;
    }
    json += QStringLiteral("{\"value\": ");
    json += value;
    json += QStringLiteral(", \"unit\": \"");
    json += unit;
    json += QStringLiteral("\"}");
}

// The grid's "##0.0" is a JSON number as it stands.
QString tenthsOrEmpty(const std::optional<int>& tenths) { return tenths ? data::tenthsText(*tenths) : QString(); }

void appendMeasuredAt(QString& json, const data::Measurement& values) {
    if (!values.date.isValid() || !values.time.isValid()) {
        json += QStringLiteral("null");
        return;
    }
    json += u'"';
    json += data::measureDateText(values.date).replace(u'/', u'-');
    json += u'T';
    json += data::measureTimeText(values.time);
    json += u'"';
}

void appendRegisterEntry(QString& json, const std::optional<RegisterEntry>& entry) {
    if (!entry) {
        json += QStringLiteral("null");
        return;
    }
    const std::pair<const char16_t*, const QString*> fields[] = {
        {u"maker", &entry->maker}, {u"model", &entry->model}, {u"serial", &entry->serial},
        {u"department", &entry->department}, {u"location", &entry->location}};
    json += u'{';
    for (const auto& [name, value] : fields) {
        json += u'"';
        json += QStringView(name);
        json += QStringLiteral("\": ");
        appendStringOrNull(json, *value);
        json += QStringLiteral(", ");
    }
    json += QStringLiteral("\"status\": \"") + (entry->retired ? QStringLiteral("retired") : QStringLiteral("in-service")) +
            QStringLiteral("\"}");
}

void appendTest(QString& json, const data::MeasurementRecord& r, const QString& testerSerial, const RegisterLookup& lookup) {
    const data::Measurement& v = r.values;
    json += QStringLiteral("{\"testerSerial\": ");
    appendStringOrNull(json, testerSerial);
    json += QStringLiteral(", \"rfid\": ");
    appendStringOrNull(json, r.rfid());
    json += QStringLiteral(", \"managementNumber\": ");
    appendStringOrNull(json, r.managementNumber());
    json += QStringLiteral(", \"measuredAt\": ");
    appendMeasuredAt(json, v);
    json += QStringLiteral(", \"flow\": {\"setting\": ");
    appendMeasure(json, v.flowSetting ? QString::number(*v.flowSetting) : QString(), u"ml/h");
    json += QStringLiteral(", \"result\": ");
    appendMeasure(json, tenthsOrEmpty(r.flowResult()), u"%");
    json += QStringLiteral(", \"verdict\": \"") + verdictName(r.flowVerdict()) + QStringLiteral("\"}");
    json += QStringLiteral(", \"occlusion\": {\"level\": ");
    appendStringOrNull(json, v.occlusionLevel ? data::occlusionLevelLetter(*v.occlusionLevel) : QString());
    json += QStringLiteral(", \"result\": ");
    appendMeasure(json, tenthsOrEmpty(r.occlusionResult()), u"kPa");
    json += QStringLiteral(", \"verdict\": \"") + verdictName(r.occlusionVerdict()) + QStringLiteral("\"}");
    json += QStringLiteral(", \"overallVerdict\": \"") +
            verdictName(data::overallVerdict(r.flowVerdict(), r.occlusionVerdict())) + u'"';
    json += QStringLiteral(", \"pump\": ");
    appendRegisterEntry(json, lookup && !r.rfid().isEmpty() ? lookup(r.rfid()) : std::nullopt);
    json += u'}';
}

}  // namespace

data::TestsWritten writeJsonExport(QIODevice& device, data::TestSource& tests, const QDateTime& exportedAt,
                                   const RegisterLookup& lookup) {
    // Written a block at a time: a history of years never sits in memory as one text.
    constexpr qsizetype kBlockCharacters = 64 * 1024;
    QString json;
    json.reserve(kBlockCharacters + 1024);
    QString failed;
    const auto flush = [&] {
        if (failed.isEmpty() && !data::writeWhole(device, json.toUtf8())) failed = device.errorString();
        json.resize(0);  // keeps the block's memory for the next
        return failed.isEmpty();
    };
    json += QStringLiteral("{\n  \"exportedAt\": ");
    appendString(json, exportedAt.toString(Qt::ISODate));
    json += QStringLiteral(",\n  \"records\": [");
    int written = 0;
    const QString readError = tests.forEach([&](const data::MeasurementRecord& record, const QString& serial) {
        json += written++ == 0 ? QStringLiteral("\n    ") : QStringLiteral(",\n    ");
        appendTest(json, record, serial, lookup);
        return json.size() < kBlockCharacters || flush();
    });
    if (!readError.isEmpty()) return data::TestsWritten::unread(readError);
    json += QStringLiteral("\n  ]\n}\n");
    flush();
    if (!failed.isEmpty()) return data::TestsWritten::unwritten(failed);
    return data::TestsWritten::written(written);
}

}  // namespace torbex::report
