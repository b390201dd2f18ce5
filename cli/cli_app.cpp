#include "cli/cli_app.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <memory>
#include <optional>

#include "cli/record_listing.h"
#include "commands/settings_transfer.h"
#include "commands/tester_session.h"
#include "commands/value_text.h"
#include "data/csv_codec.h"
#include "data/measurement_download.h"
#include "link/hidapi_transport.h"
#include "sim/scenario.h"
#include "sim/simulated_bus.h"

namespace torbex::cli {
namespace {

using commands::ServiceOutcome;

const QString kUsage = QStringLiteral(
    "usage: torbex-cli [--simulate SCENARIO.json] [--trace] COMMAND\n"
    "\n"
    "commands:\n"
    "  info [--json]                          show the tester's version, serial number,\n"
    "                                         calibration coefficients and settings\n"
    "  set-clock                              set the tester's clock to this PC's local time\n"
    "  send-settings --flow F --level L|M|H   send a flow rate (5 to 150 ml/h) and an occlusion level\n"
    "  download --out FILE.csv                download every record and save them as a data file\n"
    "  clear                                  erase the tester's records\n"
    "  show FILE.csv [--json]                 list the records of a data file as the window shows them\n"
    "\n"
    "options:\n"
    "  --simulate FILE   talk to a simulated tester described by FILE instead of the USB tester\n"
    "  --trace           write every report to standard error in hexadecimal\n");

struct Options {
    std::optional<QString> scenario;
    bool trace = false;
    bool json = false;
    QString command;
    std::optional<QString> flow;
    std::optional<QString> level;
    std::optional<QString> out;
    std::optional<QString> file;  // the data file of `show`
};

// Parses the arguments; nullopt with a reason in `problem` when they do not make a command.
std::optional<Options> parse(const QStringList& arguments, QString& problem) {
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= arguments.size()) {
                problem = word + QStringLiteral(" needs a value");
                return std::nullopt;
            }
            return arguments[++i];
        };
        if (word == u"--simulate") {
            if (!(options.scenario = value())) return std::nullopt;
        } else if (word == u"--trace") {
            options.trace = true;
        } else if (word == u"--json" && (options.command == u"info" || options.command == u"show")) {
            options.json = true;
        } else if (word == u"--flow" && options.command == u"send-settings") {
            if (!(options.flow = value())) return std::nullopt;
        } else if (word == u"--level" && options.command == u"send-settings") {
            if (!(options.level = value())) return std::nullopt;
        } else if (word == u"--out" && options.command == u"download") {
            if (!(options.out = value())) return std::nullopt;
        } else if (options.command.isEmpty() && !word.startsWith(u'-')) {
            options.command = word;
        } else if (options.command == u"show" && !options.file && !word.startsWith(u'-')) {
            options.file = word;
        } else {
            problem = QStringLiteral("unexpected argument: ") + word;
            return std::nullopt;
        }
    }
    static const QStringList commands{QStringLiteral("info"),     QStringLiteral("set-clock"),
                                      QStringLiteral("send-settings"), QStringLiteral("download"),
                                      QStringLiteral("clear"),    QStringLiteral("show")};
    if (options.command.isEmpty()) {
        problem = QStringLiteral("no command given");
        return std::nullopt;
    }
    if (!commands.contains(options.command)) {
        problem = QStringLiteral("unknown command: ") + options.command;
        return std::nullopt;
    }
    if (options.command == u"send-settings" && (!options.flow || !options.level)) {
        problem = QStringLiteral("send-settings needs --flow and --level");
        return std::nullopt;
    }
    if (options.command == u"download" && !options.out) {
        problem = QStringLiteral("download needs --out FILE.csv");
        return std::nullopt;
    }
    if (options.command == u"show" && !options.file) {
        problem = QStringLiteral("show needs a data file");
        return std::nullopt;
    }
    return options;
}

// Control characters would upset a terminal; the tester's texts are shown with them as dots.
QString printable(const QString& text) {
    QString shown = text;
    for (QChar& c : shown)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = u'.';
    return shown;
}

// Settings as the tester reported them: the lists' values where it sent one of them, the digit
// itself otherwise, so that an odd setting is seen rather than hidden behind a default.
commands::MeasurementSettings reportedSettings(const commands::TesterValues& values) {
    return values.settingsAsRead.value_or(values.measurementSettings);
}

