#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "clock.h"
#include "event_pump.h"
#include "hid_transport.h"

namespace torbex::link {

inline constexpr std::size_t kReportBufferBytes = 70;
inline constexpr std::size_t kCommandBytes = 64;
using ReportBuffer = std::array<std::uint8_t, kReportBufferBytes>;

enum class ReportDirection { Out, In };
// Sees the 64 command bytes of every report sent and received (field diagnosis, --trace).
using ReportTrace = std::function<void(ReportDirection, std::span<const std::uint8_t, kCommandBytes>)>;

// The link to the tester: discovery, the two report buffers and single-report transfers.
// Every failed transfer clears DeviceFound so that the next operation searches again.
class TesterLink {
public:
    TesterLink(HidTransport& transport, const MonotonicClock& clock, EventPump& events);

    // Searches the HID devices for the first tester, opens it and learns its report lengths.
    // Returns true when found; DeviceFound then holds -1.
    bool FindTheHid();

    // Sends OutputReport as one output report (report ID 0 in front).
    void SendOutputReport();

    // Reads one input report into InputReport, waiting at most 3000 ms in short slices with the
    // window's events run between them. On time-out the device is closed.
    void ReceiveInputReport();

    // Treats the connection as lost: closes the device and clears DeviceFound.
    void dropConnection();

    bool deviceFound() const { return DeviceFound != 0; }
    const MonotonicClock& clock() const { return m_clock; }
    void setTrace(ReportTrace trace) { m_trace = std::move(trace); }

    // -1 while the tester is found and opened and no transfer has failed since, else 0.
    std::int16_t DeviceFound = 0;
    ReportBuffer OutputReport{};
    ReportBuffer InputReport{};
    std::int16_t InputReportByteLength = 0;
    std::int16_t OutputReportByteLength = 0;
    std::string DevicePath;

private:
    void closeDevice();
    void trace(ReportDirection direction, const ReportBuffer& buffer) const;

    HidTransport& m_transport;
    const MonotonicClock& m_clock;
    EventPump& m_events;
    std::unique_ptr<HidConnection> m_connection;
    ReportTrace m_trace;
};

}  // namespace torbex::link
