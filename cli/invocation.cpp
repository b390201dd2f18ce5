#include "cli/invocation.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileDevice>
#include <QStandardPaths>

#include "cli/record_listing.h"
#include "link/hidapi_transport.h"
#include "sim/scenario.h"
#include "sim/simulated_bus.h"

namespace torbex::cli {

QString Invocation::writeOut(const std::function<QString(QIODevice&)>& produce) {
    out().flush();
    if (QIODevice* device = out().device()) return produce(*device);
    // A stream on a text (the tests' in-process runs) has no device to stream to.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QString problem = produce(buffer);
    out() << QString::fromUtf8(buffer.data());
    return problem;
}

bool Invocation::outputFailed() {
    if (out().status() != QTextStream::Ok) return true;
    const auto* file = qobject_cast<const QFileDevice*>(out().device());
    return file && file->error() != QFileDevice::NoError;
}

commands::TesterService* Invocation::tester() {
    if (m_tester) return m_tester.get();
    if (!isSet(QStringLiteral("simulate"))) {
        m_transport = std::make_unique<link::HidapiTransport>();
    } else {
        sim::ScenarioResult scenario = sim::loadScenarioFile(value(QStringLiteral("simulate")));
        if (!scenario.state) {
            err() << "torbex-cli: " << terminalText(scenario.error) << '\n';
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

history::DatabaseTarget Invocation::historyTarget() const {
    const auto chosen = isSet(QStringLiteral("database")) ? std::optional(value(QStringLiteral("database"))) : std::nullopt;
    return history::chooseDatabase(settingsFolders(), chosen);
}

history::HistoryStore* Invocation::history() {
    if (m_history) return m_history.get();
    auto opened = history::HistoryStore::open(historyTarget());
    if (!opened) {
        m_historyError = opened.error();
        return nullptr;
    }
    m_history = std::move(opened.value());
    return m_history.get();
}

history::HistoryStore* Invocation::historyOrSay() {
    history::HistoryStore* store = history();
    if (!store) historyFailed(m_historyError);
    return store;
}

int Invocation::historyFailed(const QString& reason) {
    err() << "torbex-cli: history unavailable: " << terminalText(reason) << '\n';
    return kHistoryUnavailable;
}

int Invocation::fileFailed(const QString& verb, const QString& path, const QString& reason) {
    err() << "torbex-cli: cannot " << verb << ' ' << terminalText(path) << ": " << terminalText(reason) << '\n';
    return kFileError;
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

}  // namespace torbex::cli
