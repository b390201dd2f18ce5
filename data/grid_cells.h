#pragma once

#include <QString>
#include <array>

#include "data/measurement_record.h"
#include "data/ui_text.h"

namespace torbex::data {

inline constexpr int kGridColumns = 9;
inline constexpr int kManagementNoColumn = 2;
inline constexpr int kFlowJudgementColumn = 6;
inline constexpr int kOcclusionJudgementColumn = 8;
// Rows in view in the data grid.
inline constexpr int kVisibleRows = 20;
// The grid shows at least this many (striped) rows.
inline constexpr int kMinimumGridRows = 200;

// The headings above the grid's columns.
inline constexpr std::array<UiText, kGridColumns> kGridHeadings{{
    {QT_TRANSLATE_NOOP("Texts", "N0.")},
    {QT_TRANSLATE_NOOP("Texts", "シリンジポンプRFID")},
    {QT_TRANSLATE_NOOP("Texts", "管理番号")},
    {QT_TRANSLATE_NOOP("Texts", "測定日")},
    {QT_TRANSLATE_NOOP("Texts", "測定時刻")},
    {QT_TRANSLATE_NOOP("Texts", "流量設定 (ml/h)")},
    {QT_TRANSLATE_NOOP("Texts", "流量測定結果 (%)")},
    {QT_TRANSLATE_NOOP("Texts", "閉塞設定")},
    {QT_TRANSLATE_NOOP("Texts", "閉塞測定結果 (kpa)")}}};

// How a judgement cell's text is coloured; the grid's normal colour, or red or black.
enum class CellColour { Normal, Red, Black };

struct JudgementCell {
    QString text;
    CellColour colour = CellColour::Normal;
};

// A verdict as the lists of tests show it: "Pass", "Fail", "Error" or "--".
QString verdictWord(Verdict verdict);

JudgementCell flowJudgement(const MeasurementRecord& record);
JudgementCell occlusionJudgement(const MeasurementRecord& record);

// The colour of a cell's text in a record's row: the judgement cells' own, the others normal.
CellColour cellColour(const MeasurementRecord& record, int column);

// The nine texts that data-grid row `row` shows for a record, exactly as the grid holds them.
std::array<QString, kGridColumns> gridCellTexts(const MeasurementRecord& record, int row);

// "   1" .. "9999", then the last four digits ("0000" for 10000).
QString recordNumberText(int row);
// The record count right-aligned in six characters.
QString countText(int count);
int gridRowCount(int recordCount);
int firstVisibleRow(int recordCount);

}  // namespace torbex::data
