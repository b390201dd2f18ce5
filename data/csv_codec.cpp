#include "data/csv_codec.h"

#include <QIODevice>
#include <QStringList>
#include <QVarLengthArray>

#include "commands/protocol.h"
#include "data/cp932.h"

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

QString judgement(const MeasurementRecord& record, StatusBit measured, StatusBit pass) {
    if (!record.has(measured)) return QStringLiteral("--");
    return record.has(pass) ? kPass : QStringLiteral("Fail");
}

}  // namespace

namespace {

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

std::optional<MeasurementRecord> recordFromFields(const FieldViews& fields) {
    if (fields.isEmpty()) return std::nullopt;
    // Columns 1 to 10; those beyond the line's fields are empty.
    const auto field = [&](int column) { return column <= fields.size() ? fields[column - 1] : QStringView(); };
    const auto trimmed = [&](int column) { return commands::trimSpaces(field(column)); };

    int status = 0;
    if (!trimmed(1).isEmpty()) status += RfidPresent;
    if (trimmed(6) != kNotMeasured) status += FlowMeasured;
    if (trimmed(9) != kNotMeasured) status += OcclusionMeasured;
    if (trimmed(7) == kPass) status += FlowPass;
    if (trimmed(10) == kPass) status += OcclusionPass;

    MeasurementRecord record;
    record.StatusFlags = QString::number(status, 16).toUpper().rightJustified(2, u'0');
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
        judgement(r, FlowMeasured, FlowPass),
        r.OcclusionSetting.text(),
        r.has(OcclusionMeasured) ? r.OcclusionResult.text() : kNotMeasured,
        judgement(r, OcclusionMeasured, OcclusionPass),
    };
    return columns.join(kSeparator);
}

std::optional<QByteArray> csvBytes(const RecordStore& store) {
    QString text = headings().join(kSeparator) + kLineEnd;
    for (int i = 0; i < store.RecordCount; ++i) text += csvRecordLine(store.slot(i)) + kLineEnd;
    return encodeCp932(text);
}

bool writeCsv(QIODevice& device, const RecordStore& store) {
    const std::optional<QByteArray> bytes = csvBytes(store);
    return bytes && device.write(*bytes) == bytes->size();
}

FileOutcome WriteCsvFile(const QString& path, const RecordStore& store) {
    const std::optional<QByteArray> bytes = csvBytes(store);
    if (!bytes) return {QStringLiteral("a record holds a character code page 932 cannot hold")};
    return writeFileAtomically(path, *bytes);
}

std::optional<std::vector<MeasurementRecord>> parseCsv(const QByteArray& bytes) {
    const std::optional<QString> text = decodeCp932(bytes);
    if (!text || text->isEmpty()) return std::nullopt;  // no heading line

    std::vector<MeasurementRecord> records;
    // A line ends at CR LF, CR, or (for files that went through another system's editor) LF.
    // The first line is the heading and is not looked at.
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
        std::optional<MeasurementRecord> record = recordFromFields(*fields);
        if (!record) continue;
        if (static_cast<int>(records.size()) >= RecordStore::kSlots) return std::nullopt;
        records.push_back(std::move(*record));
    }
    return records;
}

FileOutcome ReadCsvFile(const QString& path, RecordStore& store) {
    const FileBytes file = readRegularFile(path, kMaxDataFileBytes);
    if (!file.ok()) return {file.error};
    const auto records = parseCsv(file.bytes);
    if (!records) return {QStringLiteral("not a data file")};
    for (std::size_t i = 0; i < records->size(); ++i) store.slot(static_cast<int>(i)) = (*records)[i];
    store.RecordCount = static_cast<std::int16_t>(records->size());
    return {};
}

}  // namespace torbex::data
