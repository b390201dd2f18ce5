#pragma once

#include <QDate>
#include <QString>
#include <vector>

#include "history/history_store.h"

namespace torbex::workflow {

// Which pumps the worklist shows: in service, and overdue or due within `withinDays` of `today`;
// of one department only when one is named (letter case aside).
struct DueQuery {
    QDate today;
    int withinDays = 30;
    QString department;
};
// Soonest due first; a pump never tested is due at once and comes before all others.
std::vector<history::PumpSummary> worklist(std::vector<history::PumpSummary> pumps, const DueQuery& query);

// The worklist written to `path`: 点検予定表 as a PDF, or for a name ending in .csv one row per
// pump in UTF-8 with a byte-order mark; whole or not at all. Empty when written, else why not.
QString writeWorklist(const QString& path, const std::vector<history::PumpSummary>& pumps, const DueQuery& query,
                      const QString& madeBy);

// Copies the history to `path`, replacing the file there only once the copy is checked whole;
// empty when done, else why not.
QString backupHistory(history::HistoryStore& store, const QString& path);

// Replaces the history's contents by those of the backup at `backup`, once it is known to be a
// whole history this program can use (an older one is brought up to date on a copy). The
// history as it was is first copied beside its file, to `keptAt`.
struct Restore {
    QString keptAt;
    QString error;  // empty when restored
};
Restore restoreHistory(history::HistoryStore& store, const history::DatabaseTarget& target, const QString& backup);

}  // namespace torbex::workflow
