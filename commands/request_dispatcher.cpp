#include "commands/request_dispatcher.h"

#include "commands/settings_transfer.h"

namespace torbex::commands {

RequestDispatcher::RequestDispatcher(TesterService& tester, RequestQueue& requests, TesterValues& values,
                                     LocalClock localClock)
    : m_tester(tester), m_requests(requests), m_values(values), m_localClock(std::move(localClock)) {}

DispatchResult RequestDispatcher::serviceRequest() {
    // A tick that comes while an exchange waits for its reply must not start a second one.
    if (m_tester.busy()) return DispatchResult::Skipped;
    const std::uint32_t ticket = m_requests.take();
    const Outcome<Done> outcome = perform(m_requests.pending());
    if (!outcome) {
        switch (outcome.failureKind()) {
            case FailureKind::NotConnected: return DispatchResult::TesterAbsent;
            case FailureKind::Busy: return DispatchResult::Skipped;
            default: break;
        }
    }
    // A refused value stays refused: asking again at every tick would change nothing.
    m_requests.finish(ticket);
    if (outcome) return DispatchResult::Answered;
    return outcome.failureKind() == FailureKind::RefusedValue ? DispatchResult::Refused : DispatchResult::LinkLost;
}

Outcome<Done> RequestDispatcher::perform(Request request) {
    switch (request) {
        case Request::WriteSettings: return m_tester.sendSettings(m_values.settingsToSend);
        case Request::WriteCalibration:
            return m_tester.writeCalibration(m_values.calibrationCoefficients, m_values.serialToSend);
        case Request::SetClock: return m_tester.setClock(m_localClock());
        case Request::ChangeMode: return m_tester.changeMode(m_requests.mode());
        case Request::ProgramRewrite: return m_tester.startProgramRewrite();
        case Request::ReadVersion: {
            const auto version = m_tester.readVersion();
            if (!version) return version.failure();
            m_values.TesterVersion = version.value();
            m_view->showTesterVersion();
            return Done{};
        }
        case Request::ReadSettings: {
            const auto read = m_tester.readSettings();
            if (!read) return read.failure();
            m_values.settingsAsRead = read.value();
            m_values.measurementSettings = settingsAfterRead(m_values.measurementSettings, read.value());
            m_view->showMeasurementSettings(read.value());
            return Done{};
        }
        case Request::ReadCalibration: {
            const auto reading = m_tester.readCalibration();
            if (!reading) return reading.failure();
            m_values.calibrationCoefficients = reading.value().coefficients;
            m_values.serialAsRead = reading.value().serialNumber;
            m_view->showCalibrationAndSerial();
            return Done{};
        }
        case Request::None: break;
    }
    return m_tester.poll();
}

}  // namespace torbex::commands
