#include "app/report_saving.h"

#include <QApplication>

#include "app/operator_texts.h"
#include "app/text_files.h"

namespace torbex::app {

void saveReport(OperatorDialogs& dialogs, const QString& folder, int tests, const QDate& today,
                const std::function<data::TestsWritten(const QString& path)>& write, const QString& name) {
    if (tests == 0) {
        dialogs.showMessage(texts::kConfirm, texts::kNoRecordsForReport);
        return;
    }
    const auto chosen =
        dialogs.chooseFileToWrite({texts::kReportDialogTitle, QStringLiteral("*.pdf"), folder,
                                   name.isEmpty() ? texts::reportFileName(today) : name});
    if (!chosen || chosen->isEmpty()) return;
    const QString path = chosen->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? *chosen : *chosen + QStringLiteral(".pdf");
    if (isFile(path) && !dialogs.askYesNo(texts::kError, texts::kOverwriteQuestion)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const data::TestsWritten written = write(path);
    QApplication::restoreOverrideCursor();
    if (written.ok()) {
        dialogs.showMessage(texts::kConfirm, texts::kWriteDone);
    } else {
        dialogs.showMessage(texts::kError, texts::kWriteFailed);
    }
}

}  // namespace torbex::app
