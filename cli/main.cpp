#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <csignal>
#include <cstdio>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "cli/cli_app.h"
#include "cli/interrupt.h"

namespace {

bool stderrIsTerminal() {
#ifdef _WIN32
    return _isatty(2) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

// Outside a desktop session (cron, a service, root) the graphical application complains that it
// has no runtime folder, which it does not need here; nothing else is held back.
QtMessageHandler g_previousHandler = nullptr;
void withoutRuntimeFolderNotice(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    g_previousHandler(type, context, message);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Reports need fonts, and fonts a graphical application; it is never shown, so it needs no
    // display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    g_previousHandler = qInstallMessageHandler(withoutRuntimeFolderNotice);
    QGuiApplication app(argc, argv);
    qInstallMessageHandler(g_previousHandler);
    // The window's name: both find the same history in the user's application-data folder.
    QCoreApplication::setApplicationName(QStringLiteral("torbex"));
    torbex::cli::installInterruptHandler();
#ifdef SIGPIPE
    // A reader that went away is a failed write like any other, told and given status 3.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    // The descriptor, not the C stream, and unbuffered: a failed write shows at the flush that
    // made it, with its reason, and not later in the C library's own buffer.
    QFile standardOutput;
    standardOutput.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered);
    QTextStream out(&standardOutput);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    int status = torbex::cli::run(arguments, {out, err, stderrIsTerminal()});
    out.flush();
    if (out.status() != QTextStream::Ok || standardOutput.error() != QFileDevice::NoError) {
        const QString reason = standardOutput.errorString();
        err << "torbex-cli: cannot write standard output: " << (reason.isEmpty() ? QStringLiteral("write failed") : reason)
            << '\n';
        status = torbex::cli::kFileError;
    }
    err.flush();
    return status;
}
