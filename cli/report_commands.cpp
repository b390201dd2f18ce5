#include "cli/report_commands.h"

#include <QDate>
#include <QRegularExpression>

#include "cli/history_commands.h"
#include "cli/record_listing.h"
#include "workflow/data_files.h"
#include "workflow/language.h"
#include "workflow/reports.h"

namespace torbex::cli {
namespace {

// What a report or an export is made of: a data file's records, or a query on the history.
struct Source {
    std::optional<workflow::RecordsInHand> records;
    history::TestQuery query;
    bool onePump = false;
};

// The one source the command line names, or the exit status after saying what is wrong.
std::variant<Source, int> readSource(Invocation& call, bool forReport) {
    const QStringList files = call.arguments();
    const bool all = call.isSet(QStringLiteral("all"));
    const bool rfid = forReport && call.isSet(QStringLiteral("rfid"));
    const bool since = !forReport && call.isSet(QStringLiteral("since"));
    if (files.size() + (all ? 1 : 0) + (rfid ? 1 : 0) + (since ? 1 : 0) != 1) {
        call.err() << "torbex-cli: name one of: a data file, " << (forReport ? "--rfid RFID, --all" : "--all, --since DATE")
                   << '\n';
        return kUsageError;
    }
    Source source;
    if (!files.isEmpty()) {
        workflow::DataFile file = workflow::readDataFile(files.front());
        if (!file.error.isEmpty()) return call.fileFailed(QStringLiteral("read"), files.front(), file.error);
        // A data file names no tester. Numbers it lacks may be known to the registry; without a
        // history the file's own stand.
        source.records = workflow::withRegistryNumbers({std::move(file.contents.records), {}}, call.history());
        return source;
    }
    if (since) {
        static const QRegularExpression isoDay(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
        const QString day = call.value(QStringLiteral("since"));
        source.query.since = QDate::fromString(day, Qt::ISODate);
        if (!isoDay.match(day).hasMatch() || !source.query.since.isValid()) {
            call.err() << "torbex-cli: --since takes a date as yyyy-MM-dd\n";
            return kUsageError;
        }
    }
    if (rfid) {
        const auto pump = pumpArgument(call, call.value(QStringLiteral("rfid")));
        if (const int* status = std::get_if<int>(&pump)) return *status;
        source.query.rfid = std::get<QString>(pump);
        source.onePump = true;
    }
    if (!call.historyOrSay()) return kHistoryUnavailable;
    return source;
}

// The outcome as the tool reports it: a history that failed on the way is the history's fault,
// anything else the file's.
int written(Invocation& call, const data::TestsWritten& outcome, const QString& out) {
    if (outcome.ok()) {
        call.out() << outcome.tests << " records\n";
        return kSuccess;
    }
    if (outcome.sourceFailed) return call.historyFailed(outcome.error);
    return call.fileFailed(QStringLiteral("write"), out, outcome.error);
}

}  // namespace

std::optional<int> usePrintedLanguage(Invocation& call) {
    // Printed reports are for people and speak the interface's language; the tool's own output
    // does not change with it.
    std::optional<QString> asked;
    if (call.isSet(QStringLiteral("lang"))) asked = call.value(QStringLiteral("lang"));
    if (asked && !workflow::languageNamed(*asked)) {
        call.err() << "torbex-cli: --lang takes ja or en\n";
        return kUsageError;
    }
    const workflow::LanguageChoice language =
        workflow::chooseLanguage(asked, history::configuredLanguage(call.settingsFolders()), QLocale::system());
    if (!language.problem.isEmpty()) call.err() << "torbex-cli: " << language.problem << '\n';
    if (language.language == workflow::Language::Japanese) return std::nullopt;  // the texts' own language
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || !workflow::installProgramTexts(*application, language.language)) {
        call.err() << "torbex-cli: this build lacks the English texts\n";
        return kFileError;
    }
    return std::nullopt;
}

int report(Invocation& call) {
    if (const auto status = usePrintedLanguage(call)) return *status;
    auto read = readSource(call, true);
    if (const int* status = std::get_if<int>(&read)) return *status;
    const Source& source = std::get<Source>(read);
    const QString out = call.value(QStringLiteral("out"));
    const workflow::Authorship by = workflow::authorshipNow(call.settingsFolders());
    if (source.records) return written(call, workflow::reportOnRecords(out, *source.records, by), out);
    const history::InspectionInterval interval = history::inspectionIntervalMonths(call.settingsFolders());
    if (!source.onePump) return written(call, workflow::reportByPump(out, *call.history(), interval.months, by), out);
    const workflow::PumpRead pump = workflow::pumpTests(*call.history(), source.query.rfid, interval.months);
    if (!pump.error.isEmpty()) return call.historyFailed(pump.error);
    return written(call, workflow::reportOnPump(out, pump.pump, by), out);
}

int exportRecords(Invocation& call) {
    const QString format = call.isSet(QStringLiteral("format")) ? call.value(QStringLiteral("format")) : QStringLiteral("json");
    const bool cmms = format == u"cmms-csv";
    if (!cmms && format != u"json") {
        call.err() << "torbex-cli: --format is json or cmms-csv\n";
        return kUsageError;
    }
    auto read = readSource(call, false);
    if (const int* status = std::get_if<int>(&read)) return *status;
    const Source& source = std::get<Source>(read);
    const QString out = call.value(QStringLiteral("out"));
    if (cmms) {
        // The rows carry the register's details and due dates: the history's tests only.
        if (source.records) {
            call.err() << "torbex-cli: cmms-csv exports the history: name --all or --since DATE\n";
            return kUsageError;
        }
        const history::InspectionInterval interval = history::inspectionIntervalMonths(call.settingsFolders());
        if (!interval.problem.isEmpty()) {
            call.err() << "torbex-cli: " << terminalText(interval.problem) << '\n';
            return kUsageError;
        }
        return written(call,
                       workflow::exportCmms(out, *call.history(), source.query, interval.months,
                                            workflow::inspectorName(call.settingsFolders())),
                       out);
    }
    const QDateTime now = QDateTime::currentDateTime();
    return written(call,
                   source.records ? workflow::exportRecords(out, *source.records, now, call.history())
                                  : workflow::exportHistory(out, *call.history(), source.query, now),
                   out);
}

}  // namespace torbex::cli
