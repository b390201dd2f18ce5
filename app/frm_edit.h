#pragma once

#include <QDialog>
#include <map>

#include "app/operator_dialogs.h"
#include "app/window_buttons.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace torbex::app {

// The management number editor: one entry, confirm with the button or Enter, cancel with the
// other button or the close box.
class frmEdit final : public QDialog {
    Q_OBJECT

public:
    explicit frmEdit(OperatorDialogs& dialogs, QWidget* parent = nullptr);

    void setEntry(const QString& text);
    QString entry() const;

    void CmdEdit_Click(EditButton button);

    std::map<int, QLabel*> lblEdit;
    std::map<int, QLineEdit*> txtEdit;
    std::map<int, QPushButton*> CmdEdit;

protected:
    void showEvent(QShowEvent* event) override;

private:
    OperatorDialogs& m_dialogs;
};

}  // namespace torbex::app
