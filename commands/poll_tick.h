#pragma once

#include "commands/request_dispatcher.h"
#include "commands/requests.h"
#include "commands/tester_service.h"

namespace torbex::commands {

// What the connection label says. The state is also how a tick recognises a new connection:
// anything but Connected followed by a usable connection is one.
enum class ConnectionState { Unknown, Connected, NotConnected, Communicating };

// The window side of the tick.
class ConnectionView {
public:
    virtual ~ConnectionView() = default;
    virtual void showConnection(ConnectionState state) = 0;
    virtual void resetSerialBanner() = 0;
};

// The 500 ms poll tick: runs the dispatcher unless it is gated off or held off, then shows the
// state of the link and asks for the tester's identity whenever a connection has just come up.
class PollTick {
public:
    static constexpr int kIntervalMs = 500;
    // Ticks without a usable connection before "not connected" is shown on the next.
    static constexpr int kTicksBeforeNotConnected = 4;

    PollTick(TesterService& tester, RequestQueue& requests, RequestDispatcher& dispatcher, ConnectionView& view);

    void tick();

    // Gated off while the window talks to the tester itself (a download).
    void setDispatchEnabled(bool enabled) { m_dispatchEnabled = enabled; }
    bool dispatchEnabled() const { return m_dispatchEnabled; }
    // Ticks to leave the tester alone (after its records were cleared).
    void holdOff(int ticks) { m_holdOffTicks = ticks; }
    int holdOffTicks() const { return m_holdOffTicks; }
    // Whether the last attempt to reach the tester found none; a connection is usable only
    // when it did find one.
    void setTesterMissing(bool missing) { m_testerMissing = missing; }

    ConnectionState state() const { return m_state; }
    void show(ConnectionState state);

private:
    TesterService& m_tester;
    RequestQueue& m_requests;
    RequestDispatcher& m_dispatcher;
    ConnectionView& m_view;
    ConnectionState m_state = ConnectionState::Unknown;
    bool m_dispatchEnabled = false;
    bool m_testerMissing = false;
    int m_holdOffTicks = 0;
    int m_ticksWithoutConnection = 0;
    bool m_inTick = false;
};

}  // namespace torbex::commands
