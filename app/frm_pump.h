#pragma once

#include <QDialog>
#include <map>

#include "app/operator_dialogs.h"
#include "history/history_store.h"

class QComboBox;
class QLineEdit;

namespace torbex::app {

// One pump's entry in the register: its number and details. Confirming checks every field as the
// tool does; a refused value is told and the form stays open for correction.
class frmPump final : public QDialog {
    Q_OBJECT

public:
    frmPump(const history::RegisteredPump& pump, OperatorDialogs& dialogs, QWidget* parent = nullptr);

    // Every field by its register name, as entered.
    std::map<QString, QString> fields() const;
    // Checks the fields; accepts the form when they may be kept.
    void cmdOk_Click();

    std::map<QString, QLineEdit*> txtField;  // by register name; the status is cboStatus
    QComboBox* cboStatus = nullptr;

private:
    OperatorDialogs& m_dialogs;
};

}  // namespace torbex::app
