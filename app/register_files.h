#pragma once

#include <QDate>
#include <QString>

#include "app/operator_dialogs.h"

namespace torbex::app {

// The history's files as the operator moves them from the history window: the register taken
// from or written to a spreadsheet's CSV, the tests written for a maintenance system, and a backup
// copy of the history. Each asks for its file, says how it went, and changes nothing on failure.
class RegisterFiles {
public:
    RegisterFiles(history::HistoryStore& store, OperatorDialogs& dialogs, QString folder, int intervalMonths)
        : m_store(store), m_dialogs(dialogs), m_folder(std::move(folder)), m_intervalMonths(intervalMonths) {}

    // True when the register changed.
    bool importRegister();
    void exportRegister(const QDate& today);
    void exportCmms(const QDate& today, const QString& inspector);
    void backup(const QDate& today);
    // True when the history was replaced by a backup's.
    bool restore();

private:
    // The file to write, ".suffix" added when missing, once the operator agreed to replace one.
    std::optional<QString> fileToWrite(const QString& title, const QString& suffix, const QString& name);
    void tell(bool done, const QString& why = {});

    history::HistoryStore& m_store;
    OperatorDialogs& m_dialogs;
    QString m_folder;
    int m_intervalMonths;
};

}  // namespace torbex::app
