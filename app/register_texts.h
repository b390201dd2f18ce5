#pragma once

#include <QString>

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
