#pragma once

#include "cli/invocation.h"

namespace torbex::cli {

// registry [--json]: the pumps with their last tests and due dates.
// registry set RFID [NUMBER] [--maker M] ...: a pump's number and details.
// registry show RFID|NUMBER [--json]: all the register knows of one pump.
int registry(Invocation& call);
// model [--json]: the models' intervals; model set MAKER MODEL --interval MONTHS: one of them.
int model(Invocation& call);
// audit [--rfid RFID|NUMBER] [--json]: every change to the register, oldest first.
int audit(Invocation& call);
// due [--within DAYS] [--department D] [--json]: the pumps to inspect now or soon.
int due(Invocation& call);

}  // namespace torbex::cli
