#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "app/operator_dialogs.h"

namespace torbex::testing {

// Records every message and answers questions from a script (No when the script runs out).
class ScriptedDialogs final : public app::OperatorDialogs {
public:
    struct Shown {
        QString title, text;
    };

    void showMessage(const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;
    std::optional<QString> chooseFileToWrite(const FileChoice& choice) override;
    std::optional<QString> chooseFileToRead(const FileChoice& choice) override;
    std::optional<QString> editManagementNumber(const QString& current) override;
    std::unique_ptr<app::ProgressView> showDownloadProgress() override;

    std::vector<Shown> shown;
    std::deque<bool> answers;
    // Files the dialogs answer with (nullopt: cancelled), and what they were opened with.
    std::deque<std::optional<QString>> files;
    std::vector<FileChoice> fileDialogs;
    // Entries the editor answers with (nullopt: cancelled), and the numbers it was opened with.
    std::deque<std::optional<QString>> entries;
    std::vector<QString> editorOpenedWith;
    // Every progress step shown, as {slot, records}; the cancel button is pressed once the
    // download reaches cancelAtSlot.
    std::vector<std::pair<int, int>> progress;
    std::optional<int> cancelAtSlot;
};

}  // namespace torbex::testing
