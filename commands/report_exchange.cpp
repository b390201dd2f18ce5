#include "commands/report_exchange.h"

#include <algorithm>

namespace torbex::commands {

ReportExchange::ReportExchange(link::TesterLink& link, link::EventPump& events)
    : m_link(link), m_events(events) {}

ExchangeOutcome ReportExchange::ExchangeReport() {
    if (m_busy) return ExchangeOutcome::Busy;
    m_busy = true;

    m_link.SendOutputReport();
    bool answered = false;
    for (int skipped = 0;; ++skipped) {
        m_events.processPendingEvents();
        m_link.ReceiveInputReport();
        if (!m_link.deviceFound()) break;
        if (m_link.InputReport[0] == m_link.OutputReport[0]) {
            answered = true;
            break;
        }
        if (skipped >= kMaxSkippedReplies) {
            m_link.dropConnection();
            break;
        }
    }
    ComRecodeNo = static_cast<std::int16_t>(ComRecodeNo >= 255 ? 1 : ComRecodeNo + 1);

    m_busy = false;
    return answered ? ExchangeOutcome::Answered : ExchangeOutcome::LinkLost;
}

ExchangeOutcome ReportExchange::exchangeCommand(const CommandFrame& command) {
    if (m_busy) return ExchangeOutcome::Busy;
    auto& out = m_link.OutputReport;
    std::fill_n(out.begin(), kFrameBytes, 0);
    std::copy(command.begin() + 1, command.end(), out.begin() + 1);
    out[0] = static_cast<std::uint8_t>(ComRecodeNo);
    return ExchangeReport();
}

}  // namespace torbex::commands
