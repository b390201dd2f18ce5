#include <QApplication>
#include <QTextStream>
#include <algorithm>
#include <cstring>
#include <memory>
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
    // A report needs fonts and draws charts: for it the tool is a (never shown) graphical
    // application; the other commands need no display at all.
    std::unique_ptr<QCoreApplication> app;
    if (std::any_of(argv + 1, argv + argc, [](const char* word) { return std::strcmp(word, "report") == 0; })) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
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
