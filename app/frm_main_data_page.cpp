// The data page's commands: load from the tester, clear, save, read and exit, and the
// management number editor.
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QTableView>

#include "app/data_file_names.h"
#include "app/frm_main.h"
#include "app/operator_texts.h"
#include "app/text_files.h"
#include "data/csv_format.h"
#include "data/grid_cells.h"
#include "data/management_number.h"
#include "workflow/data_files.h"
#include "workflow/download.h"

namespace torbex::app {
namespace {

const QString kCsvFilter = QStringLiteral("*.csv");
constexpr int kClearHoldOffTicks = 10;
// How soon a click that came while the tester was being asked something is tried again.
constexpr int kRetryWhileBusyMs = 50;

// The busy pointer for as long as it lives.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// The download's progress in the count label and the progress dialog; stops at the dialog's
// cancel button or when the close box asked to.
class WindowDownloadProgress final : public commands::DownloadProgress {
public:
    WindowDownloadProgress(QLabel* count, OperatorDialogs& dialogs, const bool& cancelRequested)
        : m_count(count), m_view(dialogs.showDownloadProgress()), m_cancelRequested(cancelRequested) {}
    void reached(int slot, int records) override {
        m_count->setText(QString::number(records));
        m_view->show(slot, commands::kHighestSlot + 1, records);
    }
    bool cancelRequested() const override { return m_cancelRequested || m_view->cancelled(); }

private:
    QLabel* m_count;
    std::unique_ptr<ProgressView> m_view;
    const bool& m_cancelRequested;
};

}  // namespace

void frmMain::Command1_Click(DataButton button) {
    // Records are coming in; nothing on the page may touch the store until they are in.
    if (m_downloading || m_programEnded) return;
    // The click arrived while a tick waits for the tester (its wait runs the window's events).
    // Talking to the tester now would cut into that exchange; try again once it is over.
    if (m_tester.busy()) {
        QTimer::singleShot(kRetryWhileBusyMs, this, [this, button] { Command1_Click(button); });
        return;
    }
    switch (button) {
        case DataButton::Load: loadData(); break;
        case DataButton::Clear: clearData(); break;
        case DataButton::Save: saveFile(); break;
        case DataButton::Read: readFile(); break;
        case DataButton::Exit: exitProgram(); break;
    }
}

bool frmMain::unsavedDataGuard(bool hintOnRefusal) {
    if (!m_store.unsaved) return true;
    if (m_services.dialogs.askYesNo(texts::kConfirm, texts::kUnsavedQuestion)) return true;
    if (hintOnRefusal) m_services.dialogs.showMessage(texts::kConfirm, texts::kSaveHint);
    return false;
}

void frmMain::loadData() {
    if (!unsavedDataGuard(true)) return;
    workflow::Download done;
    {
        BusyCursor busy;
        m_pollTick.show(commands::ConnectionState::Communicating);
        m_pollTick.setDispatchEnabled(false);
        m_downloading = true;
        m_cancelDownload = false;
        m_controls.Label4->show();
        m_controls.Label5->show();
        WindowDownloadProgress progress(m_controls.Label4, m_services.dialogs, m_cancelDownload);
        // The tests go into the history with the serial shown, or one read now if no tick has yet.
        done = workflow::download(m_tester, m_store, progress, m_history.get(), m_values.serialAsRead);
        m_downloading = false;
    }
    const commands::Outcome<int>& downloaded = done.downloaded;
    if (downloaded) m_recordsSerial = done.recorded.testerSerial;
    const bool cancelled = !downloaded && downloaded.failureKind() == commands::FailureKind::Cancelled;
    const bool reached = downloaded.ok() || cancelled;
    m_pollTick.setTesterMissing(!reached);
    if (!reached) m_pollTick.show(commands::ConnectionState::Unknown);
    DispData();
    if (downloaded) {
        m_services.dialogs.showMessage(texts::kConfirm, texts::kLoadDone);
        if (const QString& problem = done.recorded.historyProblem; !problem.isEmpty())
            m_services.dialogs.showMessage(texts::kError, texts::historyNotUpdated(problem));
    } else if (cancelled) {
        m_services.dialogs.showMessage(texts::kConfirm, texts::kDownloadCancelled);
    } else {
        m_services.dialogs.showMessage(QString(), texts::kNotConnected);
    }
    m_pollTick.setDispatchEnabled(true);
}

void frmMain::clearData() {
    if (!unsavedDataGuard(true)) return;
    m_store.clear();
    m_recordsSerial.clear();
    DispData();
    m_store.unsaved = false;
    m_controls.Label4->setText(QStringLiteral("0"));
    if (m_services.dialogs.askYesNo(texts::kConfirm, texts::kClearTesterQuestion)) {
        // The window says nothing when the tester does not answer: the connection label shows it.
        (void)m_tester.clearRecords();
        m_pollTick.setTesterMissing(false);
        m_pollTick.holdOff(kClearHoldOffTicks);
    }
}

QString frmMain::chosenDataFile(const QString& chosen) {
    m_dataFilePath = withCsvExtension(chosen);
    // The hidden list shows the dialog's answer, as it always has; the path is the member's.
    m_controls.List2->clear();
    m_controls.List2->addItem(chosen);
    return m_dataFilePath;
}

void frmMain::saveFile() {
    if (DataDirectory.isEmpty()) DataDirectory = m_services.folders.documentsFolder;
    const auto chosen = m_services.dialogs.chooseFileToWrite({texts::kSaveDialogTitle, kCsvFilter, DataDirectory, {}});
    if (!chosen || chosen->isEmpty()) return;
    const QString path = chosenDataFile(*chosen);
    if (isFile(path) && !m_services.dialogs.askYesNo(texts::kError, texts::kOverwriteQuestion)) return;

    bool written = false;
    {
        BusyCursor busy;
        written = data::CsvWriter().writeFile(path, m_store.records()).ok();
    }
    if (written) {
        m_services.dialogs.showMessage(texts::kConfirm, texts::kWriteDone);
        m_store.unsaved = false;
        DataDirectory = folderOf(path);
        if (!SaveSettingsFile()) return;
    } else {
        m_services.dialogs.showMessage(texts::kError, texts::kWriteFailed);
    }
    DispData();
}

void frmMain::readFile() {
    const auto chosen = m_services.dialogs.chooseFileToRead({QString(), kCsvFilter, QString(), {}});
    if (!chosen || chosen->isEmpty()) return;
    const QString path = chosenDataFile(*chosen);
    const workflow::DataFile file = [&path] {
        BusyCursor busy;
        return workflow::readDataFile(path);
    }();
    const bool read = file.error.isEmpty() && m_store.replace(file.contents.records);
    // Records from a file name no tester.
    if (read) m_recordsSerial.clear();
    DispData();
    if (read) {
        learnNumbersFromFile(file.contents);
        m_services.dialogs.showMessage(texts::kConfirm, texts::kReadDone);
    } else {
        m_services.dialogs.showMessage(texts::kError, texts::kReadFailed);
    }
}

void frmMain::exitProgram() {
    if (!unsavedDataGuard(false)) return;
    m_exitConfirmed = true;
    m_programEnded = true;
    m_timer2.stop();
    close();
}

void frmMain::closeEvent(QCloseEvent* event) {
    // The window must outlive a download that is waiting for the tester; the operator may stop it.
    if (m_downloading) {
        event->ignore();
        if (m_services.dialogs.askYesNo(texts::kConfirm, texts::kCancelDownloadQuestion)) m_cancelDownload = true;
        return;
    }
    if (m_exitConfirmed || m_programEnded || unsavedDataGuard(false)) {
        m_programEnded = true;
        m_timer2.stop();
        event->accept();
        return;
    }
    event->ignore();
}

void frmMain::Grid2_DblClick(int row, int column) {
    if (m_downloading) return;
    EditRow = row;
    if (column != data::kManagementNoColumn) return;
    if (row >= m_store.count()) {
        m_services.dialogs.showMessage(texts::kError, texts::kNoRecordInRow);
        return;
    }
    data::MeasurementRecord& record = m_store.record(EditRow);
    // Trimmed as a stored number is: ASCII spaces only, so an ideographic space survives an
    // unchanged confirmation.
    const auto entry = m_services.dialogs.editManagementNumber(record.managementNumber());
    if (!entry) return;
    const QString before = record.ManagementNo.text();
    record.ManagementNo = data::managementNumberToStore(*entry);
    // A typed number is work the operator would not want to lose either.
    if (record.ManagementNo.text() != before) {
        m_store.unsaved = true;
        registerNumber(record);
    }
    m_model.recordChanged(EditRow);
}

}  // namespace torbex::app
