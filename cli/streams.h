#pragma once

#include <QTextStream>

namespace torbex::cli {

enum ExitStatus : int {
    kSuccess = 0,
    kUsageError = 1,
    kNoTester = 2,
    kFileError = 3,
    kHistoryUnavailable = 4,
    kInterrupted = 130
};

// Where the tool writes: results to `out`, messages and the trace to `err`. A progress line is
// drawn on `err` only when it is a terminal.
struct Streams {
    QTextStream& out;
    QTextStream& err;
    bool errIsTerminal = false;
};

}  // namespace torbex::cli
