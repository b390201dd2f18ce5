#pragma once

#include <QStringList>

#include "cli/streams.h"

namespace torbex::cli {

// Runs the command-line tool with the given arguments (program name excluded).
int run(const QStringList& arguments, Streams streams);

}  // namespace torbex::cli
