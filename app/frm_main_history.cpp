// The test history and the pump registry behind the data page: every download recorded, known
// pumps' management numbers filled in, typed and read numbers registered. Whatever the database
// does, the records on the page stay as they are and can be saved.
#include <QPushButton>

#include "app/frm_main.h"
#include "app/operator_texts.h"
#include "app/report_saving.h"
#include "app/report_saving.h"
#include "commands/protocol.h"
#include "history/history_store.h"

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
    std::vector<data::MeasurementRecord> records(m_store.records().begin(), m_store.records().end());
    // A number the grid lacks may be known to the registry.
    if (m_history) {
        if (const auto numbers = m_history->managementNumbers()) history::fillManagementNumbers(records, numbers.value());
    }
    if (DataDirectory.isEmpty()) DataDirectory = m_services.folders.documentsFolder;
    saveReport(m_services.dialogs, DataDirectory, records,
               {commands::trimSpaces(m_values.serialAsRead).toString(), report::currentUserName(), m_services.localClock(), std::nullopt});
}

QString frmMain::recordDownloadInHistory() {
    if (!m_history) return {};
    std::vector<data::MeasurementRecord> records(m_store.records().begin(), m_store.records().end());
    const auto numbers = m_history->managementNumbers();
    if (numbers && history::fillManagementNumbers(records, numbers.value()) > 0) {
        m_store.replace(records);
        DispData();
    }
    // The tests are the tester's: its serial number goes with them, read now if no tick has yet.
    if (commands::trimSpaces(m_values.serialAsRead).isEmpty()) {
        if (const auto reading = m_tester.readCalibration()) m_values.serialAsRead = reading.value().serialNumber;
    }
    const auto recorded = numbers ? m_history->recordTests(commands::trimSpaces(m_values.serialAsRead).toString(), records)
                                  : history::Result<int>::failure(numbers.error());
    return recorded ? QString() : recorded.error();
}

void frmMain::registerNumber(const data::MeasurementRecord& record) {
    if (!m_history || !record.has(data::RfidPresent)) return;
    const auto registered = m_history->setManagementNumber(record.PumpRfid.text(), commands::trimSpaces(record.ManagementNo.text()).toString(),
                                                           history::ChangeSource::Editor);
    if (!registered) m_services.dialogs.showMessage(texts::kError, texts::numberNotRegistered(registered.error()));
}

void frmMain::learnNumbersFromFile() {
    if (!m_history) return;
    const auto conflicts = m_history->learnNumbers(m_store.records(), history::ChangeSource::File);
    if (!conflicts) {
        m_services.dialogs.showMessage(texts::kError, texts::numberNotRegistered(conflicts.error()));
        return;
    }
    // The registry's number is never replaced without the operator's word.
    for (const history::NumberConflict& conflict : conflicts.value()) {
        if (!m_services.dialogs.askYesNo(texts::kConfirm, texts::numberConflictQuestion(conflict.rfid, conflict.registered, conflict.inFile)))
            continue;
        const auto changed = m_history->setManagementNumber(conflict.rfid, conflict.inFile, history::ChangeSource::File);
        if (!changed) m_services.dialogs.showMessage(texts::kError, texts::numberNotRegistered(changed.error()));
    }
}

}  // namespace torbex::app
