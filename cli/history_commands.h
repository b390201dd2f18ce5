#pragma once

#include <optional>

#include "cli/invocation.h"

namespace torbex::cli {

// history [--rfid RFID] [--json]: the tests kept, oldest first, with the pumps' numbers; as JSON,
// in the export's form.
int listHistory(Invocation& call);
// registry [--json]: the pumps with their last tests; registry set RFID NUMBER: a pump's number.
int registry(Invocation& call);
// import FILE.csv...: data files into the history, each whole or not at all, after every file
// has been checked.
int importFiles(Invocation& call);

// An RFID as the operator types it (either case, spaces around), or nullopt after saying why not.
std::optional<QString> rfidArgument(Invocation& call, const QString& text);

}  // namespace torbex::cli
