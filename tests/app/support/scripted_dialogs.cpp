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

std::optional<QString> ScriptedDialogs::chooseFileToWrite(const FileChoice& choice) {
    fileDialogs.push_back(choice);
    if (files.empty()) return std::nullopt;
    auto file = files.front();
    files.pop_front();
    return file;
}

std::optional<QString> ScriptedDialogs::chooseFileToRead(const FileChoice& choice) { return chooseFileToWrite(choice); }

std::optional<QString> ScriptedDialogs::editManagementNumber(const QString& current) {
    editorOpenedWith.push_back(current);
    if (entries.empty()) return std::nullopt;
    auto entry = entries.front();
    entries.pop_front();
    return entry;
}

}  // namespace torbex::testing
