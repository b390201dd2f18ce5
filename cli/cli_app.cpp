#include "cli/cli_app.h"

#include "cli/command_table.h"

namespace torbex::cli {
namespace {

QString usage() {
    QString text = QStringLiteral(
        "usage: torbex-cli [--database DB] [--simulate SCENARIO.json] [--trace] COMMAND\n"
        "       torbex-cli --help | --version | COMMAND --help\n"
        "\n"
        "commands:\n");
    // A usage too long for its column stands alone, its summary below it in the column.
    for (const Command& command : commandTable()) {
        text += command.usage.size() <= 38 ? QStringLiteral("  %1 %2\n").arg(command.usage, -38).arg(command.summary)
                                           : QStringLiteral("  %1\n%2 %3\n").arg(command.usage, QString(40, u' '), command.summary);
    }
    text += QStringLiteral(
        "\n"
        "options:\n"
        "  --database DB     keep the history in DB: an SQLite file, or a PostgreSQL connection\n"
        "                    string or service name (else TORBEX_DATABASE, torbex.conf, or the\n"
        "                    user's history.sqlite)\n"
        "  --simulate FILE   talk to a simulated tester described by FILE instead of the USB tester\n"
        "  --trace           write every report to standard error in hexadecimal\n"
        "  --                every later word is an argument, even one starting with a dash\n"
        "\n"
        "exit status: 0 success, 1 wrong usage or a value out of range, 2 no tester found or it\n"
        "stopped answering, 3 a file that cannot be read or written (standard output included),\n"
        "4 the history cannot be opened or written, 130 interrupted\n");
    return text;
}

QString commandUsage(const Command& command) {
    QString text = QStringLiteral("usage: torbex-cli [--database DB] [--simulate SCENARIO.json] [--trace] %1\n\n%2\n")
                       .arg(command.usage, command.summary);
    if (!command.options.empty()) text += QStringLiteral("\noptions:\n");
    for (const OptionSpec& option : command.options) {
        const QString named = option.valueName.isEmpty() ? QStringLiteral("--") + option.name
                                                         : QStringLiteral("--%1 %2").arg(option.name, option.valueName);
        text += QStringLiteral("  %1 %2\n").arg(named, -30).arg(option.description);
    }
    return text;
}

const Command* findCommand(const QString& name) {
    for (const Command& command : commandTable())
        if (command.name == name) return &command;
    return nullptr;
}

int usageError(Streams streams, const QString& problem, const QString& text) {
    streams.err << "torbex-cli: " << problem << "\n\n" << text;
    return kUsageError;
}

}  // namespace

int run(const QStringList& arguments, Streams streams) {
    // The tool's own options come before the command; the command's may stand anywhere after it.
    const auto found = findCommand(arguments, globalOptions());
    if (arguments.contains(QStringLiteral("--version"))) {
        streams.out << "torbex-cli " << TORBEX_VERSION << '\n';
        return kSuccess;
    }
    if (const QString* problem = std::get_if<QString>(&found)) {
        if (!problem->isEmpty()) return usageError(streams, *problem, usage());
        if (arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"))) {
            streams.out << usage();
            return kSuccess;
        }
        return usageError(streams, QStringLiteral("no command given"), usage());
    }
    const QString name = arguments[std::get<qsizetype>(found)];
    const Command* command = findCommand(name);
    if (!command) return usageError(streams, QStringLiteral("unknown command: ") + name, usage());

    std::vector<OptionSpec> options = globalOptions();
    options.insert(options.end(), command->options.begin(), command->options.end());
    auto parsed = parseArguments(arguments, options);
    if (const QString* problem = std::get_if<QString>(&parsed)) return usageError(streams, *problem, commandUsage(*command));
    ParsedArguments& line = std::get<ParsedArguments>(parsed);
    if (line.options.contains(QStringLiteral("help"))) {
        streams.out << commandUsage(*command);
        return kSuccess;
    }
    const qsizetype given = line.positional.size() - 1;
    if (given < command->minArguments || (command->maxArguments >= 0 && given > command->maxArguments))
        return usageError(streams, QStringLiteral("wrong number of arguments"), commandUsage(*command));
    for (const QString& option : command->requiredOptions) {
        if (!line.options.contains(option))
            return usageError(streams, QStringLiteral("%1 needs --%2").arg(command->name, option), commandUsage(*command));
    }
    Invocation call(std::move(line), streams);
    return command->run(call);
}

}  // namespace torbex::cli
