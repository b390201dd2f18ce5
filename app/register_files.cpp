#include "app/register_files.h"

#include "app/operator_texts.h"
#include "app/register_texts.h"
#include "app/text_files.h"
#include "data/file_io.h"
#include "workflow/register.h"
#include "workflow/register_csv.h"
#include "workflow/reports.h"

namespace torbex::app {

bool RegisterFiles::importRegister() {
    const auto chosen = m_dialogs.chooseFileToRead({texts::kRegisterImportTitle, QStringLiteral("*.csv"), m_folder, {}});
    if (!chosen || chosen->isEmpty()) return false;
    const auto checked = workflow::readRegisterFile(*chosen);
    if (const auto* problems = std::get_if<workflow::RegisterProblems>(&checked)) {
        m_dialogs.showMessage(texts::kError, texts::registerFileRefused(problems->lines));
        return false;
    }
    const auto& file = std::get<workflow::RegisterFile>(checked);
    const auto changed = m_store.importRegister(file.pumps, file.intervals, history::ChangeSource::File);
    if (!changed) {
        m_dialogs.showMessage(texts::kError, texts::historyNotUpdated(changed.error()));
        return false;
    }
    m_dialogs.showMessage(texts::kConfirm, texts::registerImported(static_cast<int>(file.pumps.size()), changed.value()));
    return true;
}

void RegisterFiles::exportRegister(const QDate& today) {
    const auto pumps = m_store.pumps(m_intervalMonths);
    const auto models = m_store.modelIntervals();
    if (!pumps || !models) return m_dialogs.showMessage(texts::kError, texts::historyUnreadable(!pumps ? pumps.error() : models.error()));
    const auto path = fileToWrite(texts::kRegisterExportTitle, QStringLiteral("csv"), texts::datedFileName(texts::kRegisterFilePrefix, today, u"csv"));
    if (!path) return;
    tell(data::writeFileAtomically(*path, workflow::registerCsv(pumps.value(), models.value())).ok());
}

void RegisterFiles::exportCmms(const QDate& today, const QString& inspector) {
    const auto path = fileToWrite(texts::kCmmsExportTitle, QStringLiteral("csv"), texts::datedFileName(texts::kCmmsFilePrefix, today, u"csv"));
    if (!path) return;
    const data::TestsWritten written = workflow::exportCmms(*path, m_store, {}, m_intervalMonths, inspector);
    if (written.sourceFailed) return m_dialogs.showMessage(texts::kError, texts::historyUnreadable(written.error));
    tell(written.ok());
}

void RegisterFiles::backup(const QDate& today) {
    const auto path = fileToWrite(texts::kBackupTitle, QStringLiteral("sqlite"), texts::datedFileName(texts::kBackupFilePrefix, today, u"sqlite"));
    if (!path) return;
    const QString problem = workflow::backupHistory(m_store, *path);
    tell(problem.isEmpty(), problem);
}

bool RegisterFiles::restore() {
    const auto chosen = m_dialogs.chooseFileToRead({texts::kRestoreTitle, QStringLiteral("*.sqlite"), m_folder, {}});
    if (!chosen || chosen->isEmpty() || !m_dialogs.askYesNo(texts::kConfirm, texts::kRestoreQuestion)) return false;
    const workflow::Restore restored = workflow::restoreHistory(m_store, m_store.target(), *chosen);
    if (!restored.error.isEmpty()) {
        m_dialogs.showMessage(texts::kError, texts::restoreFailed(restored.error, restored.keptAt));
        return false;
    }
    m_dialogs.showMessage(texts::kConfirm, texts::restored(restored.keptAt));
    return true;
}

std::optional<QString> RegisterFiles::fileToWrite(const QString& title, const QString& suffix, const QString& name) {
    const auto chosen = m_dialogs.chooseFileToWrite({title, QStringLiteral("*.") + suffix, m_folder, name});
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    const QString path = chosen->endsWith(u'.' + suffix, Qt::CaseInsensitive) ? *chosen : *chosen + u'.' + suffix;
    if (isFile(path) && !m_dialogs.askYesNo(texts::kError, texts::kOverwriteQuestion)) return std::nullopt;
    return path;
}

void RegisterFiles::tell(bool done, const QString& why) {
    if (done) return m_dialogs.showMessage(texts::kConfirm, texts::kWriteDone);
    m_dialogs.showMessage(texts::kError, why.isEmpty() ? texts::kWriteFailed : Texts::tr("%1\n（%2）").arg(texts::kWriteFailed, why));
}

}  // namespace torbex::app
