#include "cli/tester_commands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/interrupt.h"
#include "cli/record_listing.h"
#include "commands/settings_transfer.h"
#include "commands/value_text.h"
#include "data/csv_format.h"
#include "workflow/download.h"
#include "workflow/shared_texts.h"

namespace torbex::cli {
namespace {

// Control characters would upset a terminal; the tester's texts are shown with them as dots.
QString printable(const QString& text) {
    QString shown = text;
    for (QChar& c : shown)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = u'.';
    return shown;
}

// A level the lists know as its letter; any other digit as itself, so that an odd setting is
// seen rather than hidden behind a default.
QString levelText(int level) {
    static const QString letters = QStringLiteral("LMH");
    return level >= 0 && level < 3 ? QString(letters[level]) : QString::number(level);
}

void printInfo(QTextStream& out, const commands::TesterIdentity& id, const commands::MeasurementSettings& s, bool json) {
    if (json) {
        QJsonArray coefficients;
        for (float c : id.coefficients) coefficients.append(commands::formatCoefficient(c));
        const QJsonObject settings{{QStringLiteral("flowRate"), commands::formatFlowRate(s.FlowRate).toDouble()},
                                   {QStringLiteral("averageCount"), s.AverageCount},
                                   {QStringLiteral("measureCount"), s.MeasureCount},
                                   {QStringLiteral("occlusionPressure"), commands::formatFlowRate(s.OcclusionPressure).toDouble()},
                                   {QStringLiteral("occlusionLevel"), s.OcclusionLevel},
                                   {QStringLiteral("writeMode"), s.WriteMode},
                                   {QStringLiteral("rfidUse"), s.RfidUse},
                                   {QStringLiteral("displayUnits"), s.DisplayUnits}};
        out << QJsonDocument(QJsonObject{{QStringLiteral("version"), id.version},
                                         {QStringLiteral("serial"), id.serialNumber},
                                         {QStringLiteral("coefficients"), coefficients},
                                         {QStringLiteral("settings"), settings}})
                   .toJson(QJsonDocument::Indented);
        return;
    }
    out << "version: " << printable(id.version) << '\n' << "serial: " << printable(id.serialNumber) << '\n';
    for (std::size_t i = 0; i < id.coefficients.size(); ++i)
        out << "coefficient a" << i << ": " << commands::formatCoefficient(id.coefficients[i]) << '\n';
    out << "flow rate: " << commands::formatFlowRate(s.FlowRate) << " ml/h\n"
        << "average count: " << s.AverageCount << '\n'
        << "measure count: " << s.MeasureCount << '\n'
        << "occlusion pressure: " << commands::formatFlowRate(s.OcclusionPressure) << " kPa\n"
        << "occlusion level: " << levelText(s.OcclusionLevel) << '\n'
        << "write mode: " << s.WriteMode << '\n'
        << "RFID use: " << s.RfidUse << '\n'
        << "display units: " << s.DisplayUnits << '\n';
}

}  // namespace

int info(Invocation& call) {
    commands::TesterService* tester = call.tester();
    if (!tester) return kFileError;
    const auto identity = tester->identify();
    if (!identity) return call.failed(identity.failure());
    // The settings as the tester reported them, not as the window's lists would hold them.
    const auto settings = tester->readSettings();
    if (!settings) return call.failed(settings.failure());
    printInfo(call.out(), identity.value(), settings.value(), call.isSet(QStringLiteral("json")));
    return kSuccess;
}

int setClock(Invocation& call) {
    commands::TesterService* tester = call.tester();
    if (!tester) return kFileError;
    const auto done = tester->setClock(QDateTime::currentDateTime());
    return done ? kSuccess : call.failed(done.failure());
}

int sendSettings(Invocation& call) {
    static const QString letters = QStringLiteral("LMH");
    const QString level = call.value(QStringLiteral("level")).trimmed().toUpper();
    if (level.size() != 1 || !letters.contains(level)) {
        call.err() << "torbex-cli: --level must be L, M or H\n";
        return kUsageError;
    }
    // Only the flow rate and the level are the operator's to change here; write mode, RFID use
    // and display units go back exactly as the tester reported them.
    const commands::SettingsChoice choice{call.value(QStringLiteral("flow")), static_cast<int>(letters.indexOf(level)),
                                          std::nullopt, std::nullopt, std::nullopt, std::nullopt};
    if (!commands::checkSettingsTransfer({}, std::nullopt, choice)) {
        call.err() << "torbex-cli: " << workflow::texts::kFlowRateRange << '\n';
        return kUsageError;
    }
    commands::TesterService* tester = call.tester();
    if (!tester) return kFileError;
    const auto reported = tester->readSettings();
    if (!reported) return call.failed(reported.failure());
    const auto transfer = commands::checkSettingsTransfer(reported.value(), reported.value(), choice);
    const auto done = tester->sendSettings(transfer->sent);
    return done ? kSuccess : call.failed(done.failure());
}

namespace {

// A progress line on a terminal, and Ctrl-C asks the download to stop.
class TerminalProgress final : public commands::DownloadProgress {
public:
    explicit TerminalProgress(Invocation& call) : m_call(call) {}
    ~TerminalProgress() override {
        if (m_drawn) m_call.err() << '\n';
    }
    void reached(int slot, int records) override {
        if (!m_call.errIsTerminal()) return;
        m_call.err() << "\rslot " << slot << " of " << commands::kHighestSlot + 1 << ", " << records << " records";
        m_call.err().flush();
        m_drawn = true;
    }
    bool cancelRequested() const override { return interruptRequested(); }

private:
    Invocation& m_call;
    bool m_drawn = false;
};

}  // namespace

int download(Invocation& call) {
    commands::TesterService* tester = call.tester();
    if (!tester) return kFileError;
    data::RecordStore store;
    // The download's file does not depend on the history: one that cannot be opened or written
    // is a warning.
    history::HistoryStore* history = call.history();
    workflow::Download done;
    {
        CatchInterrupt catching;
        TerminalProgress progress(call);
        done = workflow::download(*tester, store, progress, history);
    }
    if (!done.downloaded) {
        const int status = call.failed(done.downloaded.failure());
        call.err() << "torbex-cli: no file written\n";
        return status;
    }
    const QString problem = history ? done.recorded.historyProblem : call.historyError();
    if (!problem.isEmpty()) call.err() << "torbex-cli: warning: history unavailable: " << terminalText(problem) << '\n';
    const QString out = call.value(QStringLiteral("out"));
    if (const data::FileOutcome written = data::CsvWriter().writeFile(out, store.records()); !written)
        return call.fileFailed(QStringLiteral("write"), out, written.error);
    call.out() << store.count() << " records\n";
    return kSuccess;
}

int clear(Invocation& call) {
    commands::TesterService* tester = call.tester();
    if (!tester) return kFileError;
    const auto done = tester->clearRecords();
    if (done) return kSuccess;
    const int status = call.failed(done.failure());
    call.err() << "torbex-cli: the tester's records may not be cleared\n";
    return status;
}

int show(Invocation& call) {
    const QString file = call.arguments().front();
    data::CsvReader reader;
    const auto records = reader.readFile(file);
    data::RecordStore store;
    if (!records || !store.replace(*records)) return call.fileFailed(QStringLiteral("read"), file, reader.errorString());
    if (call.isSet(QStringLiteral("json"))) {
        call.out() << recordListingJson(store);
    } else {
        call.out() << recordListing(store);
    }
    return kSuccess;
}

}  // namespace torbex::cli
