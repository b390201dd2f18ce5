#pragma once

#include "cli/cli_commands.h"
#include "data/record_store.h"

namespace torbex::cli {

// history [--rfid RFID] [--json]: the tests kept, oldest first, with the pumps' numbers.
int listHistory(Invocation& call);
// registry [--json]: the pumps with their last tests; registry set RFID NUMBER: a pump's number.
int registry(Invocation& call);
// import FILE.csv...: data files into the history, each whole or not at all.
int importFiles(Invocation& call);

// An RFID as the operator types it (either case, spaces around), or nullopt after saying why not.
std::optional<QString> rfidArgument(Invocation& call, const QString& text);

// After a download: its tests into the history, then blank numbers filled from the registry. The
// download's file does not depend on the history: a history that cannot be written is a warning.
void recordDownload(Invocation& call, commands::TesterService& tester, data::RecordStore& store);

}  // namespace torbex::cli
