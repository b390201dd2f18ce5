#pragma once

#include <optional>
#include <vector>

#include "commands/protocol.h"

namespace torbex::sim {

// What the tester does wrong to a command a fault hits.
enum class Fault {
    NoAnswer,        // the command is lost; no reply comes
    StaleEcho,       // a reply to an earlier command arrives before the real one
    WriteFails,      // the command report is refused
    Garbage,         // the reply echoes the command but the rest is noise
    RecordNotReady,  // a D10 reply with byte 3 = 0 ("ask again"); other replies are not spoilt
    Unplug,          // the cable is pulled as the command is written
    Replug,          // pulled and put back at once: the open handle dies, discovery finds it again
};

// The commands a fault rule can hit.
enum class FaultTarget {
    AnyCommand,  // the D2 poll included
    ReadSettings,
    ReadCalibration,
    ReadVersion,
    ReadRecord,
    SetClock,
    WriteSettings,
    WriteCalibration,
    DataClear,
    ChangeMode,
    ProgramRewrite,
};

// A fault the tester commits on the commands it targets: the first `after` of them are answered
// normally, the next `times` (every one, when empty) are hit.
struct FaultRule {
    FaultTarget on = FaultTarget::AnyCommand;
    Fault kind = Fault::NoAnswer;
    int after = 0;
    std::optional<int> times;
    // Unplug only: the tester is back this long after it went; when empty it stays away.
    std::optional<int> replugAfterMs;

    // Kept by the tester as commands arrive.
    int passed = 0;  // targeted commands counted toward `after`
    int hits = 0;
};

// Whether the command is the read command `which` (for D10, both of its digits).
bool isRead(const commands::CommandFrame& command, commands::ReadCommand which);
bool targets(FaultTarget on, const commands::CommandFrame& command);

// Counts the command toward the `after` of every rule that targets it, and returns the first
// rule whose `after` is used up and whose `times` is not, its hit counted. Rules are checked in
// order, so faults added one after another hit one command after another.
std::optional<FaultRule> fireFaultRule(std::vector<FaultRule>& rules, const commands::CommandFrame& command);

}  // namespace torbex::sim
