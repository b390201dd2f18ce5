#include "cli/history_commands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "app/operator_texts.h"
#include "data/management_number.h"
#include "cli/record_listing.h"
#include "data/csv_format.h"
#include "data/grid_cells.h"

namespace torbex::cli {
namespace {

using history::HistoryStore;

QString resultText(const std::optional<int>& tenths) {
    return tenths ? QString::number(*tenths / 10.0, 'f', 1) : QStringLiteral("--");
}

QJsonValue resultJson(const std::optional<int>& tenths) {
    return tenths ? QJsonValue(*tenths / 10.0) : QJsonValue(QJsonValue::Null);
}

// A record that holds only a kept test's status, for its verdicts.
data::MeasurementRecord withStatus(int status) {
    data::MeasurementRecord record;
    record.status = static_cast<std::uint8_t>(status);
    return record;
}

// One tab-separated line of a listing; an empty cell shows as "--" so the columns stay countable.
void printRow(Invocation& call, const QStringList& cells) {
    QStringList shown;
    for (const QString& cell : cells) shown.append(terminalText(cell.isEmpty() ? QStringLiteral("--") : cell));
    call.out() << shown.join(u'\t') << '\n';
}

HistoryStore* openHistory(Invocation& call) {
    HistoryStore* store = call.history();
    if (!store) call.err() << "torbex-cli: history unavailable: " << call.historyError() << '\n';
    return store;
}

int historyFailed(Invocation& call, const QString& reason) {
    call.err() << "torbex-cli: history unavailable: " << reason << '\n';
    return kHistoryUnavailable;
}

}  // namespace

std::optional<QString> rfidArgument(Invocation& call, const QString& text) {
    static const QRegularExpression rfid(QStringLiteral("^[0-9A-F]{16}$"));
    const QString upper = text.trimmed().toUpper();
    if (rfid.match(upper).hasMatch()) return upper;
    call.err() << "torbex-cli: an RFID is 16 hexadecimal digits, not " << terminalText(text)
               << '\n';
    return std::nullopt;
}

namespace {

void printTests(Invocation& call, const std::vector<history::StoredTest>& tests) {
    if (!call.isSet(QStringLiteral("json"))) {
        for (const history::StoredTest& test : tests) {
            const data::MeasurementRecord status = withStatus(test.status);
            const QStringList cells{test.measureDate,
                                    test.measureTime,
                                    test.rfid,
                                    test.managementNo,
                                    test.testerSerial,
                                    QString::number(test.flowSetting),
                                    resultText(test.flowResultTenths),
                                    data::verdictWord(status.flowVerdict().result()),
                                    test.occlusionLevel,
                                    resultText(test.occlusionResultTenths),
                                    data::verdictWord(status.occlusionVerdict().result())};
            printRow(call, cells);
        }
        return;
    }
    QJsonArray array;
    for (const history::StoredTest& test : tests) {
        const data::MeasurementRecord status = withStatus(test.status);
        array.append(QJsonObject{
            {QStringLiteral("date"), test.measureDate},
            {QStringLiteral("time"), test.measureTime},
            {QStringLiteral("rfid"), test.rfid},
            {QStringLiteral("managementNo"), test.managementNo},
            {QStringLiteral("testerSerial"), test.testerSerial},
            {QStringLiteral("status"), test.status},
            {QStringLiteral("flowSetting"), test.flowSetting},
            {QStringLiteral("flowResult"), resultJson(test.flowResultTenths)},
            {QStringLiteral("flowVerdict"), data::verdictWord(status.flowVerdict().result())},
            {QStringLiteral("occlusionLevel"), test.occlusionLevel},
            {QStringLiteral("occlusionResult"), resultJson(test.occlusionResultTenths)},
            {QStringLiteral("occlusionVerdict"), data::verdictWord(status.occlusionVerdict().result())}});
    }
    call.out() << QJsonDocument(array).toJson(QJsonDocument::Indented);
}

void printPumps(Invocation& call, const std::vector<history::PumpSummary>& pumps) {
    const auto due = [](const history::PumpSummary& pump) {
        return pump.due.isValid() ? pump.due.toString(Qt::ISODate) : QString();
    };
    if (!call.isSet(QStringLiteral("json"))) {
        for (const history::PumpSummary& pump : pumps) {
            const QStringList cells{
                pump.rfid,     pump.managementNo,          QString::number(pump.tests),
                pump.lastDate, data::verdictWord(pump.lastFlow), data::verdictWord(pump.lastOcclusion),
                due(pump)};
            printRow(call, cells);
        }
        return;
    }
    QJsonArray array;
    for (const history::PumpSummary& pump : pumps) {
        array.append(QJsonObject{{QStringLiteral("rfid"), pump.rfid},
                                 {QStringLiteral("managementNo"), pump.managementNo},
                                 {QStringLiteral("tests"), pump.tests},
                                 {QStringLiteral("lastDate"), pump.lastDate},
                                 {QStringLiteral("lastFlow"), data::verdictWord(pump.lastFlow)},
                                 {QStringLiteral("lastOcclusion"), data::verdictWord(pump.lastOcclusion)},
                                 {QStringLiteral("due"), due(pump)}});
    }
    call.out() << QJsonDocument(array).toJson(QJsonDocument::Indented);
}

// The same rules as the window's editor: the number goes into data files and spreadsheets.
int setNumber(Invocation& call, const QStringList& arguments) {
    if (arguments.size() != 3 || arguments.front() != QStringLiteral("set")) {
        call.err() << "torbex-cli: registry takes no arguments, or: set RFID NUMBER\n";
        return kUsageError;
    }
    const std::optional<QString> rfid = rfidArgument(call, arguments[1]);
    if (!rfid) return kUsageError;
    if (const auto problem = data::managementNumberProblem(arguments[2])) {
        call.err() << "torbex-cli: " << app::texts::managementNumberMessage(*problem) << '\n';
        return kUsageError;
    }
    HistoryStore* store = openHistory(call);
    if (!store) return kHistoryUnavailable;
    const auto set = store->setManagementNumber(*rfid, data::managementNumberToStore(arguments[2]),
                                                history::ChangeSource::Tool);
    return set ? kSuccess : historyFailed(call, set.error());
}

}  // namespace

int listHistory(Invocation& call) {
    std::optional<QString> rfid;
    if (call.isSet(QStringLiteral("rfid")) &&
        !(rfid = rfidArgument(call, call.value(QStringLiteral("rfid")))))
        return kUsageError;
    HistoryStore* store = openHistory(call);
    if (!store) return kHistoryUnavailable;
    const auto tests = store->tests(rfid.value_or(QString()));
    if (!tests) return historyFailed(call, tests.error());
    printTests(call, tests.value());
    return kSuccess;
}

int registry(Invocation& call) {
    if (!call.arguments().isEmpty()) return setNumber(call, call.arguments());
    // Due dates from an interval other than the department's would look right and be wrong.
    const history::InspectionInterval interval = history::inspectionIntervalMonths(call.settingsFolders());
    if (!interval.problem.isEmpty()) {
        call.err() << "torbex-cli: " << interval.problem << '\n';
        return kUsageError;
    }
    HistoryStore* store = openHistory(call);
    if (!store) return kHistoryUnavailable;
    const auto pumps = store->pumps(interval.months);
    if (!pumps) return historyFailed(call, pumps.error());
    printPumps(call, pumps.value());
    return kSuccess;
}

int importFiles(Invocation& call) {
    HistoryStore* store = openHistory(call);
    if (!store) return kHistoryUnavailable;
    // File by file, each line as soon as its file is in: an import cut short shows how far it came.
    int files = 0;
    int added = 0;
    for (const QString& path : call.arguments()) {
        data::CsvReader reader;
        const auto records = reader.readFile(path);
        if (!records) {
            call.err() << "torbex-cli: cannot read " << path << ": " << reader.errorString()
                       << '\n';
            return kFileError;
        }
        const auto file = store->recordDataFile(*records);
        if (!file) return historyFailed(call, path + QStringLiteral(": ") + file.error());
        call.out() << path << ": " << file.value().added << " tests added\n";
        for (const history::NumberConflict& conflict : file.value().conflicts) {
            call.out() << terminalText(conflict.rfid) << ": registry "
                       << terminalText(conflict.registered) << ", file "
                       << terminalText(conflict.inFile) << '\n';
        }
        call.out().flush();
        ++files;
        added += file.value().added;
    }
    call.out() << files << " files, " << added << " tests added\n";
    return kSuccess;
}

void recordDownload(Invocation& call, commands::TesterService& tester, data::RecordStore& store) {
    const auto warn = [&call](const QString& reason) {
        call.err() << "torbex-cli: warning: history unavailable: " << reason << '\n';
    };
    HistoryStore* history = call.history();
    if (!history) return warn(call.historyError());
    // A test whose tester is unknown is still kept; a later download of it names the tester.
    const auto identity = tester.identify();
    const QString serial = identity ? identity.value().serialNumber.trimmed() : QString();
    if (const auto recorded = history->recordTests(serial, store.records()); !recorded)
        return warn(recorded.error());
    const auto numbers = history->managementNumbers();
    if (!numbers) return warn(numbers.error());
    history::fillManagementNumbers(
        std::span(&store.record(0), static_cast<std::size_t>(store.count())), numbers.value());
}

}  // namespace torbex::cli
