#include "sim/virtual_tester.h"

#include <poll.h>

#include <cerrno>
#include <cstdio>

#include "link/clock.h"
#include "link/tester_link.h"

namespace torbex::sim {
namespace {

// How often an unplugged tester looks whether its comeback is due, and how often a new device
// is looked for in sysfs until the kernel has made its node.
constexpr int kComebackPollMs = 10;
constexpr int kNodePollMs = 2;
// Past this the kernel is not going to make a node (a kernel without hidraw); say so once.
constexpr std::int64_t kNodeExpectedWithinMs = 5000;

const link::SteadyClock& steadyClock() {
    static const link::SteadyClock clock;
    return clock;
}

}  // namespace

VirtualTester::VirtualTester(SimulatedTester& tester, UhidDevice& device, UhidDevice::Identity identity)
    : m_tester(tester), m_device(device), m_identity(std::move(identity)) {
    // Replies are taken as they are queued; an empty queue must not be waited on.
    m_tester.setTimeoutWaiter([](int) {});
}

int VirtualTester::run(int stopFd) {
    if (const int error = followCable()) return error;
    for (;;) {
        pollfd fds[2] = {{m_device.fd(), POLLIN, 0}, {stopFd, POLLIN, 0}};
        const bool waitingForNode = m_device.created() && !m_announced;
        const int timeout = waitingForNode ? kNodePollMs : m_device.created() ? -1 : kComebackPollMs;
        if (::poll(fds, 2, timeout) < 0 && errno != EINTR) return errno;
        if (fds[1].revents != 0) break;
        if (fds[0].revents & POLLIN) {
            if (auto output = m_device.readOutput()) serve(*output);
        }
        if (const int error = followCable()) return error;
    }
    if (m_device.created()) m_device.destroy();
    if (m_notice) m_notice(Event::Removed, {});
    return 0;
}

int VirtualTester::followCable() {
    m_tester.plugBackInIfDue();
    const bool stale = m_generation != m_tester.plugGeneration();
    if (m_device.created() && (!m_tester.pluggedIn() || stale)) {
        m_device.destroy();
        if (m_notice) m_notice(Event::Unplugged, {});
    }
    if (!m_device.created() && m_tester.pluggedIn()) {
        if (!m_device.create(m_identity)) return errno;
        m_generation = m_tester.plugGeneration();
        m_announced = false;
        m_createdAtMs = steadyClock().nowMs();
    }
    // The kernel makes the node a moment after the device; programs can only find it then.
    if (m_device.created() && !m_announced) {
        const std::string node = m_device.hidrawNode();
        m_announced = !node.empty();
        if (m_announced && m_notice) m_notice(Event::PluggedIn, node);
        if (!m_announced && !m_toldNoNode && steadyClock().nowMs() - m_createdAtMs > kNodeExpectedWithinMs) {
            m_toldNoNode = true;
            if (m_notice) m_notice(Event::NoNode, {});
        }
    }
    return 0;
}

void VirtualTester::serve(const std::vector<std::uint8_t>& output) {
    if (output.empty()) return;
    trace("out", std::span(output).subspan(1));
    m_tester.receiveReport(output, m_generation);
    std::vector<std::uint8_t> wire(static_cast<std::size_t>(m_tester.reportLengths().input), 0);
    while (wire.size() > 1 && m_tester.sendReport(wire, 0, m_generation) == link::ReadStatus::Report) {
        const auto payload = std::span(wire).subspan(1);
        trace("in", payload);
        m_device.sendInput(payload);
    }
}

void VirtualTester::trace(const char* direction, std::span<const std::uint8_t> payload) const {
    if (!m_trace) return;
    // The command-line tool's form: the 64 bytes of a command or reply, whatever the report size.
    std::string line = std::string(direction) + ':';
    for (std::size_t i = 0; i < link::kReportPayloadBytes; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02x", i < payload.size() ? payload[i] : 0);
        line += hex;
    }
    m_trace(line);
}

}  // namespace torbex::sim
