#pragma once

#include <QStringList>
#include <QTextStream>

namespace torbex::cli {

enum ExitStatus : int { kSuccess = 0, kUsageError = 1, kNoTester = 2, kFileError = 3 };

// Runs the command-line tool with the given arguments (program name excluded).
int run(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace torbex::cli
