#include "commands/report_exchange.h"

namespace torbex::commands {

Exchanged ReportExchange::exchange(const CommandFrame& command) {
    if (m_busy) return {ExchangeStatus::Busy, {}};
    m_busy = true;

    CommandFrame sent = command;
    sent[0] = m_sequence;
    m_sequence = m_sequence >= 255 ? 1 : static_cast<std::uint8_t>(m_sequence + 1);

    Exchanged result;
    if (m_link.send(sent)) {
        for (int skipped = 0;; ++skipped) {
            m_link.events().processPendingEvents();
            const auto reply = m_link.receive();
            if (!reply) break;
            if ((*reply)[0] == sent[0]) {
                result = {ExchangeStatus::Answered, *reply};
                break;
            }
            if (skipped >= kMaxSkippedReplies) {
                m_link.disconnect();
                break;
            }
        }
    }
    m_busy = false;
    return result;
}

}  // namespace torbex::commands
