#pragma once

#include <QDateTime>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "commands/protocol.h"
#include "link/clock.h"
#include "link/hid_transport.h"
#include "sim/tester_state.h"

namespace torbex::sim {

using CommandFrame = commands::CommandFrame;

// The tester's side of the protocol: answers every command, keeps a clock, settings,
// calibration, serial number, version and 1001 record slots, and commits the faults its state's
// rules call for.
class SimulatedTester {
public:
    // The clock times the comeback after an unplug (a steady clock when none is given); it must
    // outlive the tester.
    explicit SimulatedTester(TesterState state = {});
    SimulatedTester(TesterState state, const link::MonotonicClock& clock);

    TesterState& state() { return m_state; }
    const TesterState& state() const { return m_state; }

    // ---- Faults and the cable ----
    // Hits the next `times` commands, whatever they are, after the faults injected before.
    void injectFault(Fault fault, int times = 1);
    // Pulling or putting back the cable by hand cancels a comeback a fault has scheduled.
    void unplug();
    void plugIn();
    // Puts the tester back once the time an unplug fault gave it has passed; the bus asks before
    // it lists or opens devices.
    void plugBackInIfDue();
    bool pluggedIn() const { return m_pluggedIn; }
    // Changes each time the tester is plugged in; a handle opened before is dead.
    std::uint64_t plugGeneration() const { return m_plugGeneration; }

    // ---- Wire behaviour ----
    void setReportLengths(link::ReportLengths lengths) { m_lengths = lengths; }
    link::ReportLengths reportLengths() const { return m_lengths; }
    // A real-time delay added to every report, each way.
    void setReportDelay(std::chrono::microseconds delay) { m_reportDelay = delay; }
    // How a read with no reply lets its time-out pass; by default it sleeps. Tests advance a
    // manual clock instead.
    void setTimeoutWaiter(std::function<void(int ms)> waiter) { m_timeoutWaiter = std::move(waiter); }

    // ---- What the tester was told ----
    const std::vector<CommandFrame>& receivedCommands() const { return m_received; }
    void forgetReceivedCommands() { m_received.clear(); }
    int mode() const { return m_mode; }
    bool inProgramRewriteMode() const { return m_rewriteMode; }
    QByteArray lastClockParameter() const { return m_lastClockParameter; }
    QDateTime testerTime() const;

    // ---- Called by an open handle ----
    bool receiveReport(std::span<const std::uint8_t> wire, std::uint64_t generation);
    link::ReadStatus sendReport(std::span<std::uint8_t> wire, int timeoutMs, std::uint64_t generation);

private:
    void answer(const CommandFrame& command);
    void reply(std::uint8_t echo, const CommandFrame& command, std::span<const std::uint8_t> data);
    void applyCommand(const CommandFrame& command);
    CommandFrame recordReply(int slot) const;
    bool handleAlive(std::uint64_t generation) const { return m_pluggedIn && generation == m_plugGeneration; }
    void delay() const;
    void pull(const FaultRule& rule);

    TesterState m_state;
    const link::MonotonicClock& m_clock;
    std::optional<std::int64_t> m_backAtMs;
    std::deque<CommandFrame> m_outgoing;
    std::vector<CommandFrame> m_received;
    link::ReportLengths m_lengths{65, 65};
    std::chrono::microseconds m_reportDelay{0};
    std::function<void(int)> m_timeoutWaiter;
    bool m_pluggedIn = true;
    std::uint64_t m_plugGeneration = 1;
    bool m_rewriteMode = false;
    int m_mode = 1;
    qint64 m_clockOffsetSeconds = 0;
    QByteArray m_lastClockParameter;
    std::uint32_t m_noise = 0x12345678;
};

}  // namespace torbex::sim
