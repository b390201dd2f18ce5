#pragma once

#include <QColor>
#include <array>

#include "data/grid_cells.h"
#include "data/ui_text.h"

namespace torbex::report {

// The report's A4 page as laid out, in points (1/72 inch), apart from the code that draws it.
inline constexpr double kPageWidth = 595, kPageHeight = 842, kMargin = 40;
inline constexpr double kContentWidth = kPageWidth - 2 * kMargin;
inline constexpr double kRowHeight = 13, kHeadingRowHeight = 26;
inline constexpr double kChartHeight = 230, kSignatureHeight = 90, kFooterHeight = 24;
inline constexpr double kFirstPageHeading = 150, kRunningHeading = 30;
inline constexpr double kLineHeight = 14;
inline constexpr int kPumpDetailLines = 2;  // the register's details on a pump's report
// The band above each pump's tests in a report on many pumps: its three lines of details.
inline constexpr double kBandLineHeight = 12, kBandHeight = 3 * kBandLineHeight + 6;

// The table: the grid's columns, then the verdicts in words (flow, occlusion, the test as a whole),
// so that a verdict survives a black-and-white printer. Widths in points: an RFID's sixteen
// digits and a date whole, each verdict word on one line.
inline constexpr int kVerdictColumns = 3;
inline constexpr int kTableColumns = data::kGridColumns + kVerdictColumns;
inline constexpr std::array<double, kTableColumns> kColumnShares{24, 86, 55, 54, 35, 38, 48, 34, 48, 31, 31, 31};
// The table's headings: the grid's, with the pressure's unit written as SI writes it, then the
// verdicts.
inline constexpr std::array<UiText, kTableColumns> kTableHeadings{{
    {QT_TRANSLATE_NOOP("Texts", "N0.")},
    {QT_TRANSLATE_NOOP("Texts", "シリンジポンプRFID")},
    {QT_TRANSLATE_NOOP("Texts", "管理番号")},
    {QT_TRANSLATE_NOOP("Texts", "測定日")},
    {QT_TRANSLATE_NOOP("Texts", "測定時刻")},
    {QT_TRANSLATE_NOOP("Texts", "流量設定 (ml/h)")},
    {QT_TRANSLATE_NOOP("Texts", "流量測定結果 (%)")},
    {QT_TRANSLATE_NOOP("Texts", "閉塞設定")},
    {QT_TRANSLATE_NOOP("Texts", "閉塞測定結果 (kPa)")},
    {QT_TRANSLATE_NOOP("Texts", "流量判定")},
    {QT_TRANSLATE_NOOP("Texts", "閉塞判定")},
    {QT_TRANSLATE_NOOP("Texts", "総合判定")}}};

inline const QColor kHeadingGreen(192, 255, 192);
inline const QColor kStripeGreen(224, 255, 224);
inline const QColor kRuleGreen(0xB0, 0xD0, 0xB0);
inline const QColor kBandGrey(0xEE, 0xEE, 0xEE);
inline const QColor kJudgementRed(255, 0, 0);

}  // namespace torbex::report
