#pragma once

#include <cstdint>

#include "commands/protocol.h"
#include "link/tester_link.h"

namespace torbex::commands {

enum class ExchangeStatus {
    Answered,  // the reply echoes the command
    LinkLost,  // the tester stopped answering or went away
    Busy,      // another exchange is still waiting; nothing was sent
};

struct Exchanged {
    ExchangeStatus status = ExchangeStatus::LinkLost;
    CommandFrame reply{};  // Answered only
};

// One command and its reply, matched by the sequence number in byte 0. Shared by every operation
// on the tester; only one exchange runs at a time, even when a wait lets a tick or a click run.
class ReportExchange {
public:
    explicit ReportExchange(link::TesterLink& link) : m_link(link) {}

    // Sends the command behind the next sequence number and reads until its echo arrives or the
    // link is lost. The sequence number advances either way, 255 wrapping to 1.
    Exchanged exchange(const CommandFrame& command);

    bool busy() const { return m_busy; }
    link::TesterLink& link() { return m_link; }
    std::uint8_t nextSequenceNumber() const { return m_sequence; }

    // Replies that echo another command before the awaited one arrives; past this the tester is
    // taken to be talking nonsense and the link is dropped, so a babbling device cannot hold the
    // exchange for ever.
    static constexpr int kMaxSkippedReplies = 32;

private:
    link::TesterLink& m_link;
    std::uint8_t m_sequence = 1;
    bool m_busy = false;
};

}  // namespace torbex::commands
