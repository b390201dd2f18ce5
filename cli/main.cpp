#include <QCoreApplication>
#include <QTextStream>
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

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // The window's name: both find the same history in the user's application-data folder.
    QCoreApplication::setApplicationName(QStringLiteral("torbex"));
    torbex::cli::installInterruptHandler();
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const int status = torbex::cli::run(arguments, {out, err, stderrIsTerminal()});
    out.flush();
    err.flush();
    return status;
}
