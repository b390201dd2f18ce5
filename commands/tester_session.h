#pragma once

#include "commands/report_exchange.h"
#include "commands/request_dispatcher.h"
#include "commands/tester_values.h"
#include "link/tester_link.h"

namespace torbex::commands {

// The link, the exchange, the request variables, the held values and the dispatcher wired
// together over one transport, in the state the program starts in.
class TesterSession {
public:
    TesterSession(link::HidTransport& transport, const link::MonotonicClock& clock, link::EventPump& events,
                  RequestDispatcher::LocalClock localClock = &QDateTime::currentDateTime);

    // Queues a request and carries it out at once, as the next tick would.
    ServiceOutcome runRequest(std::int16_t request, std::int16_t mode = 0);

    link::TesterLink link;
    ReportExchange exchange;
    RequestVariables requests;
    TesterValues values;
    RequestDispatcher dispatcher;
};

}  // namespace torbex::commands
