#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "app/operator_dialogs.h"
#include "history/history_store.h"

namespace torbex::testing {

// Records every message and answers questions, file dialogs and the editor from scripts (No, or
// cancelled, when a script runs out). The download's cancel button is pressed at cancelAtSlot.
class ScriptedDialogs final : public app::OperatorDialogs {
public:
    struct Shown {
        QString title, text;
    };
    void showMessage(const QString& title, const QString& text) override { shown.push_back({title, text}); }
    bool askYesNo(const QString& title, const QString& text) override {
        shown.push_back({title, text});
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return yes;
    }
    std::optional<QString> chooseFileToWrite(const FileChoice& choice) override {
        fileDialogs.push_back(choice);
        return takeFirst(files);
    }
    std::optional<QString> chooseFileToRead(const FileChoice& choice) override { return chooseFileToWrite(choice); }
    std::optional<QString> editManagementNumber(const QString& current) override {
        editorOpenedWith.push_back(current);
        return takeFirst(entries);
    }
    // The name proposed unless a script answers.
    std::optional<QString> askInspector(const QString& proposed) override {
        inspectorsProposed.push_back(proposed);
        return inspectors.empty() ? std::optional(proposed) : takeFirst(inspectors);
    }
    std::optional<std::map<QString, QString>> editPump(const history::RegisteredPump& pump) override {
        pumpFormsOpenedFor.push_back(pump.rfid);
        if (pumpEdits.empty()) return std::nullopt;
        auto answer = pumpEdits.front();
        pumpEdits.pop_front();
        return answer;
    }
    std::unique_ptr<app::ProgressView> showDownloadProgress() override {
        struct Progress final : app::ProgressView {
            explicit Progress(ScriptedDialogs& owner) : dialogs(owner) {}
            void show(int slot, int /*slots*/, int records) override {
                dialogs.progress.emplace_back(slot, records);
                if (dialogs.onProgress) dialogs.onProgress();
            }
            bool cancelled() const override {
                return dialogs.cancelAtSlot && !dialogs.progress.empty() && dialogs.progress.back().first >= *dialogs.cancelAtSlot;
            }
            ScriptedDialogs& dialogs;
        };
        return std::make_unique<Progress>(*this);
    }
    void showHistory(history::HistoryStore&, int intervalMonths) override { historiesShown.push_back(intervalMonths); }

    std::vector<Shown> shown;
    std::deque<bool> answers;
    std::deque<std::optional<QString>> files;  // nullopt: cancelled
    std::vector<FileChoice> fileDialogs;
    std::deque<std::optional<QString>> entries;
    std::vector<QString> editorOpenedWith;
    std::vector<std::pair<int, int>> progress;  // {slot, records} as shown
    std::optional<int> cancelAtSlot;
    std::function<void()> onProgress;  // called as each step is shown
    std::deque<std::optional<std::map<QString, QString>>> pumpEdits;  // nullopt: cancelled
    std::vector<QString> pumpFormsOpenedFor;
    std::deque<std::optional<QString>> inspectors;  // nullopt: cancelled
    std::vector<QString> inspectorsProposed;
    std::vector<int> historiesShown;  // each with its interval in months

private:
    // The answer is unpacked rather than copied as an optional: GCC 12 at -O3 otherwise warns
    // that the copied QString may be uninitialised.
    static std::optional<QString> takeFirst(std::deque<std::optional<QString>>& script) {
        if (script.empty()) return std::nullopt;
        const bool given = script.front().has_value();
        QString answer = given ? std::move(*script.front()) : QString();
        script.pop_front();
        return given ? std::optional(answer) : std::nullopt;
    }
};

}  // namespace torbex::testing
