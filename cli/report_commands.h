#pragma once

#include <optional>

#include "cli/invocation.h"

namespace torbex::cli {

// Gives a printed report the language --lang names, else torbex.conf's [ui] language=, else the
// locale's. The exit status when it cannot; nullopt when the report may go ahead.
std::optional<int> usePrintedLanguage(Invocation& call);
// report (FILE.csv | --rfid RFID | --all) --out REPORT.pdf [--lang ja|en]: the inspection report of a data file's
// records, of one pump's history (with its trend chart), or of every test kept.
int report(Invocation& call);
// export (FILE.csv | --all | --since DATE) --out FILE.json: tests for a maintenance system.
int exportRecords(Invocation& call);

}  // namespace torbex::cli
