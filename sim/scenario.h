#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "sim/tester_state.h"

namespace torbex::sim {

struct ScenarioResult {
    std::optional<TesterState> state;
    QString error;  // set when state is empty: what is wrong, naming the key
};

// Reads a scenario (UTF-8 JSON) describing what the simulated tester holds and the faults it
// commits. Every key is optional; a key of the wrong kind, out of range or unknown refuses the
// whole scenario.
ScenarioResult parseScenario(const QByteArray& json);
ScenarioResult loadScenarioFile(const QString& path);

}  // namespace torbex::sim
