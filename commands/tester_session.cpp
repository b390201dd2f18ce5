#include "commands/tester_session.h"

namespace torbex::commands {

TesterSession::TesterSession(link::HidTransport& transport, const link::MonotonicClock& clock, link::EventPump& events,
                             RequestDispatcher::LocalClock localClock)
    : link(transport, clock, events),
      exchange(link, events),
      dispatcher(exchange, requests, values, std::move(localClock)) {}

ServiceOutcome TesterSession::runRequest(std::int16_t request, std::int16_t mode) {
    requests.queueRequest(request, request == kRequestChangeMode ? std::optional(mode) : std::nullopt);
    return dispatcher.ServiceComRequest();
}

}  // namespace torbex::commands
