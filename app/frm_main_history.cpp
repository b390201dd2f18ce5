// The test history and the pump registry behind the data page: typed numbers registered, numbers
// learnt from files read, reports on the records shown. Whatever the database does, the records
// on the page stay as they are and can be saved.
#include <QPushButton>

#include "app/frm_main.h"
#include "app/operator_texts.h"
#include "app/report_saving.h"
#include "history/history_store.h"
#include "workflow/data_files.h"
#include "workflow/reports.h"

namespace torbex::app {

void frmMain::openHistory() {
    if (!m_services.history) return;
    auto opened = history::HistoryStore::open(*m_services.history);
    if (opened) {
        m_history = std::move(opened.value());
        return;
    }
    m_historyProblem = opened.error();
    m_services.dialogs.showMessage(texts::kError, texts::historyUnavailable(m_historyProblem));
}

void frmMain::cmdHistory_Click() {
    if (m_downloading) return;
    if (!m_history) {
        m_services.dialogs.showMessage(texts::kError, texts::historyUnavailable(m_historyProblem));
        return;
    }
    m_services.dialogs.showHistory(*m_history, m_services.inspectionIntervalMonths);
}

void frmMain::cmdReport_Click() {
    if (m_downloading) return;
    // The records name the tester they were downloaded from, or none when they were read from a file.
    const workflow::RecordsInHand records = workflow::withRegistryNumbers(
        {std::vector<data::MeasurementRecord>(m_store.records().begin(), m_store.records().end()), m_recordsSerial},
        m_history.get());
    if (DataDirectory.isEmpty()) DataDirectory = m_services.folders.documentsFolder;
    const QDateTime now = m_services.localClock();
    const QString inspector = workflow::inspectorName({m_services.folders.programFolder, m_services.folders.configFolder});
    saveReport(m_services.dialogs, {DataDirectory, static_cast<int>(records.records.size()), now.date(), inspector, {}},
               [&](const QString& path, const QString& by) { return workflow::reportOnRecords(path, records, {by, now}); });
}

void frmMain::registerNumber(const data::MeasurementRecord& record) {
    if (!m_history || record.rfid().isEmpty()) return;
    const auto registered =
        m_history->setManagementNumber(record.rfid(), record.managementNumber(), history::ChangeSource::Editor);
    if (!registered) m_services.dialogs.showMessage(texts::kError, texts::numberNotRegistered(registered.error()));
}

void frmMain::learnNumbersFromFile(const data::DataFileContents& file) {
    if (!m_history) return;
    const workflow::LearnedNumbers learned = workflow::learnNumbers(*m_history, file);
    if (!learned.error.isEmpty()) {
        m_services.dialogs.showMessage(texts::kError, texts::numberNotRegistered(learned.error));
        return;
    }
    if (!learned.skipped.empty()) m_services.dialogs.showMessage(texts::kConfirm, texts::numbersNotLearnt(learned.skipped));
    // The registry's number is never replaced without the operator's word.
    for (const history::NumberConflict& conflict : learned.conflicts) {
        if (!m_services.dialogs.askYesNo(texts::kConfirm,
                                         texts::numberConflictQuestion(conflict.rfid, conflict.registered, conflict.inFile)))
            continue;
        const auto changed = m_history->setManagementNumber(conflict.rfid, conflict.inFile, history::ChangeSource::File);
        if (!changed) m_services.dialogs.showMessage(texts::kError, texts::numberNotRegistered(changed.error()));
    }
}

}  // namespace torbex::app
