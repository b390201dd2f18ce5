#pragma once

#include <QColor>
#include <QString>
#include <functional>

#include "link/request_variables.h"
#include "link/tester_link.h"

namespace torbex::link {

// What the connection label Label1 says. Its caption is also how a tick recognises a new
// connection: anything but "接続中" followed by a usable connection is one.
enum class ConnectionLabel { Blank, Connected, NotConnected, Communicating };

QString connectionCaption(ConnectionLabel label);
QColor connectionColour(ConnectionLabel label);

inline const QString kSerialBannerPrefix = QStringLiteral("　トルベックス　s/n");

// The window side of the tick.
class PollView {
public:
    virtual ~PollView() = default;
    virtual void showConnectionLabel(ConnectionLabel label) = 0;
    virtual void resetSerialBanner() = 0;  // lblSN back to the bare prefix
};

// The 500 ms poll tick: runs the dispatcher unless gated or held off, then shows the link state
// and asks for the tester's identity whenever a connection has just come up.
class PollLoop {
public:
    static constexpr int kIntervalMs = 500;
    // Ticks without a usable connection before "未接続" is shown on the next.
    static constexpr std::int16_t kTicksBeforeNotConnected = 4;

    PollLoop(TesterLink& link, RequestVariables& requests, PollView& view, std::function<void()> serviceComRequest);

    void Timer2_Timer();

    ConnectionLabel label() const { return m_label; }
    // Label changes made outside the tick (no tester found, a download running).
    void setLabel(ConnectionLabel label);

private:
    TesterLink& m_link;
    RequestVariables& m_requests;
    PollView& m_view;
    std::function<void()> m_serviceComRequest;
    ConnectionLabel m_label = ConnectionLabel::Blank;
    bool m_inTick = false;
};

}  // namespace torbex::link
