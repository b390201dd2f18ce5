#include "commands/request_dispatcher.h"

#include "commands/settings_transfer.h"

namespace torbex::commands {

RequestDispatcher::RequestDispatcher(ReportExchange& exchange, RequestVariables& requests, TesterValues& values,
                                     LocalClock localClock)
    : m_exchange(exchange), m_requests(requests), m_values(values), m_localClock(std::move(localClock)) {}

CommandFrame RequestDispatcher::commandFor(std::int16_t request) const {
    switch (request) {
        case kRequestWriteSettings: return buildWriteSettings(m_values.settingsToSend);
        case kRequestWriteCalibration:
            return buildWriteCalibration(m_values.calibrationCoefficients, m_values.SerialNumber);
        case kRequestSetClock: return buildSetClock(m_localClock());
        case kRequestChangeMode: return buildChangeMode(m_requests.MODE_REQ);
        case kRequestProgramRewrite: return buildProgramRewrite();
        case kRequestReadVersion: return buildRead(ReadCommand::Version);
        case kRequestReadSettings: return buildRead(ReadCommand::Settings);
        case kRequestReadCalibration: return buildRead(ReadCommand::Calibration);
        default: return buildRead(ReadCommand::Poll);
    }
}

ServiceOutcome RequestDispatcher::ServiceComRequest() {
    // A tick that comes while an exchange waits for its reply must not start a second one.
    if (m_exchange.busy()) return ServiceOutcome::Skipped;

    link::TesterLink& link = m_exchange.link();
    if (!link.deviceFound()) link.FindTheHid();
    if (!link.deviceFound()) {
        m_requests.COM_ERR = 1;
        m_view->showTesterAbsent();
        return ServiceOutcome::TesterAbsent;
    }

    const std::int16_t request = m_requests.COM_REQ;
    const std::uint32_t queuedBefore = m_requests.requestsQueued;
    const ExchangeOutcome outcome = m_exchange.exchangeCommand(commandFor(request));
    if (outcome == ExchangeOutcome::Busy) return ServiceOutcome::Skipped;

    // A reply that never came holds nothing worth showing; the held values keep what they had.
    if (outcome == ExchangeOutcome::Answered) decodeReply(request);

    // A request recorded while this one was being exchanged waits for the next tick.
    if (m_requests.requestsQueued == queuedBefore) m_requests.COM_REQ = kNoRequest;
    m_requests.COM_ERR = 0;
    return outcome == ExchangeOutcome::Answered ? ServiceOutcome::Answered : ServiceOutcome::LinkLost;
}

void RequestDispatcher::decodeReply(std::int16_t request) {
    const ReplyView reply(m_exchange.link().InputReport);
    switch (request) {
        case kRequestReadVersion:
            m_values.TesterVersion = decodeVersion(reply);
            m_view->showTesterVersion();
            break;
        case kRequestReadSettings: {
            const MeasurementSettings read = decodeSettings(reply);
            m_values.settingsAsRead = read;
            m_values.measurementSettings = settingsAfterRead(m_values.measurementSettings, read);
            m_view->showMeasurementSettings(read);
            break;
        }
        case kRequestReadCalibration: {
            const CalibrationReading reading = decodeCalibration(reply);
            m_values.calibrationCoefficients = reading.coefficients;
            m_values.SerialNumber = reading.serialNumber;
            m_view->showCalibrationAndSerial();
            break;
        }
        default: break;
    }
}

}  // namespace torbex::commands
