// The program's own cost per exchange: the dispatcher polling a simulated tester that answers at
// once, so the figure excludes the USB link.
#include <benchmark/benchmark.h>

#include "commands/request_dispatcher.h"
#include "sim/simulated_bus.h"

namespace {

using namespace torbex;

// Times one dispatcher run per iteration; `queue` picks the request (or none, for the poll).
template <typename Queue>
void measureExchanges(benchmark::State& state, Queue queue) {
    link::ManualClock clock;
    link::QtEventPump events;
    sim::SimulatedTester tester;
    sim::SimulatedBus bus;
    bus.attachTester(tester);
    commands::TesterService service(bus, clock, events);
    commands::RequestQueue requests;
    commands::TesterValues values;
    commands::RequestDispatcher dispatcher(service, requests, values);
    for (auto _ : state) {
        queue(requests);
        benchmark::DoNotOptimize(dispatcher.serviceRequest());
        tester.forgetReceivedCommands();
    }
    state.counters["exchanges/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_PollExchange(benchmark::State& state) {
    measureExchanges(state, [](commands::RequestQueue&) {});
}
BENCHMARK(BM_PollExchange);

void BM_SettingsReadExchange(benchmark::State& state) {
    measureExchanges(state, [](commands::RequestQueue& requests) { requests.queue(commands::Request::ReadSettings); });
}
BENCHMARK(BM_SettingsReadExchange);

}  // namespace
