#include "commands/tester_service.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "link/tester_identity.h"

namespace torbex::commands {
namespace {

Failure notConnected() { return {FailureKind::NotConnected, QStringLiteral("no tester found")}; }
Failure stoppedAnswering() { return {FailureKind::StoppedAnswering, QStringLiteral("the tester stopped answering")}; }
Failure stillWaiting() { return {FailureKind::Busy, QStringLiteral("another exchange with the tester is still waiting")}; }
Failure cancelled() { return {FailureKind::Cancelled, QStringLiteral("cancelled")}; }

bool isDigit(int value) { return value >= 0 && value <= 9; }

}  // namespace

TesterService::TesterService(link::HidTransport& transport, const link::MonotonicClock& clock, link::EventPump& events)
    : m_link(transport, clock, events),
      m_exchange(m_link),
      m_pause([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }) {}

Outcome<CommandFrame> TesterService::ask(const CommandFrame& command) {
    if (busy()) return stillWaiting();
    if (!m_link.connected() && !m_link.findTester()) return notConnected();
    const Exchanged exchanged = m_exchange.exchange(command);
    switch (exchanged.status) {
        case ExchangeStatus::Answered: return exchanged.reply;
        case ExchangeStatus::Busy: return stillWaiting();
        case ExchangeStatus::LinkLost: break;
    }
    return stoppedAnswering();
}

Outcome<Done> TesterService::order(const CommandFrame& command) {
    const Outcome<CommandFrame> reply = ask(command);
    if (!reply) return reply.failure();
    return Done{};
}

Outcome<Done> TesterService::poll() { return order(buildRead(ReadCommand::Poll)); }

Outcome<QString> TesterService::readVersion() {
    const auto reply = ask(buildRead(ReadCommand::Version));
    if (!reply) return reply.failure();
    return decodeVersion(reply.value());
}

Outcome<CalibrationReading> TesterService::readCalibration() {
    const auto reply = ask(buildRead(ReadCommand::Calibration));
    if (!reply) return reply.failure();
    return decodeCalibration(reply.value());
}

Outcome<MeasurementSettings> TesterService::readSettings() {
    const auto reply = ask(buildRead(ReadCommand::Settings));
    if (!reply) return reply.failure();
    return decodeSettings(reply.value());
}

Outcome<TesterIdentity> TesterService::identify() {
    const auto version = readVersion();
    if (!version) return version.failure();
    const auto calibration = readCalibration();
    if (!calibration) return calibration.failure();
    return TesterIdentity{version.value(), calibration.value().serialNumber, calibration.value().coefficients};
}

Outcome<Done> TesterService::sendSettings(const MeasurementSettings& s) {
    if (!(s.FlowRate >= kMinFlowRate && s.FlowRate <= kMaxFlowRate))
        return Failure{FailureKind::RefusedValue, QStringLiteral("flow rate outside 5 to 150 ml/h")};
    for (const int digit : {s.OcclusionLevel, s.WriteMode, s.RfidUse, s.DisplayUnits}) {
        if (!isDigit(digit)) return Failure{FailureKind::RefusedValue, QStringLiteral("a setting that is not one digit")};
    }
    return order(buildWriteSettings(s));
}

Outcome<Done> TesterService::setClock(const QDateTime& localTime) { return order(buildSetClock(localTime)); }

Outcome<Done> TesterService::writeCalibration(const CalibrationCoefficients& coefficients, const QString& serialNumber) {
    return order(buildWriteCalibration(coefficients, serialNumber));
}

Outcome<Done> TesterService::changeMode(TesterMode mode) { return order(buildChangeMode(mode)); }

Outcome<Done> TesterService::startProgramRewrite() { return order(buildProgramRewrite()); }

Outcome<Done> TesterService::clearRecords() { return order(buildDataClear()); }

Outcome<std::vector<RecordReply>> TesterService::downloadRecords(DownloadProgress& progress) {
    if (busy()) return stillWaiting();
    if (!m_link.connected() && !m_link.findTester()) return notConnected();
    m_downloading = true;
    auto records = fetchRecords(progress);
    m_downloading = false;
    return records;
}

Outcome<std::vector<RecordReply>> TesterService::fetchRecords(DownloadProgress& progress) {
    std::vector<RecordReply> records;
    int slot = 0;
    const link::MonotonicClock& clock = m_link.clock();
    std::int64_t lastProgressMs = clock.nowMs();
    do {
        if (progress.cancelRequested()) return cancelled();
        if (!m_link.connected()) {
            if (auto failure = findTesterAgain(lastProgressMs, progress)) return *failure;
        }

        bool progressed = false;
        const Exchanged exchanged = m_exchange.exchange(buildRecordRequest(slot));
        if (exchanged.status == ExchangeStatus::Answered) {
            const SlotReply reply = decodeSlotReply(exchanged.reply);
            if (reply.status == SlotStatus::Record) {
                records.push_back(reply.record);
                ++slot;
                progressed = true;
            } else if (reply.status == SlotStatus::Skip) {
                slot += reply.advance;
                progressed = reply.advance > 0;
            }
        }
        if (progressed) lastProgressMs = clock.nowMs();
        if (clock.nowMs() - lastProgressMs >= kMaxMsWithoutProgress) return stoppedAnswering();
        progress.reached(std::min(slot, kHighestSlot + 1), static_cast<int>(records.size()));
    } while (slot <= kHighestSlot);
    return records;
}

std::optional<Failure> TesterService::findTesterAgain(std::int64_t lastProgressMs, const DownloadProgress& progress) {
    // A tester that drops off the bus for a moment comes back as a new device; searching only
    // now and then gives it the whole allowance to return.
    const link::MonotonicClock& clock = m_link.clock();
    while (!m_link.findTester()) {
        if (clock.nowMs() - lastProgressMs >= kMaxMsWithoutProgress) return stoppedAnswering();
        waitWithEvents(kSearchIntervalMs, progress);
        if (progress.cancelRequested()) return cancelled();
    }
    return std::nullopt;
}

void TesterService::waitWithEvents(int ms, const DownloadProgress& progress) {
    const link::MonotonicClock& clock = m_link.clock();
    const std::int64_t until = clock.nowMs() + ms;
    while (clock.nowMs() < until && !progress.cancelRequested()) {
        m_link.events().processPendingEvents();
        m_pause(static_cast<int>(std::clamp<std::int64_t>(until - clock.nowMs(), 0, link::kReadSliceMs)));
    }
}

}  // namespace torbex::commands
