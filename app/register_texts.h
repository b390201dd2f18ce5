#pragma once

#include <QDate>
#include <QString>
#include <utility>
#include <vector>

#include "history/register_fields.h"
#include "data/ui_text.h"

namespace torbex::app::texts {

// The register's tabs and their words.
inline constexpr UiText kRegisterTab{QT_TRANSLATE_NOOP("Texts", "台　帳")};
inline constexpr UiText kWorklistTab{QT_TRANSLATE_NOOP("Texts", "点検予定")};
inline constexpr UiText kAuditTab{QT_TRANSLATE_NOOP("Texts", "変更履歴")};
inline constexpr UiText kTestsTab{QT_TRANSLATE_NOOP("Texts", "試験履歴")};
inline constexpr UiText kEditPumpButton{QT_TRANSLATE_NOOP("Texts", "編　集")};
inline constexpr UiText kPumpTitle{QT_TRANSLATE_NOOP("Texts", "シリンジポンプ台帳")};
inline constexpr UiText kWithinDaysLabel{QT_TRANSLATE_NOOP("Texts", "期限まで（日）")};
inline constexpr UiText kDepartmentLabel{QT_TRANSLATE_NOOP("Texts", "部署")};
inline constexpr UiText kInService{QT_TRANSLATE_NOOP("Texts", "使用中")};
inline constexpr UiText kRetired{QT_TRANSLATE_NOOP("Texts", "廃棄")};
inline constexpr UiText kPrintWorklistButton{QT_TRANSLATE_NOOP("Texts", "点検予定表")};
inline constexpr UiText kNoPumpChosen{QT_TRANSLATE_NOOP("Texts", "台帳の行を選択して下さい。")};
inline constexpr UiText kModelsTab{QT_TRANSLATE_NOOP("Texts", "機種別点検間隔")};
inline constexpr UiText kIntervalHeading{QT_TRANSLATE_NOOP("Texts", "点検間隔（月）")};
inline constexpr UiText kDefaultInterval{QT_TRANSLATE_NOOP("Texts", "既定")};
inline constexpr UiText kSetModelButton{QT_TRANSLATE_NOOP("Texts", "設　定")};
inline constexpr UiText kNoModelNamed{QT_TRANSLATE_NOOP("Texts", "メーカーと機種を入力して下さい。")};

inline constexpr UiText kRegisterImportButton{QT_TRANSLATE_NOOP("Texts", "CSV読込")};
inline constexpr UiText kRegisterExportButton{QT_TRANSLATE_NOOP("Texts", "CSV保存")};
inline constexpr UiText kCmmsExportButton{QT_TRANSLATE_NOOP("Texts", "保守システム出力")};
inline constexpr UiText kBackupButton{QT_TRANSLATE_NOOP("Texts", "バックアップ")};
inline constexpr UiText kRestoreButton{QT_TRANSLATE_NOOP("Texts", "復元")};
inline constexpr UiText kRestoreTitle{QT_TRANSLATE_NOOP("Texts", "履歴の復元")};
inline constexpr UiText kRestoreQuestion{QT_TRANSLATE_NOOP("Texts", "履歴をバックアップの内容に置き換えます。現在の履歴は、元のファイルの横に保存されます。よろしいですか？")};
inline QString restored(const QString& keptAt) {
    return Texts::tr("履歴を復元しました。\n復元前の履歴：%1").arg(keptAt);
}
inline QString restoreFailed(const QString& why, const QString& keptAt) {
    QString text = Texts::tr("履歴を復元できませんでした。\n（%1）").arg(why);
    if (!keptAt.isEmpty()) text += Texts::tr("\n復元前の履歴：%1").arg(keptAt);
    return text;
}
inline constexpr UiText kRegisterImportTitle{QT_TRANSLATE_NOOP("Texts", "台帳読込")};
inline constexpr UiText kRegisterExportTitle{QT_TRANSLATE_NOOP("Texts", "台帳保存")};
inline constexpr UiText kCmmsExportTitle{QT_TRANSLATE_NOOP("Texts", "保守システム出力")};
inline constexpr UiText kBackupTitle{QT_TRANSLATE_NOOP("Texts", "履歴のバックアップ")};
inline constexpr UiText kRegisterFilePrefix{QT_TRANSLATE_NOOP("Texts", "台帳")};
inline constexpr UiText kCmmsFilePrefix QT_TRANSLATE_NOOP3("Texts", "保守システム出力", "file name");
inline constexpr UiText kBackupFilePrefix{QT_TRANSLATE_NOOP("Texts", "履歴バックアップ")};

// A file name from what it holds and today's date: 台帳_20261207.csv.
inline QString datedFileName(const QString& prefix, const QDate& today, const char16_t* suffix) {
    return QStringLiteral("%1_%2.%3").arg(prefix, today.toString(QStringLiteral("yyyyMMdd")), QString::fromUtf16(suffix));
}

// A register file with failing lines: nothing is taken, and the first lines are named.
inline QString registerFileRefused(const std::vector<std::pair<int, QString>>& lines) {
    QString text = Texts::tr("台帳ファイルに誤りがあるため、読み込みませんでした。");
    constexpr std::size_t kShown = 10;
    for (std::size_t i = 0; i < lines.size() && i < kShown; ++i)
        text += lines[i].first > 0 ? Texts::tr("\n%1行目：%2").arg(lines[i].first).arg(lines[i].second)
                                   : QStringLiteral("\n%1").arg(lines[i].second);
    if (lines.size() > kShown) text += Texts::tr("\nほか%1行").arg(lines.size() - kShown);
    return text;
}
inline QString registerImported(int pumps, int changed) {
    return Texts::tr("台帳を読み込みました。（%1台、うち変更%2台）").arg(pumps).arg(changed);
}

// A register field as the window names it.
inline QString fieldLabel(const QString& field) {
    if (field == u"number") return Texts::tr("管理番号");
    if (field == u"maker") return Texts::tr("メーカー");
    if (field == u"model") return Texts::tr("機種");
    if (field == u"serial") return Texts::tr("製造番号");
    if (field == u"department") return Texts::tr("部署");
    if (field == u"location") return Texts::tr("設置場所");
    if (field == u"status") return Texts::tr("状態");
    return field == u"notes" ? Texts::tr("備考") : field;
}

// Why a value cannot go into a field, in the window's words.
inline QString fieldProblemMessage(const QString& field, history::FieldProblem problem) {
    switch (problem) {
        case history::FieldProblem::ManagementNumber:
        case history::FieldProblem::Status: break;
        case history::FieldProblem::Characters:
            return Texts::tr("%1に制御文字は使用できません。").arg(fieldLabel(field));
        case history::FieldProblem::Length:
            return Texts::tr("%1は、%2文字以内で入力して下さい。").arg(fieldLabel(field)).arg(history::fieldLimit(field));
    }
    return Texts::tr("%1の値が正しくありません。").arg(fieldLabel(field));
}

}  // namespace torbex::app::texts
