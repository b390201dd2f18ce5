#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "sim/simulated_tester.h"
#include "sim/uhid_device.h"

namespace torbex::sim {

// The simulated tester on the machine's real HID stack: plugged in through uhid, it answers
// every output report a program writes to its hidraw node, and its unplug faults pull it off
// the bus and put it back as a new device.
class VirtualTester {
public:
    enum class Event { PluggedIn, NoNode, Unplugged, Removed };
    // What happened to the device, with its hidraw node where there is one.
    using Notice = std::function<void(Event, const std::string& node)>;
    // Every report, as the command-line tool traces it ("out:" as received, "in:" as answered).
    using Trace = std::function<void(const std::string& line)>;

    // The tester and the device must outlive this object; the device must be open.
    VirtualTester(SimulatedTester& tester, UhidDevice& device, UhidDevice::Identity identity);

    void setNotice(Notice notice) { m_notice = std::move(notice); }
    void setTrace(Trace trace) { m_trace = std::move(trace); }

    // Plugs the tester in and serves it until stopFd becomes readable (a signal), then removes
    // it. 0 then; errno when the kernel refused the device.
    int run(int stopFd);

private:
    // Brings the device in line with the tester's cable: a pull removes it, a comeback or a
    // new connection creates it again. errno when the kernel refused.
    int followCable();
    void serve(const std::vector<std::uint8_t>& output);
    void trace(const char* direction, std::span<const std::uint8_t> payload) const;

    SimulatedTester& m_tester;
    UhidDevice& m_device;
    UhidDevice::Identity m_identity;
    Notice m_notice;
    Trace m_trace;
    std::uint64_t m_generation = 0;
    bool m_announced = false;
    std::int64_t m_createdAtMs = 0;
    bool m_toldNoNode = false;
};

}  // namespace torbex::sim
