#include "data/grid_cells.h"

namespace torbex::data {
namespace {

JudgementCell judgement(Verdict verdict, const QString& result) {
    switch (verdict) {
        case Verdict::NotMeasured: return {QStringLiteral("-----"), CellColour::Normal};
        case Verdict::Error: return {QStringLiteral("Err "), CellColour::Red};
        case Verdict::Fail: return {result, CellColour::Red};
        case Verdict::Pass: break;
    }
    return {result, CellColour::Black};
}

}  // namespace

QString verdictWord(Verdict verdict) {
    switch (verdict) {
        case Verdict::Pass: return QStringLiteral("Pass");
        case Verdict::Fail: return QStringLiteral("Fail");
        case Verdict::Error: return QStringLiteral("Error");
        case Verdict::NotMeasured: break;
    }
    return QStringLiteral("--");
}

JudgementCell flowJudgement(const MeasurementRecord& record) {
    return judgement(record.flowVerdict(), record.FlowResult.text());
}

JudgementCell occlusionJudgement(const MeasurementRecord& record) {
    return judgement(record.occlusionVerdict(), record.OcclusionResult.text());
}

CellColour cellColour(const MeasurementRecord& record, int column) {
    if (column == kFlowJudgementColumn) return flowJudgement(record).colour;
    if (column == kOcclusionJudgementColumn) return occlusionJudgement(record).colour;
    return CellColour::Normal;
}

std::array<QString, kGridColumns> gridCellTexts(const MeasurementRecord& record, int row) {
    return {
        recordNumberText(row),
        record.has(RfidPresent) ? record.PumpRfid.text() : QString(),
        record.ManagementNo.text(),
        record.MeasureDate.text(),
        record.MeasureTime.text().left(5),
        record.FlowSetting.text(),
        flowJudgement(record).text,
        record.OcclusionSetting.text(),
        occlusionJudgement(record).text,
    };
}

QString recordNumberText(int row) { return (QStringLiteral("   ") + QString::number(row + 1)).right(4); }

QString countText(int count) { return QString::number(count).rightJustified(6, u' '); }

int gridRowCount(int recordCount) { return recordCount < kMinimumGridRows ? kMinimumGridRows : recordCount + 1; }

int firstVisibleRow(int recordCount) { return recordCount >= kVisibleRows ? recordCount - kVisibleRows : 0; }

}  // namespace torbex::data
