#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "data/record_files.h"
#include "history/history_store.h"

namespace torbex::report {

// A report on one pump: its history from the registry, drawn as a trend chart above the table.
struct PumpSection {
    QString rfid;
    QString managementNo;
    std::vector<history::StoredTest> tests;
};

struct ReportContext {
    QString testerSerial;  // the tester the records came from; empty when several or unknown
    QString madeBy;        // the system's user name
    QDateTime madeAt;
    std::optional<PumpSection> pump;
};

// 点検報告書: an A4 portrait PDF with the heading, a summary of the verdicts, the records as the
// data grid shows them (verdict cells coloured as there, the table heading on every page), a
// per-pump trend chart when the report is on one pump, and lines for the tester's and the
// approver's signatures. Text stays text: Latin characters in a TrueType face, so that every
// RFID and number can be found in the file, and Japanese in Noto Sans CJK JP.
class PdfReportWriter final : public data::RecordWriter {
public:
    explicit PdfReportWriter(ReportContext context) : m_context(std::move(context)) {}
    bool write(QIODevice& device, std::span<const data::MeasurementRecord> records) override;

private:
    ReportContext m_context;
};

// The system's user name, for "made by".
QString currentUserName();

}  // namespace torbex::report
