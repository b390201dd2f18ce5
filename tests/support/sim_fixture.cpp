#include "support/sim_fixture.h"

namespace torbex::testing {

SimulatedRig::SimulatedRig(sim::TesterState state) : tester(std::move(state), clock), service(bus, clock, events) {
    tester.setTimeoutWaiter([this](int ms) { clock.advance(ms); });
    service.setPause([this](int ms) { clock.advance(ms); });
    bus.attachTester(tester);
}

commands::CommandFrame SimulatedRig::lastCommand() const {
    const auto& received = tester.receivedCommands();
    return received.empty() ? commands::CommandFrame{} : received.back();
}

}  // namespace torbex::testing
