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
        QString title;
        QString text;
        bool question = false;
    };

    void showMessage(const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;

    std::vector<Shown> shown;
    std::deque<bool> answers;
};

}  // namespace torbex::testing
