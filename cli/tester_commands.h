#pragma once

#include "cli/invocation.h"

namespace torbex::cli {

// info [--json]: the tester's version, serial number, coefficients and settings as reported.
int info(Invocation& call);
// set-clock: the tester's clock to this PC's local time.
int setClock(Invocation& call);
// send-settings --flow F --level L|M|H: the flow rate and the level; the rest as reported.
int sendSettings(Invocation& call);
// download --out FILE.csv: every record into a data file, and into the history.
int download(Invocation& call);
// clear: erase the tester's records.
int clear(Invocation& call);
// show FILE.csv [--json]: a data file's records as the window shows them.
int show(Invocation& call);

}  // namespace torbex::cli
