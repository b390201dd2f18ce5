#include "cli/cli_app.h"

#include <QCommandLineParser>

#include "cli/cli_commands.h"

namespace torbex::cli {
namespace {

QList<QCommandLineOption> globalOptions() {
    return {{QStringLiteral("database"), QStringLiteral("Keep the history in DB."), QStringLiteral("DB")},
            {QStringLiteral("simulate"), QStringLiteral("Talk to a simulated tester described by FILE."),
             QStringLiteral("SCENARIO.json")},
            {QStringLiteral("trace"), QStringLiteral("Write every report to standard error in hexadecimal.")},
            {{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show the usage.")},
            {QStringLiteral("version"), QStringLiteral("Show the version.")}};
}

QString usage() {
    QString text = QStringLiteral(
        "usage: torbex-cli [--database DB] [--simulate SCENARIO.json] [--trace] COMMAND\n"
        "       torbex-cli --help | --version | COMMAND --help\n"
        "\n"
        "commands:\n");
    for (const Command& command : commandTable())
        text += QStringLiteral("  %1 %2\n").arg(command.usage, -38).arg(command.summary);
    text += QStringLiteral(
        "\n"
        "options:\n"
        "  --database DB     keep the history in DB: an SQLite file, or a PostgreSQL connection\n"
        "                    string or service name (else TORBEX_DATABASE, torbex.conf, or the\n"
        "                    user's history.sqlite)\n"
        "  --simulate FILE   talk to a simulated tester described by FILE instead of the USB tester\n"
        "  --trace           write every report to standard error in hexadecimal\n"
        "\n"
        "exit status: 0 success, 1 wrong usage or a value out of range, 2 no tester found or it\n"
        "stopped answering, 3 a file that cannot be read or written, 4 the history cannot be opened\n"
        "or written, 130 interrupted\n");
    return text;
}

QString commandUsage(const Command& command) {
    return QStringLiteral("usage: torbex-cli [--database DB] [--simulate SCENARIO.json] [--trace] %1\n\n%2\n")
        .arg(command.usage, command.summary);
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
    const QStringList withProgram = QStringList{QStringLiteral("torbex-cli")} + arguments;

    // First pass: the tool's own options, which come before the command; the rest is the command's.
    QCommandLineParser global;
    global.addOptions(globalOptions());
    global.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!global.parse(withProgram)) return usageError(streams, global.errorText(), usage());
    if (global.isSet(QStringLiteral("version")) || arguments.contains(QStringLiteral("--version"))) {
        streams.out << "torbex-cli " << TORBEX_VERSION << '\n';
        return kSuccess;
    }
    const QStringList rest = global.positionalArguments();
    if (rest.isEmpty()) {
        if (global.isSet(QStringLiteral("help"))) {
            streams.out << usage();
            return kSuccess;
        }
        return usageError(streams, QStringLiteral("no command given"), usage());
    }
    const Command* command = findCommand(rest.front());
    if (!command) return usageError(streams, QStringLiteral("unknown command: ") + rest.front(), usage());

    // Second pass: the whole line with the command's options too.
    QCommandLineParser parser;
    parser.addOptions(globalOptions());
    parser.addOptions(QList<QCommandLineOption>(command->options.begin(), command->options.end()));
    if (!parser.parse(withProgram)) return usageError(streams, parser.errorText(), commandUsage(*command));
    if (parser.isSet(QStringLiteral("help"))) {
        streams.out << commandUsage(*command);
        return kSuccess;
    }
    const qsizetype given = parser.positionalArguments().size() - 1;
    if (given < command->minArguments || (command->maxArguments >= 0 && given > command->maxArguments))
        return usageError(streams, QStringLiteral("wrong number of arguments"), commandUsage(*command));
    for (const QString& option : command->requiredOptions) {
        if (!parser.isSet(option))
            return usageError(streams, QStringLiteral("%1 needs --%2").arg(command->name, option), commandUsage(*command));
    }

    Invocation call(parser, streams);
    return command->run(call);
}

}  // namespace torbex::cli