QString levelLetter(int level) {
    static const QString letters = QStringLiteral("LMH");
    return level >= 0 && level < 3 ? QString(letters[level]) : QString::number(level);
}

class Tool {
public:
    Tool(const Options& options, QTextStream& out, QTextStream& err) : m_options(options), m_out(out), m_err(err) {}

    int run() {
        if (m_options.command == u"show") return show();
        if (const int status = openTransport(); status != kSuccess) return status;
        commands::TesterSession session(*m_transport, m_clock, m_events);
        if (m_options.trace) session.link.setTrace(traceTo(m_err));
        session.requests.COM_ENA = 1;

        if (m_options.command == u"info") return info(session);
        if (m_options.command == u"set-clock") return perform(session, commands::kRequestSetClock);
        if (m_options.command == u"download") return download(session);
        if (m_options.command == u"clear") return clear(session);
        return sendSettings(session);
    }

private:
    int openTransport() {
        if (!m_options.scenario) {
            m_transport = std::make_unique<link::HidapiTransport>();
            return kSuccess;
        }
        sim::ScenarioResult scenario = sim::loadScenarioFile(*m_options.scenario);
        if (!scenario.state) {
            m_err << "torbex-cli: " << scenario.error << '\n';
            return kFileError;
        }
        m_tester = std::make_unique<sim::SimulatedTester>(std::move(*scenario.state));
        auto bus = std::make_unique<sim::SimulatedBus>();
        bus->attachTester(*m_tester);
        m_transport = std::move(bus);
        return kSuccess;
    }

    static link::ReportTrace traceTo(QTextStream& stream) {
        return [&stream](link::ReportDirection direction, std::span<const std::uint8_t, link::kCommandBytes> bytes) {
            const QByteArray hex = QByteArray(reinterpret_cast<const char*>(bytes.data()), bytes.size()).toHex(' ');
            stream << (direction == link::ReportDirection::Out ? "out: " : "in: ") << hex << '\n';
            stream.flush();
        };
    }

    // Carries out one request; on failure says why and gives the exit status.
    int perform(commands::TesterSession& session, std::int16_t request) {
        switch (session.runRequest(request)) {
            case ServiceOutcome::Answered: return kSuccess;
            case ServiceOutcome::TesterAbsent: m_err << "torbex-cli: no tester found\n"; return kNoTester;
            default: m_err << "torbex-cli: the tester did not answer\n"; return kNoTester;
        }
    }

    int info(commands::TesterSession& session) {
        for (const std::int16_t request : {commands::kRequestReadVersion, commands::kRequestReadCalibration,
                                           commands::kRequestReadSettings}) {
            if (const int status = perform(session, request); status != kSuccess) return status;
        }
        const commands::TesterValues& v = session.values;
        const commands::MeasurementSettings s = reportedSettings(v);
        if (m_options.json) {
            QJsonArray coefficients;
            for (float c : v.calibrationCoefficients) coefficients.append(commands::formatCoefficient(c));
            const QJsonObject settings{{QStringLiteral("flowRate"), commands::formatFlowRate(s.FlowRate).toDouble()},
                                       {QStringLiteral("averageCount"), s.AverageCount},
                                       {QStringLiteral("measureCount"), s.MeasureCount},
                                       {QStringLiteral("occlusionPressure"), commands::formatFlowRate(s.OcclusionPressure).toDouble()},
                                       {QStringLiteral("occlusionLevel"), s.OcclusionLevel},
                                       {QStringLiteral("writeMode"), s.WriteMode},
                                       {QStringLiteral("rfidUse"), s.RfidUse},
                                       {QStringLiteral("displayUnits"), s.DisplayUnits}};
            const QJsonObject root{{QStringLiteral("version"), v.TesterVersion},
                                   {QStringLiteral("serial"), v.SerialNumber},
                                   {QStringLiteral("coefficients"), coefficients},
                                   {QStringLiteral("settings"), settings}};
            m_out << QJsonDocument(root).toJson(QJsonDocument::Indented);
            return kSuccess;
        }
        m_out << "version: " << printable(v.TesterVersion) << '\n'
              << "serial: " << printable(v.SerialNumber) << '\n';
        for (std::size_t i = 0; i < v.calibrationCoefficients.size(); ++i)
            m_out << "coefficient a" << i << ": " << commands::formatCoefficient(v.calibrationCoefficients[i]) << '\n';
        m_out << "flow rate: " << commands::formatFlowRate(s.FlowRate) << " ml/h\n"
              << "average count: " << s.AverageCount << '\n'
              << "measure count: " << s.MeasureCount << '\n'
              << "occlusion pressure: " << commands::formatFlowRate(s.OcclusionPressure) << " kPa\n"
              << "occlusion level: " << levelLetter(s.OcclusionLevel) << '\n'
              << "write mode: " << s.WriteMode << '\n'
              << "RFID use: " << s.RfidUse << '\n'
              << "display units: " << s.DisplayUnits << '\n';
        return kSuccess;
    }

