#include "data/csv_format.h"

#include <QIODevice>
#include <QStringList>
#include <QVarLengthArray>

#include "commands/protocol.h"
#include "data/cp932.h"
#include "data/record_store.h"

namespace torbex::data {
namespace {

const QString kSeparator = QStringLiteral(", ");
const QString kLineEnd = QStringLiteral("\r\n");
const QString kNotMeasured = QStringLiteral("------");
const QString kPass = QStringLiteral("Pass");

const QStringList& headings() {
    static const QStringList texts{
        QStringLiteral("ｼﾘﾝｼﾞﾎﾟﾝﾌﾟRFID"), QStringLiteral("管理番号"),       QStringLiteral("測定日"),
        QStringLiteral("測定時刻"),         QStringLiteral("流量設定(ml/h)"), QStringLiteral("流量測定結果(%)"),
        QStringLiteral("流量測定判定"),     QStringLiteral("閉塞設定"),       QStringLiteral("閉塞測定結果(kpa)"),
        QStringLiteral("閉塞測定判定")};
    return texts;
}

// The file keeps the tester's pass flag as it is; an error shows only in the window.
QString judgement(const Verdict& verdict) {
    if (!verdict.measured) return QStringLiteral("--");
    return verdict.passFlag ? kPass : QStringLiteral("Fail");
}

using FieldViews = QVarLengthArray<QStringView, kMaxCsvFields>;

// The fields of a line as views into it, so reading a large file copies each text once.
std::optional<FieldViews> splitFields(QStringView line) {
    FieldViews fields;
    qsizetype start = 0;
    for (qsizetype comma = line.indexOf(u','); comma >= 0; comma = line.indexOf(u',', start)) {
        if (fields.size() >= kMaxCsvFields) return std::nullopt;
        fields.append(line.mid(start, comma - start));
        start = comma + 1;
    }
    if (start < line.size()) {
        if (fields.size() >= kMaxCsvFields) return std::nullopt;
        fields.append(line.mid(start));
    }
    return fields;
}

MeasurementRecord recordFromFields(const FieldViews& fields) {
    // Columns 1 to 10; those beyond the line's fields are empty.
    const auto field = [&](int column) { return column <= fields.size() ? fields[column - 1] : QStringView(); };
    const auto trimmed = [&](int column) { return commands::trimSpaces(field(column)); };

    MeasurementRecord record;
    if (!trimmed(1).isEmpty()) record.status |= RfidPresent;
    if (trimmed(6) != kNotMeasured) record.status |= FlowMeasured;
    if (trimmed(9) != kNotMeasured) record.status |= OcclusionMeasured;
    if (trimmed(7) == kPass) record.status |= FlowPass;
    if (trimmed(10) == kPass) record.status |= OcclusionPass;
    record.PumpRfid = trimmed(1).toString();
    record.ManagementNo = trimmed(2).toString();
    record.MeasureDate = trimmed(3).toString();
    record.MeasureTime = trimmed(4).toString();
    record.FlowSetting = trimmed(5).toString();
    // Not trimmed: the right alignment survives.
    record.FlowResult = field(6).right(6).toString();
    record.OcclusionSetting = trimmed(8).toString();
    record.OcclusionResult = trimmed(9).toString();
    return record;
}

}  // namespace

QString csvRecordLine(const MeasurementRecord& r) {
    const QStringList columns{
        r.has(RfidPresent) ? r.PumpRfid.text() : QString(16, u' '),
        r.ManagementNo.text(),
        r.MeasureDate.text(),
        r.MeasureTime.text(),
        r.FlowSetting.text(),
        r.has(FlowMeasured) ? r.FlowResult.text() : kNotMeasured,
        judgement(r.flowVerdict()),
        r.OcclusionSetting.text(),
        r.has(OcclusionMeasured) ? r.OcclusionResult.text() : kNotMeasured,
        judgement(r.occlusionVerdict()),
    };
    return columns.join(kSeparator);
}

std::optional<QByteArray> csvBytes(std::span<const MeasurementRecord> records) {
    QString text = headings().join(kSeparator) + kLineEnd;
    for (const MeasurementRecord& record : records) text += csvRecordLine(record) + kLineEnd;
    return encodeCp932(text);
}

bool CsvWriter::write(QIODevice& device, std::span<const MeasurementRecord> records) {
    const std::optional<QByteArray> bytes = csvBytes(records);
    if (!bytes) {
        setErrorString(QStringLiteral("a record holds a character code page 932 cannot hold"));
        return false;
    }
    if (device.write(*bytes) != bytes->size()) {
        setErrorString(device.errorString());
        return false;
    }
    return true;
}

std::optional<std::vector<MeasurementRecord>> parseCsv(const QByteArray& bytes) {
    const std::optional<QString> text = decodeCp932(bytes);
    if (!text || text->isEmpty()) return std::nullopt;  // no heading line

    std::vector<MeasurementRecord> records;
    // A line ends at CR LF, CR, or (for files that went through another system's editor) LF.
    bool heading = true;
    for (qsizetype start = 0; start < text->size();) {
        qsizetype end = start;
        while (end < text->size() && (*text)[end] != u'\r' && (*text)[end] != u'\n') ++end;
        const QStringView line = QStringView(*text).mid(start, end - start);
        start = end + ((end + 1 < text->size() && (*text)[end] == u'\r' && (*text)[end + 1] == u'\n') ? 2 : 1);
        if (heading) {
            heading = false;
            continue;
        }
        const std::optional<FieldViews> fields = splitFields(line);
        if (!fields) return std::nullopt;
        if (fields->isEmpty()) continue;
        if (static_cast<int>(records.size()) >= RecordStore::kCapacity) return std::nullopt;
        records.push_back(recordFromFields(*fields));
    }
    return records;
}

std::optional<std::vector<MeasurementRecord>> CsvReader::read(QIODevice& device) {
    auto records = parseCsv(device.readAll());
    if (!records) setErrorString(QStringLiteral("not a data file"));
    return records;
}

}  // namespace torbex::data
