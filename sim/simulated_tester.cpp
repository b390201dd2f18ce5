#include "sim/simulated_tester.h"

#include <algorithm>
#include <thread>

#include "commands/replies.h"

namespace torbex::sim {
namespace {

using commands::CommandCode;
using commands::decimalField;
using commands::digitByte;

std::span<const std::uint8_t> bytesAt(const CommandFrame& frame, std::size_t first, std::size_t count) {
    return std::span<const std::uint8_t>(frame).subspan(first, count);
}

const link::MonotonicClock& steadyClock() {
    static const link::SteadyClock clock;
    return clock;
}

}  // namespace

SimulatedTester::SimulatedTester(TesterState state) : SimulatedTester(std::move(state), steadyClock()) {}

SimulatedTester::SimulatedTester(TesterState state, const link::MonotonicClock& clock)
    : m_state(std::move(state)), m_clock(clock) {
    m_lengths = {m_state.inputReportBytes + 1, m_state.outputReportBytes + 1};
    m_timeoutWaiter = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
}

void SimulatedTester::injectFault(Fault fault, int times) {
    // A rule on every command, after the ones before it: each fires only once those are spent.
    if (times <= 0) return;
    FaultRule rule;
    rule.kind = fault;
    rule.times = times;
    m_state.faults.push_back(rule);
}

void SimulatedTester::unplug() {
    m_pluggedIn = false;
    m_backAtMs.reset();
    m_outgoing.clear();
}

void SimulatedTester::plugIn() {
    m_backAtMs.reset();
    if (m_pluggedIn) return;
    m_pluggedIn = true;
    ++m_plugGeneration;
    m_rewriteMode = false;  // the tester restarts on power-up
}

void SimulatedTester::plugBackInIfDue() {
    if (m_backAtMs && m_clock.nowMs() >= *m_backAtMs) plugIn();
}

void SimulatedTester::pull(const FaultRule& rule) {
    unplug();
    const std::optional<int> backAfterMs = rule.kind == Fault::Replug ? 0 : rule.replugAfterMs;
    if (!backAfterMs) return;
    m_backAtMs = m_clock.nowMs() + *backAfterMs;
    plugBackInIfDue();
}

QDateTime SimulatedTester::testerTime() const {
    return QDateTime::currentDateTime().addSecs(m_clockOffsetSeconds);
}

void SimulatedTester::delay() const {
    if (m_reportDelay.count() <= 0) return;
    // A plain sleep overshoots by a tenth of a millisecond or more, which would be counted
    // against the program; sleep most of the way, then wait out the rest exactly.
    const auto until = std::chrono::steady_clock::now() + m_reportDelay;
    constexpr auto kSpin = std::chrono::microseconds(200);
    if (m_reportDelay > kSpin) std::this_thread::sleep_for(m_reportDelay - kSpin);
    while (std::chrono::steady_clock::now() < until) std::this_thread::yield();
}

bool SimulatedTester::receiveReport(std::span<const std::uint8_t> wire, std::uint64_t generation) {
    delay();
    if (!handleAlive(generation)) return false;

    CommandFrame command{};
    // Wire byte 0 is the report ID; the command follows.
    std::copy_n(wire.begin() + 1, std::min(wire.size() - 1, command.size()), command.begin());

    const std::optional<FaultRule> rule = fireFaultRule(m_state.faults, command);
    const std::optional<Fault> fault = rule ? std::optional(rule->kind) : std::nullopt;
    if (fault == Fault::WriteFails) return false;
    if (fault == Fault::Unplug || fault == Fault::Replug) {
        pull(*rule);
        return false;
    }
    m_received.push_back(command);
    if (m_rewriteMode || fault == Fault::NoAnswer) return true;

    if (fault == Fault::StaleEcho) {
        const std::uint8_t earlier = command[0] <= 1 ? 255 : static_cast<std::uint8_t>(command[0] - 1);
        reply(earlier, command, {});
    }
    if (fault == Fault::Garbage) {
        CommandFrame noise{};
        noise[0] = command[0];
        for (std::size_t i = 1; i < noise.size(); ++i) {
            m_noise = m_noise * 1664525U + 1013904223U;
            noise[i] = static_cast<std::uint8_t>(m_noise >> 24);
        }
        m_outgoing.push_back(noise);
        return true;
    }
    if (fault == Fault::RecordNotReady && isRead(command, commands::ReadCommand::Record)) {
        reply(command[0], command, {});
        return true;
    }
    answer(command);
    return true;
}

link::ReadStatus SimulatedTester::sendReport(std::span<std::uint8_t> wire, int timeoutMs, std::uint64_t generation) {
    if (!handleAlive(generation)) return link::ReadStatus::Failed;
    if (m_outgoing.empty()) {
        m_timeoutWaiter(timeoutMs);
        return link::ReadStatus::TimedOut;
    }
    delay();
    const CommandFrame report = m_outgoing.front();
    m_outgoing.pop_front();
    std::fill(wire.begin(), wire.end(), 0);
    std::copy_n(report.begin(), std::min(report.size(), wire.size() - 1), wire.begin() + 1);
    return link::ReadStatus::Report;
}

void SimulatedTester::reply(std::uint8_t echo, const CommandFrame& command, std::span<const std::uint8_t> data) {
    CommandFrame frame{};
    frame[0] = echo;
    frame[1] = command[1];
    frame[2] = command[2];
    std::copy_n(data.begin(), std::min(data.size(), frame.size() - commands::kReplyDataStart),
                frame.begin() + commands::kReplyDataStart);
    m_outgoing.push_back(frame);
}

void SimulatedTester::answer(const CommandFrame& command) {
    using commands::ReadCommand;
    CommandFrame answerFrame{};
    if (command[1] == CommandCode::kReadCommand) {
        if (isRead(command, ReadCommand::Record)) {
            answerFrame = recordReply(static_cast<int>(decimalField(bytesAt(command, 4, 4))));
        } else if (isRead(command, ReadCommand::Version)) {
            answerFrame = commands::encodeVersionReply(m_state.version);
        } else if (isRead(command, ReadCommand::Settings)) {
            answerFrame = commands::encodeSettingsReply(m_state.settings);
        } else if (isRead(command, ReadCommand::Calibration)) {
            answerFrame = commands::encodeCalibrationReply(m_state.coefficients, m_state.serial);
        }
    } else {
        applyCommand(command);
    }
    reply(command[0], command, bytesAt(answerFrame, commands::kReplyDataStart, commands::kFrameBytes - 3));
}

void SimulatedTester::applyCommand(const CommandFrame& command) {
    switch (command[1]) {
        case CommandCode::kSetClock: {
            m_lastClockParameter = QByteArray(reinterpret_cast<const char*>(command.data() + 2), 12);
            const QDateTime sent = QDateTime::fromString(QStringLiteral("20") + QString::fromLatin1(m_lastClockParameter),
                                                         QStringLiteral("yyyyMMddHHmmss"));
            if (sent.isValid()) m_clockOffsetSeconds = QDateTime::currentDateTime().secsTo(sent);
            break;
        }
        case CommandCode::kWriteSettings: {
            auto& s = m_state.settings;
            s.FlowRate = static_cast<float>(decimalField(bytesAt(command, 2, 4)));
            s.AverageCount = commands::toInt16(decimalField(bytesAt(command, 6, 2)));
            s.MeasureCount = commands::toInt16(decimalField(bytesAt(command, 8, 2)));
            s.OcclusionPressure = static_cast<float>(decimalField(bytesAt(command, 10, 4)));
            s.OcclusionLevel = static_cast<std::int16_t>(command[14] & 0x0F);
            s.WriteMode = static_cast<std::int16_t>(command[15] & 0x0F);
            s.RfidUse = static_cast<std::int16_t>(command[16] & 0x0F);
            s.DisplayUnits = static_cast<std::int16_t>(command[17] & 0x0F);
            break;
        }
        case CommandCode::kWriteCalibration:
            for (std::size_t i = 0; i < 3; ++i)
                m_state.coefficients[i] =
                    commands::floatField(std::span<const std::uint8_t, 4>(command.data() + 2 + 4 * i, 4));
            m_state.serial = commands::textField(bytesAt(command, 14, 8));
            break;
        case CommandCode::kChangeMode: m_mode = command[2] - '0'; break;
        case CommandCode::kProgramRewrite: m_rewriteMode = true; break;
        case CommandCode::kDataClear:
            for (auto& slot : m_state.slots) slot.reset();
            break;
        default: break;
    }
}

CommandFrame SimulatedTester::recordReply(int slot) const {
    const bool inRange = slot >= 0 && slot < kSlotCount;
    if (inRange && m_state.slots[static_cast<std::size_t>(slot)]) {
        const Slot& content = *m_state.slots[static_cast<std::size_t>(slot)];
        if (const auto* raw = std::get_if<RawReply>(&content)) {
            CommandFrame frame{};
            std::copy_n(raw->bytes.begin(), std::min<std::size_t>(raw->bytes.size(), frame.size() - 3), frame.begin() + 3);
            return frame;
        }
        const auto& stored = std::get<StoredRecord>(content);
        commands::RecordReply record;
        for (std::size_t i = 0; i < record.rfid.size(); ++i)
            record.rfid[i] = static_cast<std::uint8_t>(stored.rfid.mid(static_cast<qsizetype>(2 * i), 2).toUInt(nullptr, 16));
        record.status = static_cast<std::uint8_t>(stored.status);
        commands::putTextField(record.date, stored.date);
        commands::putTextField(record.time, stored.time);
        record.flowSetting = stored.flowSetting;
        record.flowResult = stored.flowResult;
        record.occlusionLevel = digitByte(stored.occlusionLevel);
        record.occlusionValue = stored.occlusionValue;
        record.occlusionResult = stored.occlusionResult;
        return commands::encodeRecordReply(record);
    }
    // An empty slot says how far it is to the next used one (or to the end).
    int next = std::max(slot + 1, 0);
    while (next < kSlotCount && !m_state.slots[static_cast<std::size_t>(next)]) ++next;
    return commands::encodeSkipReply(std::max(next - slot, 1));
}

}  // namespace torbex::sim
