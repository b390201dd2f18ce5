#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <vector>

#include "data/csv_format.h"
#include "workflow/shared_texts.h"
#include "data/ui_text.h"

// Every text the operator reads in a message box, in one place.
namespace torbex::app::texts {

// Titles
inline constexpr UiText kConfirm{QT_TRANSLATE_NOOP("Texts", "確認")};
inline constexpr UiText kError{QT_TRANSLATE_NOOP("Texts", "エラー")};
inline constexpr UiText kSettingsFileError{QT_TRANSLATE_NOOP("Texts", "ファイル異常")};
inline constexpr UiText kInvalidInput{QT_TRANSLATE_NOOP("Texts", "入力値異常")};

// Start-up and Setting.ini
inline constexpr UiText kSettingsUnreadable{QT_TRANSLATE_NOOP("Texts", "設定ファイルが読込みできません。初期化します。")};
inline constexpr UiText kSettingsUnwritable{QT_TRANSLATE_NOOP("Texts", "設定ファイルが書込みできません。　本プログラムを終了します。")};
inline constexpr UiText kCodecMissing{QT_TRANSLATE_NOOP("Texts", "文字コード(CP932)が使用できません。本プログラムを終了します。")};

// Data page
inline constexpr UiText kSaveDialogTitle{QT_TRANSLATE_NOOP("Texts", "ファイル保存")};
inline constexpr UiText kUnsavedQuestion{QT_TRANSLATE_NOOP("Texts", "データが保存されていませんがよろしいですか？")};
inline constexpr UiText kSaveHint{QT_TRANSLATE_NOOP("Texts", "「ファイル保存」で保存してください。")};
inline constexpr UiText kNotConnected{QT_TRANSLATE_NOOP("Texts", "トルベックスが接続されていません")};
inline constexpr UiText kLoadDone{QT_TRANSLATE_NOOP("Texts", "読み込みが正常に終了しました。")};
inline constexpr UiText kClearTesterQuestion{QT_TRANSLATE_NOOP("Texts", "トルベックスのデータもクリアしますか？")};
inline constexpr UiText kOverwriteQuestion{QT_TRANSLATE_NOOP("Texts", "既に同名のファイルが存在します。上書きしますか？")};
inline constexpr UiText kWriteDone{QT_TRANSLATE_NOOP("Texts", "書き込みが正常に終了しました。")};
inline constexpr UiText kWriteFailed{QT_TRANSLATE_NOOP("Texts", "書き込みできませんでした。")};
inline constexpr UiText kReadDone{QT_TRANSLATE_NOOP("Texts", "読み出しが正常に終了しました。")};
inline constexpr UiText kReadFailed{QT_TRANSLATE_NOOP("Texts", "読み出しできませんでした。")};
inline constexpr UiText kNoRecordInRow{QT_TRANSLATE_NOOP("Texts", "データがない行は入力できません。")};

// Download progress
inline constexpr UiText kDownloadTitle{QT_TRANSLATE_NOOP("Texts", "データ読込")};
inline constexpr UiText kDownloadCancel{QT_TRANSLATE_NOOP("Texts", "中止")};
inline QString downloadProgress(int slot, int slots, int records) {
    return Texts::tr("トルベックスからデータを読み込んでいます。\n%1／%2　（データ件数：%3）").arg(slot).arg(slots).arg(records);
}
inline constexpr UiText kCancelDownloadQuestion{QT_TRANSLATE_NOOP("Texts", "データ読込中です。中止しますか？")};
inline constexpr UiText kDownloadCancelled{QT_TRANSLATE_NOOP("Texts", "データ読込を中止しました。")};

// Settings page, clock and factory page
using workflow::texts::kFlowRateRange;
// A level's pressure range as the settings page shows it ("53～80"), with the interface's dash.
inline QString rangeShown(QString range) { return range.replace(u'～', Texts::tr("～")); }
inline QString clockQuestion(const QDateTime& localTime) {
    return Texts::tr("トルベックスに現在時刻を設定します。よろしいですか？\n") +
           localTime.toString(QStringLiteral("yyyy MM/dd HH:mm"));
}
inline constexpr UiText kCoefficientRange{QT_TRANSLATE_NOOP("Texts", "校正係数は、単精度の数値で表せる範囲で入力して下さい。")};
inline constexpr UiText kSerialCharacters{QT_TRANSLATE_NOOP("Texts", "シリアル番号は、半角英数字・記号で入力して下さい。")};

// History and registry
inline constexpr UiText kHistoryButton{QT_TRANSLATE_NOOP("Texts", "履　歴")};
inline constexpr UiText kHistoryTitle{QT_TRANSLATE_NOOP("Texts", "試験履歴")};
inline constexpr UiText kHistoryFilterLabel{QT_TRANSLATE_NOOP("Texts", "絞り込み")};
inline constexpr UiText kHistoryFilterHint{QT_TRANSLATE_NOOP("Texts", "RFID・管理番号・日付の一部")};
inline constexpr UiText kCloseButton{QT_TRANSLATE_NOOP("Texts", "閉じる")};
inline constexpr UiText kOverdueOnly{QT_TRANSLATE_NOOP("Texts", "期限切れのみ")};
// The history window's trend chart.
inline constexpr UiText kTrendHint{QT_TRANSLATE_NOOP("Texts", "ポンプを選ぶと、その試験の推移を表示します。")};
inline constexpr UiText kTrendFlowBand{QT_TRANSLATE_NOOP("Texts", "流量の目安")};
inline constexpr UiText kTrendFlow{QT_TRANSLATE_NOOP("Texts", "流量測定結果 (%)")};
inline constexpr UiText kTrendFailed{QT_TRANSLATE_NOOP("Texts", "不合格")};
inline constexpr UiText kTrendError{QT_TRANSLATE_NOOP("Texts", "エラー")};
inline QString trendOcclusionBand(const QString& level) { return Texts::tr("閉塞圧力の範囲 %1").arg(level); }
inline QString trendOcclusion(const QString& level) { return Texts::tr("閉塞測定結果 %1 (kPa)").arg(level); }
// Tooltips that name the keys of the buttons whose captions stay as they are.
inline constexpr UiText kLoadKeyTip{QT_TRANSLATE_NOOP("Texts", "テスターからデータを読み込みます（F5）")};
inline constexpr UiText kSaveKeyTip{QT_TRANSLATE_NOOP("Texts", "データをファイルに保存します（Ctrl+S）")};
inline constexpr UiText kCloseKeyTip{QT_TRANSLATE_NOOP("Texts", "履歴を閉じます（Esc）")};
inline QString historyUnavailable(const QString& reason) {
    return Texts::tr("履歴データベースを開けません。試験の履歴は記録されません。\n（%1）").arg(reason);
}
inline QString historyNotUpdated(const QString& reason) {
    return Texts::tr("履歴を更新できませんでした。データは保存できます。\n（%1）").arg(reason);
}
inline QString intervalUnusable(const QString& reason) {
    return Texts::tr("点検間隔の設定を使えません。次回点検日は最終試験の12か月後として表示します。\n（%1）").arg(reason);
}
inline QString historyUnreadable(const QString& reason) { return Texts::tr("履歴を読み出せませんでした。\n（%1）").arg(reason); }
inline QString numberNotRegistered(const QString& reason) {
    return Texts::tr("管理番号を登録できませんでした。\n（%1）").arg(reason);
}
// The lines of a file read whose numbers the registry did not take, and why.
QString numbersNotLearnt(const std::vector<data::LineProblem>& skipped);
inline QString numberConflictQuestion(const QString& rfid, const QString& registered, const QString& inFile) {
    return Texts::tr("管理番号が登録と異なります。\nRFID：%1\n登録：%2\nファイル：%3\n登録をファイルの管理番号に変更しますか？")
        .arg(rfid, registered, inFile);
}

// Reports
inline constexpr UiText kReportButton{QT_TRANSLATE_NOOP("Texts", "報告書")};
inline constexpr UiText kReportDialogTitle{QT_TRANSLATE_NOOP("Texts", "報告書保存")};
inline constexpr UiText kNoRecordsForReport{QT_TRANSLATE_NOOP("Texts", "報告書にするデータがありません。")};
inline constexpr UiText kInspectorTitle{QT_TRANSLATE_NOOP("Texts", "点検者")};
inline constexpr UiText kInspectorPrompt{QT_TRANSLATE_NOOP("Texts", "報告書に記載する点検者名を入力して下さい。")};
inline QString reportFileName(const QDate& today) { return Texts::tr("点検報告書_%1.pdf").arg(today.toString(QStringLiteral("yyyyMMdd"))); }
// A pump's report is named by its management number, or its RFID when it has none; characters a
// file name cannot hold become "_".
inline QString pumpReportFileName(const QString& numberOrRfid, const QDate& today) {
    QString name = numberOrRfid;
    for (QChar& c : name)
        if (QStringLiteral("\\/:*?\"<>|").contains(c) || c.isSpace()) c = u'_';
    return Texts::tr("点検報告書_%1_%2.pdf").arg(name, today.toString(QStringLiteral("yyyyMMdd")));
}
inline QString worklistFileName(const QDate& today) { return Texts::tr("点検予定表_%1.pdf").arg(today.toString(QStringLiteral("yyyyMMdd"))); }

// Management number editor
using workflow::texts::managementNumberMessage;

}  // namespace torbex::app::texts
