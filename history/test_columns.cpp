#include "history/test_columns.h"

#include "commands/plain_text.h"
#include "data/record_texts.h"

namespace torbex::history {
namespace {

QString trimmed(const QString& text) { return commands::trimSpaces(text).toString(); }

int withoutIdlePass(int status, data::StatusBit measured, data::StatusBit pass) {
    return (status & measured) == 0 ? status & ~pass : status;
}

}  // namespace

TestColumns testColumns(const data::MeasurementRecord& record) {
    const data::Measurement& v = record.values;
    TestColumns row;
    row.rfid = record.rfid();
    // The dates sort as text; one that is no date is kept as the tester gave it.
    row.measureDate = v.date.isValid() ? data::measureDateText(v.date).replace(u'/', u'-') : trimmed(record.MeasureDate.text());
    row.measureTime = v.time.isValid() ? data::measureTimeText(v.time) : trimmed(record.MeasureTime.text());
    row.status = withoutIdlePass(record.status, data::FlowMeasured, data::FlowPass);
    row.status = withoutIdlePass(row.status, data::OcclusionMeasured, data::OcclusionPass);
    row.flowSetting = v.flowSetting.value_or(0);
    row.flowResult = record.flowResult();
    row.occlusionLevel =
        v.occlusionLevel ? data::occlusionLevelLetter(*v.occlusionLevel) : trimmed(record.OcclusionSetting.text());
    row.occlusionResult = record.occlusionResult();
    return row;
}

data::MeasurementRecord recordOfColumns(const TestColumns& columns, const QString& managementNo) {
    data::MeasurementRecord record;
    record.status = static_cast<std::uint8_t>(columns.status);
    record.PumpRfid = columns.rfid;
    record.ManagementNo = managementNo;
    // Kept as yyyy-MM-dd, so that dates sort as text.
    const QDate date = data::measureDateOf(QString(columns.measureDate).replace(u'-', u'/'));
    const QTime time = data::measureTimeOf(columns.measureTime);
    record.MeasureDate = date.isValid() ? data::measureDateText(date) : columns.measureDate;
    record.MeasureTime = columns.measureTime;
    record.values = {date, time, columns.flowSetting, columns.flowResult,
                     data::occlusionLevelFromLetter(columns.occlusionLevel), columns.occlusionResult};
    data::setNumberTexts(record);
    if (!record.values.occlusionLevel) record.OcclusionSetting = columns.occlusionLevel;
    return record;
}

}  // namespace torbex::history
