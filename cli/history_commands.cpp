#include "cli/history_commands.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "cli/record_listing.h"
#include "data/grid_cells.h"
#include "data/record_texts.h"
#include "workflow/data_files.h"
#include "workflow/reports.h"
#include "workflow/shared_texts.h"

namespace torbex::cli {
namespace {

using history::HistoryStore;

// Tenths as the listings show them; "--" when not known.
QString tenthsListed(const std::optional<int>& tenths) {
    return tenths ? data::tenthsText(*tenths) : QString();
}

void printTest(Invocation& call, const history::KeptTest& test) {
    const data::MeasurementRecord& r = test.record;
    const data::Measurement& v = r.values;
    printRow(call, {r.MeasureDate.text().trimmed(), r.MeasureTime.text().trimmed(), r.rfid(), r.managementNumber(),
                    test.testerSerial, v.flowSetting ? QString::number(*v.flowSetting) : QString(),
                    tenthsListed(r.flowResult()), data::verdictWord(r.flowVerdict()),
                    v.occlusionLevel ? data::occlusionLevelLetter(*v.occlusionLevel) : QString(),
                    tenthsListed(r.occlusionResult()), data::verdictWord(r.occlusionVerdict())});
}

}  // namespace

// One tab-separated line of a listing; an empty cell shows as "--" so the columns stay countable.
void printRow(Invocation& call, const QStringList& cells) {
    QStringList shown;
    for (const QString& cell : cells) shown.append(terminalText(cell.isEmpty() ? QStringLiteral("--") : cell));
    call.out() << shown.join(u'\t') << '\n';
}

std::optional<QString> rfidArgument(Invocation& call, const QString& text) {
    static const QRegularExpression rfid(QStringLiteral("^[0-9A-F]{16}$"));
    const QString upper = text.trimmed().toUpper();
    if (rfid.match(upper).hasMatch()) return upper;
    call.err() << "torbex-cli: an RFID is 16 hexadecimal digits, not " << terminalText(text) << '\n';
    return std::nullopt;
}

std::variant<QString, int> pumpArgument(Invocation& call, const QString& text) {
    static const QRegularExpression rfid(QStringLiteral("^[0-9A-Fa-f]{16}$"));
    if (rfid.match(text.trimmed()).hasMatch()) return text.trimmed().toUpper();
    HistoryStore* store = call.historyOrSay();
    if (!store) return kHistoryUnavailable;
    const auto found = store->findPump(text);
    if (!found) return call.historyFailed(found.error());
    if (!found.value()) {
        call.err() << "torbex-cli: no pump has the RFID or management number " << terminalText(text) << '\n';
        return kUsageError;
    }
    return found.value()->rfid;
}

int listHistory(Invocation& call) {
    std::optional<QString> rfid;
    if (call.isSet(QStringLiteral("rfid")) && !(rfid = rfidArgument(call, call.value(QStringLiteral("rfid")))))
        return kUsageError;
    HistoryStore* store = call.historyOrSay();
    if (!store) return kHistoryUnavailable;
    const history::TestQuery query{rfid.value_or(QString()), {}};
    QString problem;
    if (call.isSet(QStringLiteral("json"))) {
        call.writeOut([&](QIODevice& device) {
            const data::TestsWritten written =
                workflow::exportHistory(device, *store, query, QDateTime::currentDateTime());
            if (written.sourceFailed) problem = written.error;
            return written.error;
        });
    } else {
        const auto read = store->eachTest(query, [&call](const history::KeptTest& test) {
            printTest(call, test);
            return !call.outputFailed();
        });
        if (!read) problem = read.error();
    }
    // A failed write to standard output is told as the tool ends.
    return problem.isEmpty() || call.outputFailed() ? kSuccess : call.historyFailed(problem);
}

int importFiles(Invocation& call) {
    // Every file is read and checked before any goes in: a file that is not a data file as this
    // program writes them adds nothing, and names its line.
    auto checked = workflow::checkDataFiles(call.arguments());
    if (const auto* refusal = std::get_if<workflow::ImportRefusal>(&checked)) {
        const QString why = refusal->line > 0 ? QStringLiteral("line %1: %2").arg(refusal->line).arg(refusal->why)
                                              : refusal->why;
        return call.fileFailed(QStringLiteral("import"), refusal->path, why);
    }
    HistoryStore* store = call.historyOrSay();
    if (!store) return kHistoryUnavailable;
    int files = 0, added = 0;
    // File by file, each line as soon as its file is in: an import cut short shows how far it came.
    const QString problem = workflow::importDataFiles(
        *store, std::get<std::vector<workflow::CheckedFile>>(checked),
        [&](const workflow::CheckedFile& file, const history::ImportSummary& summary) {
            call.out() << terminalText(file.path) << ": " << summary.added << " tests added\n";
            for (const history::NumberConflict& conflict : summary.conflicts) {
                call.out() << terminalText(conflict.rfid) << ": registry " << terminalText(conflict.registered)
                           << ", file " << terminalText(conflict.inFile) << '\n';
            }
            call.out().flush();
            ++files;
            added += summary.added;
        });
    if (!problem.isEmpty()) return call.historyFailed(problem);
    call.out() << files << " files, " << added << " tests added\n";
    return kSuccess;
}

}  // namespace torbex::cli
