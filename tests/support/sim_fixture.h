#pragma once

#include <QDateTime>
#include <memory>

#include "commands/tester_session.h"
#include "link/clock.h"
#include "link/event_pump.h"
#include "sim/simulated_bus.h"
#include "sim/simulated_tester.h"

namespace torbex::testing {

// A simulated tester on its own bus, a session wired to it, and a manual clock that the
// tester's time-outs advance, so a three-second silence costs no real time; it also times the
// tester's comeback after an unplug.
struct SimulatedRig {
    explicit SimulatedRig(sim::TesterState state = {});

    // The clock handed to request 4.
    QDateTime localTime = QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3));

    link::ManualClock clock;
    link::CallbackEventPump events;
    sim::SimulatedTester tester;
    sim::SimulatedBus bus;
    commands::TesterSession session;

    // The last command the tester received, or all zeros.
    commands::CommandFrame lastCommand() const;
};

}  // namespace torbex::testing
