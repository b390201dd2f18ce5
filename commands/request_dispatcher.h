#pragma once

#include <QDateTime>
#include <cstdint>
#include <functional>

#include "commands/report_exchange.h"
#include "commands/tester_values.h"
#include "link/request_variables.h"

namespace torbex::commands {

using torbex::RequestCode;
using torbex::RequestVariables;
using enum torbex::RequestCode;
using enum torbex::TesterMode;

// What a dispatcher run did.
enum class ServiceOutcome {
    TesterAbsent,  // no tester found; the request stays pending
    Answered,      // one exchange completed
    LinkLost,      // the exchange went unanswered; the request counts as done
    Skipped,       // an exchange was already waiting; nothing happened
};

// The pages' display steps after a read.
class DispatcherView {
public:
    virtual ~DispatcherView() = default;
    virtual void showTesterAbsent() {}             // connection label empty on grey
    virtual void showTesterVersion() {}            // after D9
    // After D4, with the settings as the tester sent them (the held ones may keep values the
    // lists cannot show).
    virtual void showMeasurementSettings(const MeasurementSettings& /*asRead*/) {}
    virtual void showCalibrationAndSerial() {}     // after D5
};

// Carries out the pending request, or polls, with one exchange per call.
class RequestDispatcher {
public:
    using LocalClock = std::function<QDateTime()>;

    RequestDispatcher(ReportExchange& exchange, RequestVariables& requests, TesterValues& values,
                      LocalClock localClock = &QDateTime::currentDateTime);

    void setView(DispatcherView* view) { m_view = view; }

    ServiceOutcome ServiceComRequest();

    // The command that a request code sends, built from the held values at this moment.
    CommandFrame commandFor(std::int16_t request) const;

private:
    void decodeReply(std::int16_t request);

    ReportExchange& m_exchange;
    RequestVariables& m_requests;
    TesterValues& m_values;
    LocalClock m_localClock;
    DispatcherView m_noView;
    DispatcherView* m_view = &m_noView;
};

}  // namespace torbex::commands