    int sendSettings(commands::TesterSession& session) {
        static const QString letters = QStringLiteral("LMH");
        const QString level = m_options.level->trimmed().toUpper();
        if (level.size() != 1 || !letters.contains(level)) {
            m_err << "torbex-cli: --level must be L, M or H\n" << kUsage;
            return kUsageError;
        }
        // Only the flow rate and the level are the operator's to change here; write mode, RFID use
        // and display units go back exactly as the tester reported them.
        const commands::SettingsChoice choice{*m_options.flow, static_cast<int>(letters.indexOf(level)),
                                              std::nullopt, std::nullopt, std::nullopt, std::nullopt};
        commands::TesterValues& values = session.values;
        if (!commands::checkSettingsTransfer(values.measurementSettings, std::nullopt, choice)) {
            m_err << "torbex-cli: " << commands::kFlowRateRangeMessage << '\n';
            return kUsageError;
        }
        if (const int status = perform(session, commands::kRequestReadSettings); status != kSuccess) return status;
        values.settingsToSend = commands::checkSettingsTransfer(values.measurementSettings, values.settingsAsRead, choice)->sent;
        return perform(session, commands::kRequestWriteSettings);
    }

    int download(commands::TesterSession& session) {
        data::RecordStore store;
        data::DownloadView quiet;
        data::MeasurementDownload download(session.exchange, session.requests, store, quiet);
        download.ReadMeasurementData();
        if (session.requests.COM_ERR != 0) {
            m_err << "torbex-cli: no tester found, or it stopped answering; no file written\n";
            return kNoTester;
        }
        if (const data::FileOutcome written = data::WriteCsvFile(*m_options.out, store); !written.ok()) {
            m_err << "torbex-cli: cannot write " << *m_options.out << ": " << written.error << '\n';
            return kFileError;
        }
        m_out << store.RecordCount << " records\n";
        return kSuccess;
    }

    int clear(commands::TesterSession& session) {
        if (!session.link.FindTheHid()) {
            m_err << "torbex-cli: no tester found\n";
            return kNoTester;
        }
        data::RecordStore store;
        data::DownloadView quiet;
        if (!data::MeasurementDownload(session.exchange, session.requests, store, quiet).ClearDeviceData()) {
            m_err << "torbex-cli: the tester did not answer; its records may not be cleared\n";
            return kNoTester;
        }
        return kSuccess;
    }

    int show() {
        data::RecordStore store;
        if (const data::FileOutcome read = data::ReadCsvFile(*m_options.file, store); !read.ok()) {
            m_err << "torbex-cli: cannot read " << *m_options.file << ": " << read.error << '\n';
            return kFileError;
        }
        if (m_options.json) {
            m_out << recordListingJson(store);
        } else {
            m_out << recordListing(store);
        }
        return kSuccess;
    }

    const Options& m_options;
    QTextStream& m_out;
    QTextStream& m_err;
    link::SteadyClock m_clock;
    link::CallbackEventPump m_events;
    std::unique_ptr<sim::SimulatedTester> m_tester;
    std::unique_ptr<link::HidTransport> m_transport;
};

}  // namespace

int run(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QString problem;
    const std::optional<Options> options = parse(arguments, problem);
    if (!options) {
        err << "torbex-cli: " << problem << "\n\n" << kUsage;
        return kUsageError;
    }
    return Tool(*options, out, err).run();
}

}  // namespace torbex::cli
