#pragma once

#include <QStringList>
#include <optional>
#include <variant>

#include "cli/invocation.h"

namespace torbex::cli {

// history [--rfid RFID] [--json]: the tests kept, oldest first, with the pumps' numbers; as JSON,
// in the export's form.
int listHistory(Invocation& call);
// import FILE.csv...: data files into the history, each whole or not at all, after every file
// has been checked.
int importFiles(Invocation& call);

// An RFID as the operator types it (either case, spaces around), or nullopt after saying why not.
std::optional<QString> rfidArgument(Invocation& call, const QString& text);
// The RFID of a pump named by its RFID or its management number (which needs the history), or
// the exit status after saying why there is none.
std::variant<QString, int> pumpArgument(Invocation& call, const QString& text);

// One tab-separated line of a listing; an empty cell shows as "--" so the columns stay countable.
void printRow(Invocation& call, const QStringList& cells);

}  // namespace torbex::cli
