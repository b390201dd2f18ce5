#pragma once

#include <QCommandLineOption>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

#include "cli/cli_app.h"
#include "commands/tester_service.h"
#include "history/history_store.h"
#include "link/clock.h"
#include "link/event_pump.h"
#include "link/hid_transport.h"
#include "sim/simulated_tester.h"

class QCommandLineParser;

namespace torbex::cli {

// What a command is run with: its parsed options and arguments, and the tester behind them.
class Invocation {
public:
    Invocation(const QCommandLineParser& parser, Streams streams) : m_parser(parser), m_streams(streams) {}

    bool isSet(const QString& option) const;
    QString value(const QString& option) const;
    QStringList arguments() const;
    QTextStream& out() { return m_streams.out; }
    QTextStream& err() { return m_streams.err; }
    bool errIsTerminal() const { return m_streams.errIsTerminal; }

    // The USB tester, or the simulated one of --simulate; nullopt after saying why not.
    commands::TesterService* tester();
    // Says why an operation failed and gives the exit status.
    int failed(const commands::Failure& failure);

    // The history of --database, TORBEX_DATABASE, torbex.conf or the user's own, opened at the
    // first call; nullptr, with historyError() saying why, when it cannot be opened.
    history::HistoryStore* history();
    const QString& historyError() const { return m_historyError; }
    // Where torbex.conf is looked for: the folders Setting.ini may live in.
    QStringList settingsFolders() const;

private:
    const QCommandLineParser& m_parser;
    Streams m_streams;
    link::SteadyClock m_clock;
    link::CallbackEventPump m_events;
    std::unique_ptr<sim::SimulatedTester> m_simulated;
    std::unique_ptr<link::HidTransport> m_transport;
    std::unique_ptr<commands::TesterService> m_tester;
    std::unique_ptr<history::HistoryStore> m_history;
    QString m_historyError;
};

// One command of the tool: its name, its usage line, what it does, its own options and how it runs.
struct Command {
    QString name;
    QString usage;
    QString summary;
    std::vector<QCommandLineOption> options;
    QStringList requiredOptions;
    int minArguments = 0;  // positional arguments it takes
    int maxArguments = 0;  // -1: any number
    int (*run)(Invocation&) = nullptr;
};

const std::vector<Command>& commandTable();

}  // namespace torbex::cli
