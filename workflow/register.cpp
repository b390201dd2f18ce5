#include "workflow/register.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "data/file_io.h"
#include "data/grid_cells.h"
#include "data/spreadsheet_cell.h"
#include "report/worklist_pdf.h"

namespace torbex::workflow {
namespace {

// A name beside `path` that no file has, for a copy that becomes `path` only when whole.
QString sideName(const QString& path, const QString& tag) {
    const QFileInfo file(path);
    return file.absoluteDir().filePath(QStringLiteral(".%1.%2-%3").arg(file.fileName(), tag,
                                                                        QUuid::createUuid().toString(QUuid::Id128)));
}

void removeSqliteFiles(const QString& path) {
    for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
        QFile::remove(path + suffix);
}

}  // namespace

std::vector<history::PumpSummary> worklist(std::vector<history::PumpSummary> pumps, const DueQuery& query) {
    const QDate until = query.today.addDays(query.withinDays);
    std::erase_if(pumps, [&](const history::PumpSummary& pump) {
        const bool otherDepartment = !query.department.isEmpty() &&
                                     pump.details.department.compare(query.department, Qt::CaseInsensitive) != 0;
        return pump.details.retired || otherDepartment || (pump.due.isValid() && pump.due > until);
    });
    std::stable_sort(pumps.begin(), pumps.end(), [](const history::PumpSummary& a, const history::PumpSummary& b) {
        if (a.due.isValid() != b.due.isValid()) return !a.due.isValid();
        return a.due < b.due;
    });
    return pumps;
}

QString writeWorklist(const QString& path, const std::vector<history::PumpSummary>& pumps, const DueQuery& query,
                      const QString& madeBy) {
    std::vector<report::WorklistRow> rows;
    for (const history::PumpSummary& p : pumps) {
        const history::PumpDetails& d = p.details;
        rows.push_back({p.due, p.managementNo, p.rfid, d.department, d.location, d.maker, d.model,
                        QDate::fromString(p.lastDate, Qt::ISODate),
                        p.tests ? std::optional(data::overallVerdict(p.lastFlow, p.lastOcclusion)) : std::nullopt});
    }
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) {
        const report::WorklistContext context{madeBy, QDateTime(query.today, QTime::currentTime()), query.withinDays,
                                              query.department};
        return data::writeFileStreamed(path, [&](QIODevice& device) { return report::writeWorklistPdf(device, rows, context); })
            .error;
    }
    QString text = QStringLiteral("due,management_number,rfid,department,location,maker,model,last_test,overall_verdict\r\n");
    const auto day = [](const QDate& date) { return date.isValid() ? date.toString(Qt::ISODate) : QString(); };
    for (const report::WorklistRow& r : rows) {
        const auto cell = data::spreadsheetCell;
        text += QStringList{day(r.due),     cell(r.managementNo), r.rfid,         cell(r.department),
                            cell(r.location), cell(r.maker),      cell(r.model), day(r.lastTest),
                            r.lastOverall ? data::verdictWord(*r.lastOverall) : QString()}
                    .join(u',') +
                QStringLiteral("\r\n");
    }
    return data::writeFileAtomically(path, "\xEF\xBB\xBF" + text.toUtf8()).error;
}

QString backupHistory(history::HistoryStore& store, const QString& path) {
    if (QFileInfo(path).isDir()) return QStringLiteral("%1 is a folder").arg(path);
    if (!QFileInfo(path).absoluteDir().exists()) return QStringLiteral("No such file or directory");
    const QString partial = sideName(path, QStringLiteral("partial"));
    QString error;
    if (const auto copied = store.copyTo(partial); !copied) {
        error = copied.error();
    } else if (const auto checked = history::checkHistoryCopy(partial); !checked) {
        error = checked.error();
    } else {
        std::error_code failed;
        std::filesystem::rename(QFile::encodeName(partial).toStdString(), QFile::encodeName(path).toStdString(), failed);
        if (failed) error = QString::fromLocal8Bit(failed.message());
    }
    if (!error.isEmpty()) removeSqliteFiles(partial);
    return error;
}

Restore restoreHistory(history::HistoryStore& store, const history::DatabaseTarget& target, const QString& backup) {
    if (target.kind != history::DatabaseTarget::Kind::Sqlite)
        return {{}, QStringLiteral("a PostgreSQL history is restored with the server's pg_restore (see the README)")};
    const QFileInfo source(backup);
    if (!source.isFile()) return {{}, source.exists() ? QStringLiteral("not a regular file") : QStringLiteral("No such file or directory")};
    // The backup itself is never changed: a copy is checked and brought up to date.
    const QString copy = sideName(target.location, QStringLiteral("restore"));
    const auto cleanUp = [&copy](Restore restore) {
        removeSqliteFiles(copy);
        return restore;
    };
    if (!QFile::copy(backup, copy)) return cleanUp({{}, QStringLiteral("cannot copy it beside the history")});
    if (const auto checked = history::checkHistoryCopy(copy); !checked) return cleanUp({{}, checked.error()});
    {
        auto upgraded = history::HistoryStore::open({history::DatabaseTarget::Kind::Sqlite, copy});
        if (!upgraded) return cleanUp({{}, upgraded.error()});
    }
    const QString kept = target.location + QStringLiteral(".before-restore-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (const QString saved = backupHistory(store, kept); !saved.isEmpty())
        return cleanUp({{}, QStringLiteral("the history could not be kept first: ") + saved});
    if (const auto replaced = store.replaceWith(copy); !replaced) return cleanUp({kept, replaced.error()});
    return cleanUp({kept, {}});
}

}  // namespace torbex::workflow
