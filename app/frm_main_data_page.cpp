// The data page's commands: load from the tester, clear, save, read and exit, and the
// management number editor.
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QTableView>

#include "app/data_file_names.h"
#include "app/frm_main.h"
#include "app/management_number.h"
#include "app/text_files.h"
#include "commands/protocol.h"
#include "data/csv_codec.h"
#include "data/grid_cells.h"

namespace torbex::app {
namespace {

const QString kUnsavedQuestion = QStringLiteral("データが保存されていませんがよろしいですか？");
const QString kSaveHint = QStringLiteral("「ファイル保存」で保存してください。");
const QString kNotConnected = QStringLiteral("トルベックスが接続されていません");
const QString kLoadDone = QStringLiteral("読み込みが正常に終了しました。");
const QString kClearTesterQuestion = QStringLiteral("トルベックスのデータもクリアしますか？");
const QString kOverwriteQuestion = QStringLiteral("既に同名のファイルが存在します。上書きしますか？");
const QString kWriteDone = QStringLiteral("書き込みが正常に終了しました。");
const QString kWriteFailed = QStringLiteral("書き込みできませんでした。");
const QString kReadDone = QStringLiteral("読み出しが正常に終了しました。");
const QString kReadFailed = QStringLiteral("読み出しできませんでした。");
const QString kNoRecordInRow = QStringLiteral("データがない行は入力できません。");
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

}  // namespace

void frmMain::Command1_Click(int index) {
    // Records are coming in; nothing on the page may touch the store until they are in.
    if (m_downloading || m_programEnded) return;
    // The click arrived while a tick waits for the tester (its wait runs the window's events).
    // Talking to the tester now would cut into that exchange; try again once it is over.
    if (m_session.exchange.busy()) {
        QTimer::singleShot(kRetryWhileBusyMs, this, [this, index] { Command1_Click(index); });
        return;
    }
    switch (index) {
        case 0: loadData(); break;
        case 1: clearData(); break;
        case 2: saveFile(); break;
        case 3: readFile(); break;
        case 9: exitProgram(); break;
        default: break;
    }
}

bool frmMain::unsavedDataGuard(bool hintOnRefusal) {
    if (m_store.DataUnsaved == 0) return true;
    if (m_services.dialogs.askYesNo(kConfirmTitle, kUnsavedQuestion)) return true;
    if (hintOnRefusal) m_services.dialogs.showMessage(kConfirmTitle, kSaveHint);
    return false;
}

void frmMain::loadData() {
    if (!unsavedDataGuard(true)) return;
    {
        BusyCursor busy;
        m_pollLoop.setLabel(link::ConnectionLabel::Communicating);
        m_session.requests.COM_ENA = 0;
        m_downloading = true;
        m_download.ReadMeasurementData();
        m_downloading = false;
    }
    DispData();
    if (m_session.requests.COM_ERR != 0) {
        m_services.dialogs.showMessage(QString(), kNotConnected);
    } else {
        m_services.dialogs.showMessage(kConfirmTitle, kLoadDone);
    }
    m_session.requests.COM_ENA = 1;
}

void frmMain::clearData() {
    if (!unsavedDataGuard(true)) return;
    m_store.RecordCount = 0;
    DispData();
    m_store.DataUnsaved = 0;
    m_controls.Label4->setText(QStringLiteral("0"));
    if (m_services.dialogs.askYesNo(kConfirmTitle, kClearTesterQuestion)) {
        m_download.ClearDeviceData();
        m_session.requests.com_dis_ctr = kClearHoldOffTicks;
    }
}

QString frmMain::chosenDataFile(const QString& chosen) {
    // The hidden list keeps the dialog's answer, as it always has.
    m_controls.List2->clear();
    m_controls.List2->addItem(chosen);
    return withCsvExtension(m_controls.List2->item(0)->text());
}

void frmMain::saveFile() {
    if (DataDirectory.isEmpty()) DataDirectory = m_services.folders.documentsFolder;
    const auto chosen = m_services.dialogs.chooseFileToWrite({QStringLiteral("ファイル保存"), kCsvFilter, DataDirectory});
    if (!chosen || chosen->isEmpty()) return;
    const QString path = chosenDataFile(*chosen);
    if (!IsFileAbsent(path) && !m_services.dialogs.askYesNo(kErrorTitle, kOverwriteQuestion)) return;

    bool written = false;
    {
        BusyCursor busy;
        written = data::WriteCsvFile(path, m_store).ok();
    }
    if (written) {
        m_services.dialogs.showMessage(kConfirmTitle, kWriteDone);
        m_store.DataUnsaved = 0;
        DataDirectory = folderOf(path);
        if (!SaveSettingsFile()) return;
    } else {
        m_services.dialogs.showMessage(kErrorTitle, kWriteFailed);
    }
    DispData();
}

void frmMain::readFile() {
    const auto chosen = m_services.dialogs.chooseFileToRead({QString(), kCsvFilter, QString()});
    if (!chosen || chosen->isEmpty()) return;
    const QString path = chosenDataFile(*chosen);
    bool read = false;
    {
        BusyCursor busy;
        read = data::ReadCsvFile(path, m_store).ok();
    }
    DispData();
    if (read) {
        m_services.dialogs.showMessage(kConfirmTitle, kReadDone);
    } else {
        m_services.dialogs.showMessage(kErrorTitle, kReadFailed);
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
    // The window must outlive a download that is waiting for the tester.
    if (m_downloading) {
        event->ignore();
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
    EditRow = static_cast<std::int16_t>(row);
    if (column != data::kManagementNoColumn) return;
    if (row >= m_store.RecordCount) {
        m_services.dialogs.showMessage(kErrorTitle, kNoRecordInRow);
        return;
    }
    data::MeasurementRecord& record = m_store.slot(EditRow);
    // Trimmed as a stored number is: ASCII spaces only, so an ideographic space survives an
    // unchanged confirmation.
    const auto entry = m_services.dialogs.editManagementNumber(commands::trimSpaces(record.ManagementNo.text()).toString());
    if (!entry) return;
    const QString before = record.ManagementNo.text();
    record.ManagementNo = managementNumberToStore(*entry);
    // A typed number is work the operator would not want to lose either.
    if (record.ManagementNo.text() != before) m_store.DataUnsaved = 1;
    m_model.recordChanged(EditRow);
}

}  // namespace torbex::app
