#pragma once

#include <QObject>
#include <QSortFilterProxyModel>

#include "app/operator_dialogs.h"
#include "app/register_models.h"

class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;

namespace torbex::app {

// The register's pages of the history window: every pump with its details (filtered, sorted by
// any column, edited in a form), the worklist of pumps due, and the audit trail.
class RegisterPages final : public QObject {
    Q_OBJECT

public:
    // The worklist is printed into `reportFolder` unless the operator picks another.
    RegisterPages(QTabWidget& tabs, history::HistoryStore& store, OperatorDialogs& dialogs, QString reportFolder = {});

    // Shows the pumps and the audit trail as the history now holds them; false (the operator
    // told why) when it cannot be read.
    bool show(const std::vector<history::PumpSummary>& pumps);
    // Opens the form of the pump in a row of the (sorted, filtered) register.
    void grdRegister_DblClick(int row);
    // Saves the worklist as shown as 点検予定表 (PDF).
    void cmdPrintWorklist_Click();

    RegisterListModel& pumps() { return m_register; }
    RegisterListModel& worklist() { return m_worklist; }
    QSortFilterProxyModel& registerView() { return m_registerView; }
    AuditListModel& audit() { return m_audit; }

    QTableView* grdRegister = nullptr;
    QLineEdit* txtRegisterFilter = nullptr;
    QPushButton* cmdEditPump = nullptr;
    QPushButton* cmdImportRegister = nullptr;  // the window binds these two to its files
    QPushButton* cmdExportRegister = nullptr;
    QTableView* grdWorklist = nullptr;
    QSpinBox* spnWithinDays = nullptr;
    QLineEdit* txtDepartment = nullptr;
    QPushButton* cmdPrintWorklist = nullptr;
    QTableView* grdAudit = nullptr;

Q_SIGNALS:
    // A pump's entry was changed: the window reads the history again.
    void changed();

private:
    void showWorklist();

    history::HistoryStore& m_store;
    OperatorDialogs& m_dialogs;
    QString m_reportFolder;
    std::vector<history::PumpSummary> m_pumps;
    RegisterListModel m_register, m_worklist;
    QSortFilterProxyModel m_registerView, m_worklistView, m_auditView;
    AuditListModel m_audit;
};

}  // namespace torbex::app
