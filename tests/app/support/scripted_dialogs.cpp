#include "app/support/scripted_dialogs.h"

namespace torbex::testing {
namespace {

// Nothing left in the script answers as cancelled. The answer is unpacked rather than copied as
// an optional: GCC 12 at -O3 otherwise warns that the copied QString may be uninitialised.
std::optional<QString> takeFirst(std::deque<std::optional<QString>>& script) {
    if (script.empty() || !script.front()) {
        if (!script.empty()) script.pop_front();
        return std::nullopt;
    }
    QString answer = std::move(*script.front());
    script.pop_front();
    return answer;
}

class ScriptedProgress final : public app::ProgressView {
public:
    explicit ScriptedProgress(ScriptedDialogs& dialogs) : m_dialogs(dialogs) {}
    void show(int slot, int /*slots*/, int records) override { m_dialogs.progress.emplace_back(slot, records); }
    bool cancelled() const override {
        return m_dialogs.cancelAtSlot && !m_dialogs.progress.empty() && m_dialogs.progress.back().first >= *m_dialogs.cancelAtSlot;
    }

private:
    ScriptedDialogs& m_dialogs;
};

}  // namespace

void ScriptedDialogs::showMessage(const QString& title, const QString& text) { shown.push_back({title, text}); }

bool ScriptedDialogs::askYesNo(const QString& title, const QString& text) {
    shown.push_back({title, text});
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::chooseFileToWrite(const FileChoice& choice) {
    fileDialogs.push_back(choice);
    return takeFirst(files);
}

std::optional<QString> ScriptedDialogs::chooseFileToRead(const FileChoice& choice) { return chooseFileToWrite(choice); }

std::optional<QString> ScriptedDialogs::editManagementNumber(const QString& current) {
    editorOpenedWith.push_back(current);
    return takeFirst(entries);
}

std::unique_ptr<app::ProgressView> ScriptedDialogs::showDownloadProgress() { return std::make_unique<ScriptedProgress>(*this); }

}  // namespace torbex::testing
