#pragma once

#include <QDateTime>

#include "commands/tester_service.h"
#include "link/clock.h"
#include "link/event_pump.h"
#include "sim/simulated_bus.h"
#include "sim/simulated_tester.h"

namespace torbex::testing {

// A simulated tester on its bus and the service over it, on a manual clock that their waits advance (a
// three-second silence costs no real time) and that times the tester's comeback after an unplug.
struct SimulatedRig {
    explicit SimulatedRig(sim::TesterState state = {}) : tester(std::move(state), clock), service(bus, clock, events) {
        tester.setTimeoutWaiter([this](int ms) { clock.advance(ms); });
        service.setPause([this](int ms) { clock.advance(ms); });
        bus.attachTester(tester);
    }

    // The local time the clock request sends.
    QDateTime localTime = QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3));

    link::ManualClock clock;
    link::CallbackEventPump events;
    sim::SimulatedTester tester;
    sim::SimulatedBus bus;
    commands::TesterService service;

    // The last command the tester received, or all zeros.
    commands::CommandFrame lastCommand() const {
        return tester.receivedCommands().empty() ? commands::CommandFrame{} : tester.receivedCommands().back();
    }
};

}  // namespace torbex::testing
