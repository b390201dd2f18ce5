#pragma once

#include <QDate>
#include <QString>
#include <utility>
#include <vector>

#include "history/register_fields.h"

namespace torbex::app::texts {

// The register's tabs and their words.
inline const QString kRegisterTab = QStringLiteral("台　帳");
inline const QString kWorklistTab = QStringLiteral("点検予定");
inline const QString kAuditTab = QStringLiteral("変更履歴");
inline const QString kTestsTab = QStringLiteral("試験履歴");
inline const QString kEditPumpButton = QStringLiteral("編　集");
inline const QString kPumpTitle = QStringLiteral("シリンジポンプ台帳");
inline const QString kWithinDaysLabel = QStringLiteral("期限まで（日）");
inline const QString kDepartmentLabel = QStringLiteral("部署");
inline const QString kInService = QStringLiteral("使用中");
inline const QString kRetired = QStringLiteral("廃棄");
inline const QString kPrintWorklistButton = QStringLiteral("点検予定表");
inline const QString kNoPumpChosen = QStringLiteral("台帳の行を選択して下さい。");
inline const QString kModelsTab = QStringLiteral("機種別点検間隔");
inline const QString kIntervalHeading = QStringLiteral("点検間隔（月）");
inline const QString kDefaultInterval = QStringLiteral("既定");
inline const QString kSetModelButton = QStringLiteral("設　定");
inline const QString kNoModelNamed = QStringLiteral("メーカーと機種を入力して下さい。");

inline const QString kRegisterImportButton = QStringLiteral("CSV読込");
inline const QString kRegisterExportButton = QStringLiteral("CSV保存");
inline const QString kCmmsExportButton = QStringLiteral("保守システム出力");
inline const QString kBackupButton = QStringLiteral("バックアップ");
inline const QString kRestoreButton = QStringLiteral("復元");
inline const QString kRestoreTitle = QStringLiteral("履歴の復元");
inline const QString kRestoreQuestion =
    QStringLiteral("履歴をバックアップの内容に置き換えます。現在の履歴は、元のファイルの横に保存されます。よろしいですか？");
inline QString restored(const QString& keptAt) {
    return QStringLiteral("履歴を復元しました。\n復元前の履歴：%1").arg(keptAt);
}
inline QString restoreFailed(const QString& why, const QString& keptAt) {
    QString text = QStringLiteral("履歴を復元できませんでした。\n（%1）").arg(why);
    if (!keptAt.isEmpty()) text += QStringLiteral("\n復元前の履歴：%1").arg(keptAt);
    return text;
}
inline const QString kRegisterImportTitle = QStringLiteral("台帳読込");
inline const QString kRegisterExportTitle = QStringLiteral("台帳保存");
inline const QString kCmmsExportTitle = QStringLiteral("保守システム出力");
inline const QString kBackupTitle = QStringLiteral("履歴のバックアップ");
inline const QString kRegisterFilePrefix = QStringLiteral("台帳");
inline const QString kCmmsFilePrefix = QStringLiteral("保守システム出力");
inline const QString kBackupFilePrefix = QStringLiteral("履歴バックアップ");

// A file name from what it holds and today's date: 台帳_20261207.csv.
inline QString datedFileName(const QString& prefix, const QDate& today, const char16_t* suffix) {
    return QStringLiteral("%1_%2.%3").arg(prefix, today.toString(QStringLiteral("yyyyMMdd")), QString::fromUtf16(suffix));
}

// A register file with failing lines: nothing is taken, and the first lines are named.
inline QString registerFileRefused(const std::vector<std::pair<int, QString>>& lines) {
    QString text = QStringLiteral("台帳ファイルに誤りがあるため、読み込みませんでした。");
    constexpr std::size_t kShown = 10;
    for (std::size_t i = 0; i < lines.size() && i < kShown; ++i)
        text += lines[i].first > 0 ? QStringLiteral("\n%1行目：%2").arg(lines[i].first).arg(lines[i].second)
                                   : QStringLiteral("\n%1").arg(lines[i].second);
    if (lines.size() > kShown) text += QStringLiteral("\nほか%1行").arg(lines.size() - kShown);
    return text;
}
inline QString registerImported(int pumps, int changed) {
    return QStringLiteral("台帳を読み込みました。（%1台、うち変更%2台）").arg(pumps).arg(changed);
}

// A register field as the window names it.
inline QString fieldLabel(const QString& field) {
    if (field == u"number") return QStringLiteral("管理番号");
    if (field == u"maker") return QStringLiteral("メーカー");
    if (field == u"model") return QStringLiteral("機種");
    if (field == u"serial") return QStringLiteral("製造番号");
    if (field == u"department") return QStringLiteral("部署");
    if (field == u"location") return QStringLiteral("設置場所");
    if (field == u"status") return QStringLiteral("状態");
    return field == u"notes" ? QStringLiteral("備考") : field;
}

// Why a value cannot go into a field, in the window's words.
inline QString fieldProblemMessage(const QString& field, history::FieldProblem problem) {
    switch (problem) {
        case history::FieldProblem::ManagementNumber:
        case history::FieldProblem::Status: break;
        case history::FieldProblem::Characters:
            return QStringLiteral("%1に制御文字は使用できません。").arg(fieldLabel(field));
        case history::FieldProblem::Length:
            return QStringLiteral("%1は、%2文字以内で入力して下さい。").arg(fieldLabel(field)).arg(history::fieldLimit(field));
    }
    return QStringLiteral("%1の値が正しくありません。").arg(fieldLabel(field));
}

}  // namespace torbex::app::texts
