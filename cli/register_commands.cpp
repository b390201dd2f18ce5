#include "cli/register_commands.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/history_commands.h"
#include "cli/record_listing.h"
#include "cli/report_commands.h"
#include "commands/plain_text.h"
#include "data/grid_cells.h"
#include "data/management_number.h"
#include "history/register_fields.h"
#include "data/file_io.h"
#include "workflow/register.h"
#include "workflow/field_texts.h"
#include "workflow/register_csv.h"
#include "workflow/reports.h"
#include "workflow/shared_texts.h"

namespace torbex::cli {
namespace {

using history::HistoryStore;
using history::PumpSummary;

QString isoDay(const QDate& day) { return day.isValid() ? day.toString(Qt::ISODate) : QString(); }

QString overallWord(const PumpSummary& pump) {
    return data::verdictWord(data::overallVerdict(pump.lastFlow, pump.lastOcclusion));
}

QJsonObject pumpJson(const PumpSummary& pump) {
    const history::PumpDetails& d = pump.details;
    return {{QStringLiteral("rfid"), pump.rfid},
            {QStringLiteral("managementNo"), pump.managementNo},
            {QStringLiteral("maker"), d.maker},
            {QStringLiteral("model"), d.model},
            {QStringLiteral("serial"), d.serial},
            {QStringLiteral("department"), d.department},
            {QStringLiteral("location"), d.location},
            {QStringLiteral("status"), history::statusWord(d.retired)},
            {QStringLiteral("notes"), d.notes},
            {QStringLiteral("intervalMonths"), pump.intervalMonths},
            {QStringLiteral("tests"), pump.tests},
            {QStringLiteral("lastDate"), pump.lastDate},
            {QStringLiteral("lastFlow"), data::verdictWord(pump.lastFlow)},
            {QStringLiteral("lastOcclusion"), data::verdictWord(pump.lastOcclusion)},
            {QStringLiteral("lastOverall"), overallWord(pump)},
            {QStringLiteral("due"), isoDay(pump.due)}};
}

void printJson(Invocation& call, const std::vector<PumpSummary>& pumps) {
    QJsonArray array;
    for (const PumpSummary& pump : pumps) array.append(pumpJson(pump));
    call.out() << QJsonDocument(array).toJson(QJsonDocument::Indented);
}

// The pumps with their due dates from the models' intervals or torbex.conf's; nullopt after
// saying why not. Due dates from an interval other than the department's would look right and
// be wrong.
std::optional<std::vector<PumpSummary>> pumps(Invocation& call, int& status) {
    const history::InspectionInterval interval = history::inspectionIntervalMonths(call.settingsFolders());
    if (!interval.problem.isEmpty()) {
        call.err() << "torbex-cli: " << terminalText(interval.problem) << '\n';
        status = kUsageError;
        return std::nullopt;
    }
    HistoryStore* store = call.historyOrSay();
    if (!store) {
        status = kHistoryUnavailable;
        return std::nullopt;
    }
    auto listed = store->pumps(interval.months);
    if (!listed) {
        status = call.historyFailed(listed.error());
        return std::nullopt;
    }
    return std::move(listed.value());
}

// Why a value cannot go into a field, in the tool's words; empty when it can.
QString problemWith(const QString& field, const QString& value) {
    return workflow::texts::fieldProblemText(field, value, QStringLiteral("--") + field);
}

int setPump(Invocation& call, const QStringList& arguments) {
    std::map<QString, QString> changes;
    if (arguments.size() == 3) changes[QStringLiteral("number")] = data::managementNumberToStore(arguments[2]);
    for (const QString& field : history::pumpFieldNames())
        if (call.isSet(field)) changes[field] = call.value(field);
    if (arguments.size() < 2 || arguments.size() > 3 || changes.empty()) {
        call.err() << "torbex-cli: registry set takes an RFID, and a number or a field to set\n";
        return kUsageError;
    }
    const std::optional<QString> rfid = rfidArgument(call, arguments[1]);
    if (!rfid) return kUsageError;
    for (const auto& [field, value] : changes) {
        // The number is checked as typed: the editor's rules are for what the operator enters.
        const QString problem = problemWith(field, field == u"number" ? arguments[2] : value);
        if (!problem.isEmpty()) {
            call.err() << "torbex-cli: " << terminalText(problem) << '\n';
            return kUsageError;
        }
    }
    HistoryStore* store = call.historyOrSay();
    if (!store) return kHistoryUnavailable;
    const auto set = store->changePump(*rfid, changes, history::ChangeSource::Tool);
    return set ? kSuccess : call.historyFailed(set.error());
}

int showPump(Invocation& call, const QString& named) {
    const auto found = pumpArgument(call, named);
    if (const int* status = std::get_if<int>(&found)) return *status;
    const QString* rfid = std::get_if<QString>(&found);
    int status = kSuccess;
    const auto all = pumps(call, status);
    if (!all) return status;
    const auto listed = std::ranges::find(*all, *rfid, &PumpSummary::rfid);
    PumpSummary pump = listed != all->end() ? *listed : PumpSummary{};
    pump.rfid = *rfid;  // a pump neither registered nor tested is known by its RFID alone
    if (call.isSet(QStringLiteral("json"))) {
        call.out() << QJsonDocument(pumpJson(pump)).toJson(QJsonDocument::Indented);
        return kSuccess;
    }
    const QJsonObject fields = pumpJson(pump);
    for (const char16_t* key : {u"rfid", u"managementNo", u"maker", u"model", u"serial", u"department", u"location",
                               u"status", u"notes", u"intervalMonths", u"tests", u"lastDate", u"lastOverall", u"due"}) {
        const QJsonValue value = fields.value(QStringView(key));
        call.out() << QStringView(key) << ": " << terminalText(value.isDouble() ? QString::number(value.toInt()) : value.toString())
                   << '\n';
    }
    return kSuccess;
}

void printAuditEntry(Invocation& call, const history::AuditEntry& e) {
    printRow(call, {e.changedAt, e.rfid, e.field, e.oldValue, e.newValue, e.changedBy,
                    e.source == history::ChangeSource::Editor ? QStringLiteral("editor")
                    : e.source == history::ChangeSource::File ? QStringLiteral("file")
                                                               : QStringLiteral("tool")});
}

// Every line is checked before any pump changes; a file with a failing line changes nothing.
int importRegister(Invocation& call, const QString& path) {
    const auto checked = workflow::readRegisterFile(path);
    if (const auto* problems = std::get_if<workflow::RegisterProblems>(&checked)) {
        for (const auto& [line, why] : problems->lines)
            call.err() << "torbex-cli: " << terminalText(path) << ": " << (line > 0 ? QStringLiteral("line %1: ").arg(line) : QString())
                       << terminalText(why) << '\n';
        call.err() << "torbex-cli: nothing imported\n";
        return kFileError;
    }
    HistoryStore* store = call.historyOrSay();
    if (!store) return kHistoryUnavailable;
    const auto& file = std::get<workflow::RegisterFile>(checked);
    const auto changed = store->importRegister(file.pumps, file.intervals, history::ChangeSource::File);
    if (!changed) return call.historyFailed(changed.error());
    call.out() << file.pumps.size() << " pumps read, " << changed.value() << " changed\n";
    return kSuccess;
}

int exportRegister(Invocation& call) {
    if (!call.isSet(QStringLiteral("out"))) {
        call.err() << "torbex-cli: registry export needs --out\n";
        return kUsageError;
    }
    int status = kSuccess;
    const auto listed = pumps(call, status);
    if (!listed) return status;
    const auto models = call.history()->modelIntervals();
    if (!models) return call.historyFailed(models.error());
    const QString out = call.value(QStringLiteral("out"));
    const data::FileOutcome written = data::writeFileAtomically(out, workflow::registerCsv(*listed, models.value()));
    if (!written.ok()) return call.fileFailed(QStringLiteral("write"), out, written.error);
    call.out() << listed->size() << " pumps\n";
    return kSuccess;
}

}  // namespace

int registry(Invocation& call) {
    const QStringList arguments = call.arguments();
    if (!arguments.isEmpty() && arguments.front() == u"set") return setPump(call, arguments);
    if (arguments.size() == 2 && arguments.front() == u"show") return showPump(call, arguments[1]);
    if (arguments.size() == 2 && arguments.front() == u"import") return importRegister(call, arguments[1]);
    if (arguments.size() == 1 && arguments.front() == u"export") return exportRegister(call);
    if (!arguments.isEmpty()) {
        call.err() << "torbex-cli: registry takes no arguments, or: set RFID [NUMBER] [--FIELD VALUE...], "
                      "show RFID|NUMBER, import FILE.csv, export --out FILE.csv\n";
        return kUsageError;
    }
    int status = kSuccess;
    const auto listed = pumps(call, status);
    if (!listed) return status;
    if (call.isSet(QStringLiteral("json"))) {
        printJson(call, *listed);
        return kSuccess;
    }
    for (const PumpSummary& pump : *listed) {
        printRow(call, {pump.rfid, pump.managementNo, QString::number(pump.tests), pump.lastDate,
                        data::verdictWord(pump.lastFlow), data::verdictWord(pump.lastOcclusion), isoDay(pump.due)});
    }
    return kSuccess;
}

int model(Invocation& call) {
    const QStringList arguments = call.arguments();
    const bool set = arguments.size() == 3 && arguments.front() == u"set" && call.isSet(QStringLiteral("interval"));
    if (!arguments.isEmpty() && !set) {
        call.err() << "torbex-cli: model takes no arguments, or: set MAKER MODEL --interval MONTHS\n";
        return kUsageError;
    }
    const std::optional<int> months = commands::parseWholeNumber(call.value(QStringLiteral("interval")));
    if (set) {
        QString problem = problemWith(QStringLiteral("maker"), arguments[1]);
        if (problem.isEmpty()) problem = problemWith(QStringLiteral("model"), arguments[2]);
        if (problem.isEmpty() && (!months || *months > 120))
            problem = QStringLiteral("--interval takes whole months from 1 to 120, or 0 to remove the model's own");
        if (!problem.isEmpty()) {
            call.err() << "torbex-cli: " << terminalText(problem) << '\n';
            return kUsageError;
        }
    }
    HistoryStore* store = call.historyOrSay();
    if (!store) return kHistoryUnavailable;
    if (set) {
        const auto done = store->setModelInterval({arguments[1].trimmed(), arguments[2].trimmed(), *months});
        return done ? kSuccess : call.historyFailed(done.error());
    }
    const auto models = store->modelIntervals();
    if (!models) return call.historyFailed(models.error());
    QJsonArray array;
    for (const history::ModelInterval& m : models.value()) {
        if (!call.isSet(QStringLiteral("json"))) printRow(call, {m.maker, m.model, QString::number(m.months)});
        array.append(QJsonObject{{QStringLiteral("maker"), m.maker}, {QStringLiteral("model"), m.model},
                                 {QStringLiteral("intervalMonths"), m.months}});
    }
    if (call.isSet(QStringLiteral("json"))) call.out() << QJsonDocument(array).toJson(QJsonDocument::Indented);
    return kSuccess;
}

int audit(Invocation& call) {
    QString rfid;
    if (call.isSet(QStringLiteral("rfid"))) {
        const auto named = pumpArgument(call, call.value(QStringLiteral("rfid")));
        if (const int* status = std::get_if<int>(&named)) return *status;
        rfid = std::get<QString>(named);
    }
    HistoryStore* store = call.historyOrSay();
    if (!store) return kHistoryUnavailable;
    const auto entries = store->audit(rfid);
    if (!entries) return call.historyFailed(entries.error());
    if (!call.isSet(QStringLiteral("json"))) {
        for (const history::AuditEntry& entry : entries.value()) printAuditEntry(call, entry);
        return kSuccess;
    }
    QJsonArray array;
    for (const history::AuditEntry& e : entries.value()) {
        array.append(QJsonObject{{QStringLiteral("changedAt"), e.changedAt}, {QStringLiteral("rfid"), e.rfid},
                                 {QStringLiteral("field"), e.field}, {QStringLiteral("old"), e.oldValue},
                                 {QStringLiteral("new"), e.newValue}, {QStringLiteral("changedBy"), e.changedBy}});
    }
    call.out() << QJsonDocument(array).toJson(QJsonDocument::Indented);
    return kSuccess;
}

int due(Invocation& call) {
    workflow::DueQuery query{QDate::currentDate(), 30, call.value(QStringLiteral("department")).trimmed()};
    if (call.isSet(QStringLiteral("within"))) {
        const std::optional<int> days = commands::parseWholeNumber(call.value(QStringLiteral("within")));
        if (!days || *days > 3650) {
            call.err() << "torbex-cli: --within takes whole days from 0 to 3650\n";
            return kUsageError;
        }
        query.withinDays = *days;
    }
    int status = kSuccess;
    auto listed = pumps(call, status);
    if (!listed) return status;
    const std::vector<PumpSummary> list = workflow::worklist(std::move(*listed), query);
    if (call.isSet(QStringLiteral("out"))) {
        if (const auto status = usePrintedLanguage(call)) return *status;
        const QString out = call.value(QStringLiteral("out"));
        const QString problem = workflow::writeWorklist(out, list, query, workflow::inspectorName(call.settingsFolders()));
        if (!problem.isEmpty()) return call.fileFailed(QStringLiteral("write"), out, problem);
        call.out() << list.size() << " pumps\n";
        return kSuccess;
    }
    if (call.isSet(QStringLiteral("json"))) {
        printJson(call, list);
        return kSuccess;
    }
    for (const PumpSummary& pump : list) {
        const history::PumpDetails& d = pump.details;
        printRow(call, {isoDay(pump.due), pump.managementNo, pump.rfid, d.department, d.location, d.maker, d.model,
                        pump.lastDate, pump.tests ? overallWord(pump) : QString()});
    }
    return kSuccess;
}

}  // namespace torbex::cli
