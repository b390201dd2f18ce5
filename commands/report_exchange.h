#pragma once

#include <cstdint>

#include "commands/protocol.h"
#include "link/event_pump.h"
#include "link/tester_link.h"

namespace torbex::commands {

enum class ExchangeOutcome {
    Answered,  // InputReport holds the reply that echoes the command
    LinkLost,  // the tester stopped answering or went away; DeviceFound is false
    Busy,      // another exchange is still waiting; nothing was sent
};

// One command and its reply, matched by the sequence number in byte 0. Shared by the
// dispatcher, the download and the device clear; only one exchange runs at a time.
class ReportExchange {
public:
    ReportExchange(link::TesterLink& link, link::EventPump& events);

    // Sends OutputReport (ComRecodeNo already in byte 0) and reads until the echo arrives or
    // the link is lost. ComRecodeNo advances either way.
    ExchangeOutcome ExchangeReport();

    // Puts the command in OutputReport behind the sequence number and exchanges it, unless
    // another exchange is waiting.
    ExchangeOutcome exchangeCommand(const CommandFrame& command);

    bool busy() const { return m_busy; }
    link::TesterLink& link() { return m_link; }

    // Sequence number of the next command, 1 to 255.
    std::int16_t ComRecodeNo = 1;

    // Replies that echo another command before the awaited one arrives; past this the tester is
    // taken to be talking nonsense and the link is dropped, so a babbling device cannot hold the
    // exchange for ever.
    static constexpr int kMaxSkippedReplies = 32;

private:
    link::TesterLink& m_link;
    link::EventPump& m_events;
    bool m_busy = false;
};

}  // namespace torbex::commands
