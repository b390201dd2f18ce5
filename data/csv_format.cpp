#include "data/csv_format.h"

#include <QIODevice>
#include <QStringList>

#include "commands/plain_text.h"
#include "data/cp932.h"
#include "data/csv_line.h"
#include "data/record_store.h"
#include "data/record_texts.h"

namespace torbex::data {
namespace {

const QString kSeparator = QStringLiteral(", ");
const QString kLineEnd = QStringLiteral("\r\n");

// Pass only for a measurement that passed: one that ended in error is written as failed, never
// as passed, whatever the tester's pass flag says beside the error.
QString judgement(Verdict verdict) {
    switch (verdict) {
        case Verdict::NotMeasured: return kNoJudgement;
        case Verdict::Pass: return kPass;
        case Verdict::Error:
        case Verdict::Fail: break;
    }
    return kFail;
}

MeasurementRecord recordFromFields(const CsvFields& fields) {
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
    // The values of the texts as the record holds them, so that the window and every other
    // surface read the same test.
    record.values = valuesOfTexts(record);
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
    QString text = csvHeadingLine() + kLineEnd;
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

std::variant<DataFileContents, DataFileRefusal> readDataFile(const QByteArray& bytes) {
    const std::optional<QString> text = decodeCp932(bytes);
    if (!text) return DataFileRefusal{DataFileError::NotCp932, 0};
    if (text->isEmpty()) return DataFileRefusal{DataFileError::NoHeading, 0};

    DataFileContents contents;
    // A line ends at CR LF, CR, or (for files that went through another system's editor) LF.
    int lineNumber = 0;
    for (qsizetype start = 0; start < text->size();) {
        qsizetype end = start;
        while (end < text->size() && (*text)[end] != u'\r' && (*text)[end] != u'\n') ++end;
        const QStringView line = QStringView(*text).mid(start, end - start);
        start = end + ((end + 1 < text->size() && (*text)[end] == u'\r' && (*text)[end + 1] == u'\n') ? 2 : 1);
        if (++lineNumber == 1) {
            // Not looked at for showing; an import takes only the heading this program writes.
            if (line != csvHeadingLine()) contents.problems.push_back({1, LineFault::Heading});
            continue;
        }
        const std::optional<CsvFields> fields = splitCsvLine(line);
        if (!fields) return DataFileRefusal{DataFileError::TooManyFields, lineNumber};
        if (fields->isEmpty()) continue;
        if (static_cast<int>(contents.records.size()) >= RecordStore::kCapacity)
            return DataFileRefusal{DataFileError::TooManyRecords, lineNumber};
        contents.records.push_back(recordFromFields(*fields));
        contents.recordLines.push_back(lineNumber);
        if (const std::optional<LineFault> fault = lineFault(*fields)) contents.problems.push_back({lineNumber, *fault});
    }
    return contents;
}

std::optional<std::vector<MeasurementRecord>> parseCsv(const QByteArray& bytes) {
    auto read = readDataFile(bytes);
    if (auto* contents = std::get_if<DataFileContents>(&read)) return std::move(contents->records);
    return std::nullopt;
}

std::optional<std::vector<MeasurementRecord>> CsvReader::read(QIODevice& device) {
    auto read = readDataFile(device.readAll());
    if (const auto* refusal = std::get_if<DataFileRefusal>(&read)) {
        m_contents = {};
        setErrorString(describe(*refusal));
        return std::nullopt;
    }
    m_contents = std::move(std::get<DataFileContents>(read));
    return m_contents.records;
}

QString describe(const DataFileRefusal& refusal) {
    switch (refusal.error) {
        case DataFileError::NotCp932: return QStringLiteral("not a data file: not text in code page 932");
        case DataFileError::NoHeading: return QStringLiteral("not a data file: empty, without a heading line");
        case DataFileError::TooManyFields:
            return QStringLiteral("not a data file: line %1 has more than %2 fields").arg(refusal.line).arg(kMaxCsvFields);
        case DataFileError::TooManyRecords:
            return QStringLiteral("too many records: a data file holds at most %1").arg(RecordStore::kCapacity);
    }
    return {};
}

}  // namespace torbex::data
