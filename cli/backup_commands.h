#pragma once

#include "cli/invocation.h"

namespace torbex::cli {

// backup --out FILE: a checked copy of an SQLite history.
int backup(Invocation& call);
// restore FILE [--yes]: the history replaced by a backup's, the current one kept beside it.
int restore(Invocation& call);

}  // namespace torbex::cli
