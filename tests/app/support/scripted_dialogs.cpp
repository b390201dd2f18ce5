#include "app/support/scripted_dialogs.h"

namespace torbex::testing {
namespace {

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

std::unique_ptr<app::ProgressView> ScriptedDialogs::showDownloadProgress() { return std::make_unique<ScriptedProgress>(*this); }

}  // namespace torbex::testing
