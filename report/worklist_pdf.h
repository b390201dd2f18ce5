#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <vector>

#include "data/measurement.h"

class QIODevice;

namespace torbex::report {

// One pump on the worklist, as the register and its last test give it.
struct WorklistRow {
    QDate due;  // invalid: never tested, due at once
    QString managementNo, rfid, department, location, maker, model;
    QDate lastTest;
    std::optional<data::Verdict> lastOverall;  // nullopt: never tested
};

struct WorklistContext {
    QString madeBy;
    QDateTime madeAt;
    int withinDays = 30;
    QString department;  // empty: every department
};

// 点検予定表: an A4 portrait PDF of the pumps to inspect, soonest first, overdue ones in red,
// with the page number on every page. Empty when written, else why not.
QString writeWorklistPdf(QIODevice& device, const std::vector<WorklistRow>& rows, const WorklistContext& context);

}  // namespace torbex::report
