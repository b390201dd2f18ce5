#include "cli/cli_commands.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include "app/operator_texts.h"
#include "cli/history_commands.h"
#include "cli/report_commands.h"
#include "cli/interrupt.h"
#include "cli/record_listing.h"
#include "commands/settings_transfer.h"
#include "commands/value_text.h"
#include "data/csv_format.h"
#include "data/record_download.h"
#include "link/hidapi_transport.h"
#include "sim/scenario.h"
#include "sim/simulated_bus.h"

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
        call.err() << "torbex-cli: " << app::texts::kFlowRateRange << '\n';
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

int download(Invocation& call) {
    commands::TesterService* tester = call.tester();
    if (!tester) return kFileError;
    data::RecordStore store;
    commands::Outcome<int> downloaded = 0;
    {
        CatchInterrupt catching;
        TerminalProgress progress(call);
        downloaded = data::downloadRecords(*tester, store, progress);
    }
    if (!downloaded) {
        const int status = call.failed(downloaded.failure());
        call.err() << "torbex-cli: no file written\n";
        return status;
    }
    recordDownload(call, *tester, store);
    const QString out = call.value(QStringLiteral("out"));
    if (const data::FileOutcome written = data::CsvWriter().writeFile(out, store.records()); !written) {
        call.err() << "torbex-cli: cannot write " << out << ": " << written.error << '\n';
        return kFileError;
    }
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
    if (!records || !store.replace(*records)) {
        call.err() << "torbex-cli: cannot read " << file << ": " << reader.errorString() << '\n';
        return kFileError;
    }
    if (call.isSet(QStringLiteral("json"))) {
        call.out() << recordListingJson(store);
    } else {
        call.out() << recordListing(store);
    }
    return kSuccess;
}

QCommandLineOption json() { return {QStringLiteral("json"), QStringLiteral("Print JSON.")}; }

QCommandLineOption rfid() { return {QStringLiteral("rfid"), QStringLiteral("Only this pump's tests."), QStringLiteral("RFID")}; }

}  // namespace

bool Invocation::isSet(const QString& option) const { return m_parser.isSet(option); }

QString Invocation::value(const QString& option) const { return m_parser.value(option); }

// The command's own arguments: the command's name comes first on the line.
QStringList Invocation::arguments() const { return m_parser.positionalArguments().mid(1); }

commands::TesterService* Invocation::tester() {
    if (m_tester) return m_tester.get();
    if (!isSet(QStringLiteral("simulate"))) {
        m_transport = std::make_unique<link::HidapiTransport>();
    } else {
        sim::ScenarioResult scenario = sim::loadScenarioFile(value(QStringLiteral("simulate")));
        if (!scenario.state) {
            err() << "torbex-cli: " << scenario.error << '\n';
            return nullptr;
        }
        m_simulated = std::make_unique<sim::SimulatedTester>(std::move(*scenario.state));
        auto bus = std::make_unique<sim::SimulatedBus>();
        bus->attachTester(*m_simulated);
        m_transport = std::move(bus);
    }
    m_tester = std::make_unique<commands::TesterService>(*m_transport, m_clock, m_events);
    if (isSet(QStringLiteral("trace"))) {
        m_tester->link().setTrace([this](link::ReportDirection direction, const link::Report& report) {
            const QByteArray hex = QByteArray(reinterpret_cast<const char*>(report.data()), report.size()).toHex(' ');
            err() << (direction == link::ReportDirection::Out ? "out: " : "in: ") << hex << '\n';
            err().flush();
        });
    }
    return m_tester.get();
}

history::HistoryStore* Invocation::history() {
    if (m_history) return m_history.get();
    const auto chosen = isSet(QStringLiteral("database")) ? std::optional(value(QStringLiteral("database"))) : std::nullopt;
    auto opened = history::HistoryStore::open(history::chooseDatabase(settingsFolders(), chosen));
    if (!opened) {
        m_historyError = opened.error();
        return nullptr;
    }
    m_history = std::move(opened.value());
    return m_history.get();
}

