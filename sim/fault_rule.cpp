#include "sim/fault_rule.h"

namespace torbex::sim {

using commands::CommandCode;
using commands::ReadCommand;

bool isRead(const commands::CommandFrame& command, ReadCommand which) {
    const commands::CommandFrame expected = commands::buildRead(which);
    return command[1] == expected[1] && command[2] == expected[2] &&
           (which != ReadCommand::Record || command[3] == expected[3]);
}

bool targets(FaultTarget on, const commands::CommandFrame& command) {
    switch (on) {
        case FaultTarget::AnyCommand: return true;
        case FaultTarget::ReadSettings: return isRead(command, ReadCommand::Settings);
        case FaultTarget::ReadCalibration: return isRead(command, ReadCommand::Calibration);
        case FaultTarget::ReadVersion: return isRead(command, ReadCommand::Version);
        case FaultTarget::ReadRecord: return isRead(command, ReadCommand::Record);
        case FaultTarget::SetClock: return command[1] == CommandCode::kSetClock;
        case FaultTarget::WriteSettings: return command[1] == CommandCode::kWriteSettings;
        case FaultTarget::WriteCalibration: return command[1] == CommandCode::kWriteCalibration;
        case FaultTarget::DataClear: return command[1] == CommandCode::kDataClear;
        case FaultTarget::ChangeMode: return command[1] == CommandCode::kChangeMode;
        case FaultTarget::ProgramRewrite: return command[1] == CommandCode::kProgramRewrite;
    }
    return false;
}

std::optional<FaultRule> fireFaultRule(std::vector<FaultRule>& rules, const commands::CommandFrame& command) {
    std::optional<FaultRule> fired;
    for (FaultRule& rule : rules) {
        if (!targets(rule.on, command)) continue;
        if (rule.passed < rule.after) {
            ++rule.passed;
            continue;
        }
        if (fired || (rule.times && rule.hits >= *rule.times)) continue;
        ++rule.hits;
        fired = rule;
    }
    return fired;
}

}  // namespace torbex::sim
