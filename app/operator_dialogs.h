#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace torbex::app {

inline const QString kConfirmTitle = QStringLiteral("確認");
inline const QString kErrorTitle = QStringLiteral("エラー");

// Every message the operator sees goes through here, so tests can read and answer them.
class OperatorDialogs {
public:
    virtual ~OperatorDialogs() = default;
    // A message with one OK button.
    virtual void showMessage(const QString& title, const QString& text) = 0;
    // A question with Yes and No; only Yes returns true.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;

    struct FileChoice {
        QString title;
        QString filter;  // "*.csv"
        QString folder;  // where the dialog opens; empty: where it was last
    };
    // The file the operator chose to write, or nullopt when the dialog was cancelled.
    virtual std::optional<QString> chooseFileToWrite(const FileChoice& choice) = 0;
    virtual std::optional<QString> chooseFileToRead(const FileChoice& choice) = 0;

    // Shows the management number editor with the current number (spaces trimmed); the new
    // entry when confirmed, nullopt when cancelled.
    virtual std::optional<QString> editManagementNumber(const QString& current) = 0;
};

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

private:
    QWidget* m_parent;
    QString m_lastFolder;
};

}  // namespace torbex::app
