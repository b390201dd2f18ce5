#pragma once

#include <QDateTime>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <vector>

#include "commands/protocol.h"
#include "link/hid_transport.h"
#include "sim/tester_state.h"

namespace torbex::sim {

// Faults the tester can be told to commit on the next command it receives.
enum class Fault {
    NoAnswer,        // the command is lost; no reply comes
    StaleEcho,       // a reply to an earlier command arrives before the real one
    WriteFails,      // the command report is refused
    Garbage,         // the reply echoes the command but the rest is noise
    RecordNotReady,  // a D10 reply with byte 3 = 0 ("ask again")
    Unplug,          // the cable is pulled as the command is written
    Replug,          // pulled and put back at once: the open handle dies, discovery finds it again
};

using CommandFrame = commands::CommandFrame;

// The tester's side of the protocol: answers every command, keeps a clock, settings,
// calibration, serial number, version and 1001 record slots, and commits faults on demand.
class SimulatedTester {
public:
    explicit SimulatedTester(TesterState state = {});

    TesterState& state() { return m_state; }
    const TesterState& state() const { return m_state; }

    // ---- Faults and the cable ----
    void injectFault(Fault fault, int times = 1);
    void unplug();
    void plugIn();
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

    TesterState m_state;
    std::deque<Fault> m_faults;
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
