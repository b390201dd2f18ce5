#include "commands/poll_tick.h"

namespace torbex::commands {

PollTick::PollTick(TesterService& tester, RequestQueue& requests, RequestDispatcher& dispatcher, ConnectionView& view)
    : m_tester(tester), m_requests(requests), m_dispatcher(dispatcher), m_view(view) {}

void PollTick::show(ConnectionState state) {
    m_state = state;
    m_view.showConnection(state);
}

void PollTick::tick() {
    // The dispatcher runs the window's events while it waits for the tester; a tick that fires
    // inside that wait would only repeat this one.
    if (m_inTick) return;
    m_inTick = true;

    if (m_dispatchEnabled) {
        if (m_holdOffTicks == 0) {
            switch (m_dispatcher.serviceRequest()) {
                case DispatchResult::TesterAbsent:
                    m_testerMissing = true;
                    show(ConnectionState::Unknown);
                    break;
                case DispatchResult::Answered:
                case DispatchResult::LinkLost: m_testerMissing = false; break;
                // A refused value never reached the link, so it says nothing about the tester.
                case DispatchResult::Refused:
                case DispatchResult::Skipped: break;
            }
        } else {
            --m_holdOffTicks;
        }
    }

    if (m_tester.link().connected() && !m_testerMissing) {
        if (m_state != ConnectionState::Connected) m_requests.queue(Request::ReadCalibration);
        show(ConnectionState::Connected);
        m_ticksWithoutConnection = 0;
    } else if (m_ticksWithoutConnection < kTicksBeforeNotConnected) {
        ++m_ticksWithoutConnection;
    } else {
        show(ConnectionState::NotConnected);
        m_view.resetSerialBanner();
    }
    m_inTick = false;
}

}  // namespace torbex::commands
