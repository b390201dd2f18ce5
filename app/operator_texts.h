#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <vector>

#include "data/csv_format.h"
#include "workflow/shared_texts.h"

// Every text the operator reads in a message box, in one place.
namespace torbex::app::texts {

// Titles
inline const QString kConfirm = QStringLiteral("確認");
inline const QString kError = QStringLiteral("エラー");
inline const QString kSettingsFileError = QStringLiteral("ファイル異常");
inline const QString kInvalidInput = QStringLiteral("入力値異常");

// Start-up and Setting.ini
inline const QString kSettingsUnreadable = QStringLiteral("設定ファイルが読込みできません。初期化します。");
inline const QString kSettingsUnwritable = QStringLiteral("設定ファイルが書込みできません。　本プログラムを終了します。");
inline const QString kCodecMissing = QStringLiteral("文字コード(CP932)が使用できません。本プログラムを終了します。");

// Data page
inline const QString kSaveDialogTitle = QStringLiteral("ファイル保存");
inline const QString kUnsavedQuestion = QStringLiteral("データが保存されていませんがよろしいですか？");
inline const QString kSaveHint = QStringLiteral("「ファイル保存」で保存してください。");
inline const QString kNotConnected = QStringLiteral("トルベックスが接続されていません");
inline const QString kLoadDone = QStringLiteral("読み込みが正常に終了しました。");
inline const QString kClearTesterQuestion = QStringLiteral("トルベックスのデータもクリアしますか？");
inline const QString kOverwriteQuestion = QStringLiteral("既に同名のファイルが存在します。上書きしますか？");
inline const QString kWriteDone = QStringLiteral("書き込みが正常に終了しました。");
inline const QString kWriteFailed = QStringLiteral("書き込みできませんでした。");
inline const QString kReadDone = QStringLiteral("読み出しが正常に終了しました。");
inline const QString kReadFailed = QStringLiteral("読み出しできませんでした。");
inline const QString kNoRecordInRow = QStringLiteral("データがない行は入力できません。");

// Download progress
inline const QString kDownloadTitle = QStringLiteral("データ読込");
inline const QString kDownloadCancel = QStringLiteral("中止");
inline QString downloadProgress(int slot, int slots, int records) {
    return QStringLiteral("トルベックスからデータを読み込んでいます。\n%1／%2　（データ件数：%3）").arg(slot).arg(slots).arg(records);
}
inline const QString kCancelDownloadQuestion = QStringLiteral("データ読込中です。中止しますか？");
inline const QString kDownloadCancelled = QStringLiteral("データ読込を中止しました。");

// Settings page, clock and factory page
using workflow::texts::kFlowRateRange;
inline QString clockQuestion(const QDateTime& localTime) {
    return QStringLiteral("トルベックスに現在時刻を設定します。よろしいですか？\n") +
           localTime.toString(QStringLiteral("yyyy MM/dd HH:mm"));
}
inline const QString kCoefficientRange = QStringLiteral("校正係数は、単精度の数値で表せる範囲で入力して下さい。");
inline const QString kSerialCharacters = QStringLiteral("シリアル番号は、半角英数字・記号で入力して下さい。");

// History and registry
inline const QString kHistoryButton = QStringLiteral("履　歴");
inline const QString kHistoryTitle = QStringLiteral("試験履歴");
inline const QString kHistoryFilterLabel = QStringLiteral("絞り込み");
inline const QString kHistoryFilterHint = QStringLiteral("RFID・管理番号・日付の一部");
inline const QString kCloseButton = QStringLiteral("閉じる");
inline const QString kOverdueOnly = QStringLiteral("期限切れのみ");
// The history window's trend chart.
inline const QString kTrendHint = QStringLiteral("ポンプを選ぶと、その試験の推移を表示します。");
inline const QString kTrendFlowBand = QStringLiteral("流量の目安");
inline const QString kTrendFlow = QStringLiteral("流量測定結果 (%)");
inline const QString kTrendFailed = QStringLiteral("不合格");
inline const QString kTrendError = QStringLiteral("エラー");
inline QString trendOcclusionBand(const QString& level) { return QStringLiteral("閉塞圧力の範囲 %1").arg(level); }
inline QString trendOcclusion(const QString& level) { return QStringLiteral("閉塞測定結果 %1 (kPa)").arg(level); }
// Tooltips that name the keys of the buttons whose captions stay as they are.
inline const QString kLoadKeyTip = QStringLiteral("テスターからデータを読み込みます（F5）");
inline const QString kSaveKeyTip = QStringLiteral("データをファイルに保存します（Ctrl+S）");
inline const QString kCloseKeyTip = QStringLiteral("履歴を閉じます（Esc）");
inline QString historyUnavailable(const QString& reason) {
    return QStringLiteral("履歴データベースを開けません。試験の履歴は記録されません。\n（%1）").arg(reason);
}
inline QString historyNotUpdated(const QString& reason) {
    return QStringLiteral("履歴を更新できませんでした。データは保存できます。\n（%1）").arg(reason);
}
inline QString intervalUnusable(const QString& reason) {
    return QStringLiteral("点検間隔の設定を使えません。次回点検日は最終試験の12か月後として表示します。\n（%1）").arg(reason);
}
inline QString historyUnreadable(const QString& reason) { return QStringLiteral("履歴を読み出せませんでした。\n（%1）").arg(reason); }
inline QString numberNotRegistered(const QString& reason) {
    return QStringLiteral("管理番号を登録できませんでした。\n（%1）").arg(reason);
}
// The lines of a file read whose numbers the registry did not take, and why.
QString numbersNotLearnt(const std::vector<data::LineProblem>& skipped);
inline QString numberConflictQuestion(const QString& rfid, const QString& registered, const QString& inFile) {
    return QStringLiteral("管理番号が登録と異なります。\nRFID：%1\n登録：%2\nファイル：%3\n登録をファイルの管理番号に変更しますか？")
        .arg(rfid, registered, inFile);
}

// Reports
inline const QString kReportButton = QStringLiteral("報告書");
inline const QString kReportDialogTitle = QStringLiteral("報告書保存");
inline const QString kNoRecordsForReport = QStringLiteral("報告書にするデータがありません。");
inline const QString kInspectorTitle = QStringLiteral("点検者");
inline const QString kInspectorPrompt = QStringLiteral("報告書に記載する点検者名を入力して下さい。");
inline QString reportFileName(const QDate& today) { return QStringLiteral("点検報告書_%1.pdf").arg(today.toString(QStringLiteral("yyyyMMdd"))); }
// A pump's report is named by its management number, or its RFID when it has none; characters a
// file name cannot hold become "_".
inline QString pumpReportFileName(const QString& numberOrRfid, const QDate& today) {
    QString name = numberOrRfid;
    for (QChar& c : name)
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.isSpace()) c = u'_';
    return QStringLiteral("点検報告書_%1_%2.pdf").arg(name, today.toString(QStringLiteral("yyyyMMdd")));
}
inline QString worklistFileName(const QDate& today) { return QStringLiteral("点検予定表_%1.pdf").arg(today.toString(QStringLiteral("yyyyMMdd"))); }

// Management number editor
using workflow::texts::managementNumberMessage;

}  // namespace torbex::app::texts
