#include "cli/backup_commands.h"

#include <unistd.h>

#include <QFile>
#include <QTextStream>

#include "cli/record_listing.h"
#include "workflow/register.h"

namespace torbex::cli {
namespace {

const char* const kPostgres =
    "a PostgreSQL history is backed up and restored with the server's own tools, "
    "pg_dump and pg_restore (see the README)";

// Asks on the terminal; anything but y or yes is no.
bool confirmed(Invocation& call, const QString& question) {
    call.err() << question << " [y/N] ";
    call.err().flush();
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly)) return false;
    const QString answer = QString::fromLocal8Bit(input.readLine()).trimmed().toLower();
    return answer == u"y" || answer == u"yes";
}

}  // namespace

int backup(Invocation& call) {
    if (call.historyTarget().kind != history::DatabaseTarget::Kind::Sqlite) {
        call.err() << "torbex-cli: " << kPostgres << '\n';
        return kUsageError;
    }
    history::HistoryStore* store = call.historyOrSay();
    if (!store) return kHistoryUnavailable;
    const QString out = call.value(QStringLiteral("out"));
    if (const QString problem = workflow::backupHistory(*store, out); !problem.isEmpty())
        return call.fileFailed(QStringLiteral("write"), out, problem);
    call.out() << "history copied to " << terminalText(out) << " and checked\n";
    return kSuccess;
}

int restore(Invocation& call) {
    const history::DatabaseTarget target = call.historyTarget();
    if (target.kind != history::DatabaseTarget::Kind::Sqlite) {
        call.err() << "torbex-cli: " << kPostgres << '\n';
        return kUsageError;
    }
    const QString backup = call.arguments().front();
    if (!call.isSet(QStringLiteral("yes"))) {
        const QString question = QStringLiteral("replace the history at %1 with the backup %2? The history as it is "
                                                "now is kept beside it.")
                                     .arg(terminalText(target.location), terminalText(backup));
        if (!isatty(STDIN_FILENO)) {
            call.err() << "torbex-cli: restore replaces the history: give --yes to do so without a question\n";
            return kUsageError;
        }
        if (!confirmed(call, question)) {
            call.err() << "torbex-cli: nothing restored\n";
            return kUsageError;
        }
    }
    history::HistoryStore* store = call.historyOrSay();
    if (!store) return kHistoryUnavailable;
    const workflow::Restore restored = workflow::restoreHistory(*store, target, backup);
    if (!restored.error.isEmpty()) {
        if (!restored.keptAt.isEmpty())
            call.err() << "torbex-cli: the history as it was is kept at " << terminalText(restored.keptAt) << '\n';
        return call.fileFailed(QStringLiteral("restore"), backup, restored.error);
    }
    call.out() << "history restored from " << terminalText(backup) << "; as it was, it is kept at "
               << terminalText(restored.keptAt) << '\n';
    return kSuccess;
}

}  // namespace torbex::cli
