#include "app/message_box_dialogs.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScreen>
#include <QSettings>
#include <QSplitter>

#include "app/frm_edit.h"
#include "app/frm_pump.h"
#include "app/frm_history.h"
#include "app/operator_texts.h"

namespace torbex::app {
namespace {

std::optional<QString> runFileDialog(QWidget* parent, const OperatorDialogs::FileChoice& choice, QString& lastFolder,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, choice.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The program asks about overwriting itself, after it has fixed the extension.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(choice.filter);
    const QString folder = choice.folder.isEmpty() ? lastFolder : choice.folder;
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    if (!choice.name.isEmpty()) dialog.selectFile(choice.name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    lastFolder = dialog.directory().absolutePath();
    return dialog.selectedFiles().constFirst();
}

// A window-modal progress dialog with a cancel button; it appears only when a download takes a
// moment, so a quick one does not flash a dialog.
class DownloadProgressDialog final : public ProgressView {
public:
    explicit DownloadProgressDialog(QWidget* parent)
        : m_dialog(texts::downloadProgress(0, 0, 0), texts::kDownloadCancel, 0, 1, parent) {
        m_dialog.setWindowTitle(texts::kDownloadTitle);
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(500);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
    }
    void show(int slot, int slots, int records) override {
        m_dialog.setMaximum(slots);
        m_dialog.setValue(slot);
        m_dialog.setLabelText(texts::downloadProgress(slot, slots, records));
    }
    bool cancelled() const override { return m_dialog.wasCanceled(); }

private:
    QProgressDialog m_dialog;
};

}  // namespace

void MessageBoxDialogs::showMessage(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, m_parent);
    box.exec();
}

bool MessageBoxDialogs::askYesNo(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> MessageBoxDialogs::chooseFileToWrite(const FileChoice& choice) {
    return runFileDialog(m_parent, choice, m_lastFolder, QFileDialog::AcceptSave);
}

std::optional<QString> MessageBoxDialogs::chooseFileToRead(const FileChoice& choice) {
    return runFileDialog(m_parent, choice, m_lastFolder, QFileDialog::AcceptOpen);
}

std::optional<QString> MessageBoxDialogs::editManagementNumber(const QString& current) {
    frmEdit dialog(*this, m_parent);
    dialog.setEntry(current);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.entry();
}

std::optional<QString> MessageBoxDialogs::askInspector(const QString& proposed) {
    // The name entered last is proposed again: an inspector signs a day's reports in a row.
    QSettings remembered(QSettings::UserScope, QStringLiteral("torbex"), QStringLiteral("torbex-window"));
    const QString key = QStringLiteral("report/inspector");
    bool confirmed = false;
    const QString entry = QInputDialog::getText(m_parent, texts::kInspectorTitle, texts::kInspectorPrompt, QLineEdit::Normal,
                                                remembered.value(key, proposed).toString(), &confirmed);
    if (!confirmed) return std::nullopt;
    if (!entry.trimmed().isEmpty()) remembered.setValue(key, entry.trimmed());
    return entry;
}

std::optional<std::map<QString, QString>> MessageBoxDialogs::editPump(const history::RegisteredPump& pump) {
    frmPump dialog(pump, *this, m_parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.fields();
}

std::unique_ptr<ProgressView> MessageBoxDialogs::showDownloadProgress() {
    return std::make_unique<DownloadProgressDialog>(m_parent);
}

void MessageBoxDialogs::showHistory(history::HistoryStore& store, int intervalMonths) {
    frmHistory window(store, *this, intervalMonths, m_lastFolder, m_parent);
    QSettings remembered(QSettings::UserScope, QStringLiteral("torbex"), QStringLiteral("torbex-window"));
    const QVariant last = remembered.value(QStringLiteral("history/geometry"));
    const QScreen* screen = m_parent ? m_parent->screen() : QGuiApplication::primaryScreen();
    if (screen) window.placeOn(screen->availableGeometry(), last.canConvert<QRect>() ? std::optional(last.toRect()) : std::nullopt);
    // How the operator shared the tests page between the lists and the trend, as left last time.
    auto* parts = window.findChild<QSplitter*>(QStringLiteral("splParts"));
    if (parts) parts->restoreState(remembered.value(QStringLiteral("history/parts")).toByteArray());
    if (!window.refresh()) return;
    window.exec();
    remembered.setValue(QStringLiteral("history/geometry"), window.geometry());
    if (parts) remembered.setValue(QStringLiteral("history/parts"), parts->saveState());
}

}  // namespace torbex::app
