#pragma once

#include <QColor>
#include <QString>
#include <array>

#include "data/measurement_record.h"

namespace torbex::data {

inline constexpr int kGridColumns = 9;
inline constexpr int kManagementNoColumn = 2;
inline constexpr int kFlowJudgementColumn = 6;
inline constexpr int kOcclusionJudgementColumn = 8;
// Rows in view in the data grid.
inline constexpr int kVisibleRows = 20;
// The grid shows at least this many (striped) rows.
inline constexpr int kMinimumGridRows = 200;

struct GridColumn {
    const char16_t* heading;
    int headingWidthTwips;
    int dataWidthTwips;
};
inline constexpr std::array<GridColumn, kGridColumns> kGridColumnTable{{
    {u"N0.", 800, 800},
    {u"シリンジポンプRFID", 2400, 2400},
    {u"管理番号", 1800, 1800},
    {u"測定日", 1400, 1400},
    {u"測定時刻", 1300, 1300},
    {u"流量設定 (ml/h)", 1500, 1500},
    {u"流量測定結果 (%)", 1600, 1600},
    {u"閉塞設定", 1200, 1200},
    {u"閉塞測定結果 (kpa)", 1800, 1600},
}};

inline const QColor kHeadingGreen{192, 255, 192};
inline const QColor kStripeGreen{224, 255, 224};
inline const QColor kJudgementRed{255, 0, 0};
inline const QColor kJudgementBlack{0, 0, 0};

enum class CellColour { Normal, Red, Black };

struct JudgementCell {
    QString text;
    CellColour colour = CellColour::Normal;
};

// A verdict as the lists of tests show it: "Pass", "Fail", "Error" or "--".
QString verdictWord(Verdict::Result result);

JudgementCell flowJudgement(const MeasurementRecord& record);
JudgementCell occlusionJudgement(const MeasurementRecord& record);

// The nine texts that data-grid row `row` shows for a record, exactly as the grid holds them.
std::array<QString, kGridColumns> gridCellTexts(const MeasurementRecord& record, int row);

// "   1" .. "9999", then the last four digits ("0000" for 10000).
QString recordNumberText(int row);
// The record count right-aligned in six characters.
QString countText(int count);
int gridRowCount(int recordCount);
int firstVisibleRow(int recordCount);

}  // namespace torbex::data
