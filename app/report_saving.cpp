#include "app/report_saving.h"

#include <QApplication>

#include "app/operator_texts.h"
#include "app/text_files.h"

namespace torbex::app {

void saveReport(OperatorDialogs& dialogs, const ReportRequest& request,
                const std::function<data::TestsWritten(const QString& path, const QString& inspector)>& write) {
    if (request.tests == 0) {
        dialogs.showMessage(texts::kConfirm, texts::kNoRecordsForReport);
        return;
    }
    const auto entered = dialogs.askInspector(request.inspector);
    if (!entered) return;
    const QString inspector = entered->trimmed().isEmpty() ? request.inspector : entered->trimmed();
    const auto chosen = dialogs.chooseFileToWrite({texts::kReportDialogTitle, QStringLiteral("*.pdf"), request.folder,
                                                   request.name.isEmpty() ? texts::reportFileName(request.today) : request.name});
    if (!chosen || chosen->isEmpty()) return;
    const QString path = chosen->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? *chosen : *chosen + QStringLiteral(".pdf");
    if (isFile(path) && !dialogs.askYesNo(texts::kError, texts::kOverwriteQuestion)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const data::TestsWritten written = write(path, inspector);
    QApplication::restoreOverrideCursor();
    if (written.ok()) {
        dialogs.showMessage(texts::kConfirm, texts::kWriteDone);
    } else {
        dialogs.showMessage(texts::kError, texts::kWriteFailed);
    }
}

}  // namespace torbex::app
