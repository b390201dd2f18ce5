#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "cli/arguments.h"
#include "cli/streams.h"
#include "commands/tester_service.h"
#include "history/history_store.h"
#include "link/clock.h"
#include "link/event_pump.h"
#include "link/hid_transport.h"
#include "sim/simulated_tester.h"

class QIODevice;

namespace torbex::cli {

// What a command is run with: its parsed options and arguments, and the tester and the history
// behind them.
class Invocation {
public:
    Invocation(ParsedArguments arguments, Streams streams) : m_arguments(std::move(arguments)), m_streams(streams) {}

    bool isSet(const QString& option) const { return m_arguments.options.contains(option); }
    QString value(const QString& option) const { return m_arguments.options.value(option); }
    // The command's own arguments, its name left out.
    QStringList arguments() const { return m_arguments.positional.mid(1); }
    QTextStream& out() { return m_streams.out; }
    QTextStream& err() { return m_streams.err; }
    bool errIsTerminal() const { return m_streams.errIsTerminal; }

    // Writes to standard output through a device, as a large listing is made; empty when written,
    // else why not. Standard output is then checked like every other result.
    QString writeOut(const std::function<QString(QIODevice&)>& produce);
    // Whether standard output refused a write; the tool then ends with status 3 and the reason.
    bool outputFailed();

    // The USB tester, or the simulated one of --simulate; nullptr after saying why not.
    commands::TesterService* tester();
    // Says why an operation failed and gives the exit status.
    int failed(const commands::Failure& failure);

    // The history of --database, TORBEX_DATABASE, torbex.conf or the user's own, opened at the
    // first call; nullptr, with historyError() saying why, when it cannot be opened.
    history::HistoryStore* history();
    // Where that history is.
    history::DatabaseTarget historyTarget() const;
    const QString& historyError() const { return m_historyError; }
    // The history, or nullptr after saying on standard error why it is unavailable.
    history::HistoryStore* historyOrSay();
    // Says why the history failed and gives the exit status.
    int historyFailed(const QString& reason);
    // Says why a file could not be read or written and gives the exit status.
    int fileFailed(const QString& verb, const QString& path, const QString& reason);
    // Where torbex.conf is looked for: the folders Setting.ini may live in.
    QStringList settingsFolders() const;

private:
    ParsedArguments m_arguments;
    Streams m_streams;
    link::SteadyClock m_clock;
    link::CallbackEventPump m_events;
    std::unique_ptr<sim::SimulatedTester> m_simulated;
    std::unique_ptr<link::HidTransport> m_transport;
    std::unique_ptr<commands::TesterService> m_tester;
    std::unique_ptr<history::HistoryStore> m_history;
    QString m_historyError;
};

}  // namespace torbex::cli
