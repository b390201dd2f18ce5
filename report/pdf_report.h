#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "data/test_source.h"

class QIODevice;

namespace torbex::report {

// A report on one pump: its tests, drawn as a trend chart above the table.
struct PumpSection {
    QString rfid;
    QString managementNo;
    std::vector<data::MeasurementRecord> tests;
    // What the register knows of the pump; empty where nothing is known.
    QString maker, model, serial, department, location;
    QDate nextDue;  // invalid when not known
};

struct ReportContext {
    QString madeBy;
    QDateTime madeAt;
    std::optional<PumpSection> pump;
    // Set for a report on many pumps whose tests come pump by pump: what the register knows of
    // each pump (its tests left empty), for the band that heads its tests.
    std::function<PumpSection(const QString& rfid)> pumpOf;
};

// 点検報告書: an A4 portrait PDF with the heading (the tester's serial when every test came from
// one tester), a summary of the verdicts, the tests as the data grid shows them (verdict cells
// coloured as there, the table heading on every page), a per-pump trend chart when the report is
// on one pump (or, on many, a band with each pump's details above its tests), and lines for the tester's and the approver's signatures. The tests are read twice
// (the summary comes first) and drawn page by page, never held whole. Text stays text: Latin
// characters in a TrueType face, so that every RFID and number can be found in the file, and
// Japanese in Noto Sans CJK JP.
data::TestsWritten writePdfReport(QIODevice& device, data::TestSource& tests, const ReportContext& context);

}  // namespace torbex::report
