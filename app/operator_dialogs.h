#pragma once

#include <QString>

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
};

// Plain message boxes without an icon.
class MessageBoxDialogs final : public OperatorDialogs {
public:
    explicit MessageBoxDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void showMessage(const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;

private:
    QWidget* m_parent;
};

}  // namespace torbex::app
