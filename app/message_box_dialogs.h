#pragma once

#include "app/operator_dialogs.h"

namespace torbex::app {

// Plain message boxes without an icon.
class MessageBoxDialogs final : public OperatorDialogs {
public:
    explicit MessageBoxDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void showMessage(const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;
    std::optional<QString> chooseFileToWrite(const FileChoice& choice) override;
    std::optional<QString> chooseFileToRead(const FileChoice& choice) override;
    std::optional<QString> editManagementNumber(const QString& current) override;
    std::optional<QString> askInspector(const QString& proposed) override;
    std::optional<std::map<QString, QString>> editPump(const history::RegisteredPump& pump) override;
    std::unique_ptr<ProgressView> showDownloadProgress() override;
    void showHistory(history::HistoryStore& store, int intervalMonths) override;

private:
    QWidget* m_parent;
    QString m_lastFolder;
};

}  // namespace torbex::app
