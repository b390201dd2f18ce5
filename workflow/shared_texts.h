#pragma once

#include <QString>

#include "data/management_number.h"

// Texts the window and the command-line tool both show an operator.
namespace torbex::workflow::texts {

inline const QString kFlowRateRange = QStringLiteral("流量は、5ml/h～150ml/hの範囲で入力して下さい。");

inline const QString kManagementNumberCharacters =
    QStringLiteral("管理番号に使用できない文字が含まれています。（カンマ、制御文字、機種依存文字などは使用できません）");
inline const QString kManagementNumberFormula = QStringLiteral("管理番号の先頭に「=」「+」「-」「@」は使用できません。");
inline const QString kManagementNumberLength = QStringLiteral("管理番号は、10文字以内で入力して下さい。");
inline const QString& managementNumberMessage(data::ManagementNumberProblem problem) {
    switch (problem) {
        case data::ManagementNumberProblem::Formula: return kManagementNumberFormula;
        case data::ManagementNumberProblem::Length: return kManagementNumberLength;
        case data::ManagementNumberProblem::Characters: break;
    }
    return kManagementNumberCharacters;
}

}  // namespace torbex::workflow::texts
