#include "support/sim_fixture.h"

namespace torbex::testing {

SimulatedRig::SimulatedRig(sim::TesterState state)
    : tester(std::move(state), clock), session(bus, clock, events, [this] { return localTime; }) {
    tester.setTimeoutWaiter([this](int ms) { clock.advance(ms); });
    bus.attachTester(tester);
    session.requests.COM_ENA = 1;
}

commands::CommandFrame SimulatedRig::lastCommand() const {
    const auto& received = tester.receivedCommands();
    return received.empty() ? commands::CommandFrame{} : received.back();
}

}  // namespace torbex::testing
