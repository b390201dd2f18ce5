#include "app/report_saving.h"

#include <QApplication>

#include "app/operator_texts.h"
#include "app/text_files.h"

namespace torbex::app {

void saveReport(OperatorDialogs& dialogs, const QString& folder, const std::vector<data::MeasurementRecord>& records,
                const report::ReportContext& context) {
    if (records.empty()) {
        dialogs.showMessage(texts::kConfirm, texts::kNoRecordsForReport);
        return;
    }
    const auto chosen = dialogs.chooseFileToWrite(
        {texts::kReportDialogTitle, QStringLiteral("*.pdf"), folder, texts::reportFileName(context.madeAt.date())});
    if (!chosen || chosen->isEmpty()) return;
    const QString path = chosen->endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? *chosen : *chosen + QStringLiteral(".pdf");
    if (isFile(path) && !dialogs.askYesNo(texts::kError, texts::kOverwriteQuestion)) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const data::FileOutcome written = report::PdfReportWriter(context).writeFile(path, records);
    QApplication::restoreOverrideCursor();
    if (written) {
        dialogs.showMessage(texts::kConfirm, texts::kWriteDone);
    } else {
        dialogs.showMessage(texts::kError, texts::kWriteFailed);
    }
}

}  // namespace torbex::app
