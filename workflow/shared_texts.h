#pragma once

#include <QString>

#include "data/management_number.h"
#include "data/ui_text.h"

// Texts the window and the command-line tool both show an operator.
namespace torbex::workflow::texts {

inline constexpr UiText kFlowRateRange{QT_TRANSLATE_NOOP("Texts", "流量は、5ml/h～150ml/hの範囲で入力して下さい。")};

inline constexpr UiText kManagementNumberCharacters{QT_TRANSLATE_NOOP("Texts", "管理番号に使用できない文字が含まれています。（カンマ、制御文字、機種依存文字などは使用できません）")};
inline constexpr UiText kManagementNumberFormula{QT_TRANSLATE_NOOP("Texts", "管理番号の先頭に「=」「+」「-」「@」は使用できません。")};
inline constexpr UiText kManagementNumberLength{QT_TRANSLATE_NOOP("Texts", "管理番号は、10文字以内で入力して下さい。")};
inline QString managementNumberMessage(data::ManagementNumberProblem problem) {
    switch (problem) {
        case data::ManagementNumberProblem::Formula: return kManagementNumberFormula;
        case data::ManagementNumberProblem::Length: return kManagementNumberLength;
        case data::ManagementNumberProblem::Characters: break;
    }
    return kManagementNumberCharacters;
}

}  // namespace torbex::workflow::texts
