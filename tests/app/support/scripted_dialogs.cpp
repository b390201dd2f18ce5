#include "app/support/scripted_dialogs.h"

namespace torbex::testing {

void ScriptedDialogs::showMessage(const QString& title, const QString& text) { shown.push_back({title, text, false}); }

bool ScriptedDialogs::askYesNo(const QString& title, const QString& text) {
    shown.push_back({title, text, true});
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace torbex::testing
