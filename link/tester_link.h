#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/clock.h"
#include "link/event_pump.h"
#include "link/hid_transport.h"

namespace torbex::link {

// The tester's commands and replies: the payload of one report, report ID not included.
inline constexpr std::size_t kReportPayloadBytes = 64;
using Report = std::array<std::uint8_t, kReportPayloadBytes>;

enum class ReportDirection { Out, In };
// Sees every report sent and received (field diagnosis, --trace).
using ReportTrace = std::function<void(ReportDirection, const Report&)>;

// The USB link to the tester: discovery, report lengths, and single reports each way with the
// read's time bound. Any failed transfer counts as a lost connection, so that the next operation
// searches again.
class TesterLink {
public:
    TesterLink(HidTransport& transport, const MonotonicClock& clock, EventPump& events);

    // Closes whatever is open, then opens the first tester among the HID devices whose report
    // lengths the protocol can use. True when one was found.
    bool findTester();
    bool connected() const { return m_connection != nullptr; }
    void disconnect() { m_connection.reset(); }

    // Sends one report (report ID 0 in front, cut to the device's output length). False when the
    // device did not take it; the connection then counts as lost.
    bool send(const Report& report);

    // The next report, waiting at most 3000 ms in short slices with the window's events run
    // between them. nullopt when none came; the connection is then closed. Bytes past the
    // device's input length are zero.
    std::optional<Report> receive();

    const MonotonicClock& clock() const { return m_clock; }
    EventPump& events() { return m_events; }
    ReportLengths reportLengths() const { return m_lengths; }
    const std::string& devicePath() const { return m_devicePath; }
    void setTrace(ReportTrace trace) { m_trace = std::move(trace); }

private:
    void trace(ReportDirection direction, const Report& report) const;

    HidTransport& m_transport;
    const MonotonicClock& m_clock;
    EventPump& m_events;
    std::unique_ptr<HidConnection> m_connection;
    ReportLengths m_lengths;
    std::string m_devicePath;
    ReportTrace m_trace;
};

}  // namespace torbex::link
