#include "data/csv_codec.h"

#include <QFile>
#include <QSaveFile>

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

std::optional<QStringList> SplitCsvLine(const QString& line) {
    QStringList fields;
    QString current;
    for (QChar c : line) {
        if (c != u',') {
            current.append(c);
            continue;
        }
        if (fields.size() >= kMaxCsvFields) return std::nullopt;
        fields.append(current);
        current.clear();
    }
    if (!current.isEmpty()) {
        if (fields.size() >= kMaxCsvFields) return std::nullopt;
        fields.append(current);
    }
    return fields;
}

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

std::optional<MeasurementRecord> recordFromCsvFields(const QStringList& fields) {
    if (fields.isEmpty()) return std::nullopt;
    // Columns 1 to 10; those beyond the line's fields are empty.
    const auto field = [&](int column) { return column <= fields.size() ? fields[column - 1] : QString(); };
    const auto trimmed = [&](int column) {
        QString text = field(column);
        qsizetype first = 0;
        qsizetype last = text.size();
        while (first < last && text[first] == u' ') ++first;
        while (last > first && text[last - 1] == u' ') --last;
        return text.mid(first, last - first);
    };

    int status = 0;
    if (!trimmed(1).isEmpty()) status += RfidPresent;
    if (trimmed(6) != kNotMeasured) status += FlowMeasured;
    if (trimmed(9) != kNotMeasured) status += OcclusionMeasured;
    if (trimmed(7) == kPass) status += FlowPass;
    if (trimmed(10) == kPass) status += OcclusionPass;

    MeasurementRecord record;
    record.StatusFlags = QString::number(status, 16).toUpper().rightJustified(2, u'0');
    record.PumpRfid = trimmed(1);
    record.ManagementNo = trimmed(2);
    record.MeasureDate = trimmed(3);
    record.MeasureTime = trimmed(4);
    record.FlowSetting = trimmed(5);
    // Not trimmed: the right alignment survives.
    record.FlowResult = field(6).right(6);
    record.OcclusionSetting = trimmed(8);
    record.OcclusionResult = trimmed(9);
    return record;
}

bool writeCsv(QIODevice& device, const RecordStore& store) {
    QString text = headings().join(kSeparator) + kLineEnd;
    for (int i = 0; i < store.RecordCount; ++i) text += csvRecordLine(store.slot(i)) + kLineEnd;
    const std::optional<QByteArray> bytes = encodeCp932(text);
    if (!bytes) return false;
    return device.write(*bytes) == bytes->size();
}

bool WriteCsvFile(const QString& path, const RecordStore& store) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!writeCsv(file, store)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::optional<std::vector<MeasurementRecord>> parseCsv(const QByteArray& bytes) {
    const std::optional<QString> text = decodeCp932(bytes);
    if (!text || text->isEmpty()) return std::nullopt;  // no heading line

    // A line ends at CR LF, CR, or (for files that went through another system's editor) LF.
    QString normalised = *text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');
    QStringList lines = normalised.split(u'\n');
    if (lines.last().isEmpty()) lines.removeLast();
    if (lines.isEmpty()) return std::nullopt;

    std::vector<MeasurementRecord> records;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const std::optional<QStringList> fields = SplitCsvLine(lines[i]);
        if (!fields) return std::nullopt;
        std::optional<MeasurementRecord> record = recordFromCsvFields(*fields);
        if (!record) continue;
        if (static_cast<int>(records.size()) >= RecordStore::kSlots) return std::nullopt;
        records.push_back(std::move(*record));
    }
    return records;
}

bool ReadCsvFile(const QString& path, RecordStore& store) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    const auto records = parseCsv(bytes);
    if (!records) return false;
    for (std::size_t i = 0; i < records->size(); ++i) store.slot(static_cast<int>(i)) = (*records)[i];
    store.RecordCount = static_cast<std::int16_t>(records->size());
    return true;
}

}  // namespace torbex::data