QStringList Invocation::settingsFolders() const {
    const QString besideProgram = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return {besideProgram, QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)};
}

int Invocation::failed(const commands::Failure& failure) {
    if (failure.kind == commands::FailureKind::Cancelled) {
        err() << "torbex-cli: interrupted\n";
        return kInterrupted;
    }
    err() << "torbex-cli: " << failure.reason << '\n';
    return failure.kind == commands::FailureKind::RefusedValue ? kUsageError : kNoTester;
}

const std::vector<Command>& commandTable() {
    static const std::vector<Command> table{
        {QStringLiteral("info"), QStringLiteral("info [--json]"),
         QStringLiteral("show the tester's version, serial number, calibration coefficients and settings"), {json()}, {}, 0,
         0, &info},
        {QStringLiteral("set-clock"), QStringLiteral("set-clock"), QStringLiteral("set the tester's clock to this PC's local time"),
         {}, {}, 0, 0, &setClock},
        {QStringLiteral("send-settings"), QStringLiteral("send-settings --flow F --level L|M|H"),
         QStringLiteral("send a flow rate (5 to 150 ml/h) and an occlusion level"),
         {{QStringLiteral("flow"), QStringLiteral("Flow rate in ml/h."), QStringLiteral("F")},
          {QStringLiteral("level"), QStringLiteral("Occlusion level."), QStringLiteral("L|M|H")}},
         {QStringLiteral("flow"), QStringLiteral("level")}, 0, 0, &sendSettings},
        {QStringLiteral("download"), QStringLiteral("download --out FILE.csv"),
         QStringLiteral("download every record and save them as a data file"),
         {{QStringLiteral("out"), QStringLiteral("The data file to write."), QStringLiteral("FILE.csv")}},
         {QStringLiteral("out")}, 0, 0, &download},
        {QStringLiteral("clear"), QStringLiteral("clear"), QStringLiteral("erase the tester's records"), {}, {}, 0, 0, &clear},
        {QStringLiteral("show"), QStringLiteral("show FILE.csv [--json]"),
         QStringLiteral("list the records of a data file as the window shows them"), {json()}, {}, 1, 1, &show},
        {QStringLiteral("history"), QStringLiteral("history [--rfid RFID] [--json]"),
         QStringLiteral("list the tests kept, oldest first, with the pumps' management numbers"), {rfid(), json()}, {}, 0,
         0, &listHistory},
        {QStringLiteral("registry"), QStringLiteral("registry [--json] | registry set RFID NUMBER"),
         QStringLiteral("list the pumps with their last tests and due dates, or set a pump's management number"),
         {json()}, {}, 0, 3, &registry},
        {QStringLiteral("import"), QStringLiteral("import FILE.csv..."),
         QStringLiteral("add data files' tests to the history and learn their management numbers"), {}, {}, 1, -1,
         &importFiles},
        {QStringLiteral("report"), QStringLiteral("report (FILE.csv | --rfid RFID | --all) --out REPORT.pdf"),
         QStringLiteral("make the inspection report of a data file, of one pump's history or of every test kept"),
         {{QStringLiteral("rfid"), QStringLiteral("The pump whose history to report."), QStringLiteral("RFID")},
          {QStringLiteral("all"), QStringLiteral("Every test kept.")},
          {QStringLiteral("out"), QStringLiteral("The PDF file to write."), QStringLiteral("REPORT.pdf")}},
         {QStringLiteral("out")}, 0, 1, &report},
        {QStringLiteral("export"), QStringLiteral("export (FILE.csv | --all | --since DATE) --out FILE.json"),
         QStringLiteral("write records as JSON for a maintenance system"),
         {{QStringLiteral("all"), QStringLiteral("Every test kept.")},
          {QStringLiteral("since"), QStringLiteral("Tests on or after this day."), QStringLiteral("yyyy-MM-dd")},
          {QStringLiteral("out"), QStringLiteral("The JSON file to write."), QStringLiteral("FILE.json")}},
         {QStringLiteral("out")}, 0, 1, &exportRecords},
    };
    return table;
}

}  // namespace torbex::cli
