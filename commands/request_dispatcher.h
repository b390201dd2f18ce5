#pragma once

#include <QDateTime>
#include <cstdint>
#include <functional>

#include "commands/report_exchange.h"
#include "commands/tester_values.h"

namespace torbex::commands {

// Values of COM_REQ.
enum RequestCode : std::int16_t {
    kNoRequest = 0,
    kRequestWriteSettings = 2,
    kRequestWriteCalibration = 3,
    kRequestSetClock = 4,
    kRequestChangeMode = 5,
    kRequestProgramRewrite = 6,
    kRequestReadVersion = 9,
    kRequestReadSettings = 14,
    kRequestReadCalibration = 15,
};

// Values of MODE_REQ.
enum TesterMode : std::int16_t { kNormalMode = 1, kCalibrationMode = 2 };

// Through these the buttons, the poll tick and the dispatcher coordinate.
struct RequestVariables {
    std::int16_t COM_ENA = 0;      // a tick may call the dispatcher
    std::int16_t COM_REQ = 0;      // the one pending request
    std::int16_t MODE_REQ = 0;     // mode for request 5
    std::int16_t COM_ERR = 0;      // 1 when the last attempt found no tester
    std::int16_t COM_ERR_CTR = 0;  // ticks in a row without a usable connection
    std::int16_t com_dis_ctr = 0;  // ticks left to hold the dispatcher off

    // Records a request; a newer one replaces a pending one. Use this rather than writing
    // COM_REQ, so a request made during an exchange is not mistaken for the one that ran.
    void queueRequest(std::int16_t request, std::int16_t mode = 0) {
        COM_REQ = request;
        if (request == kRequestChangeMode) MODE_REQ = mode;
        ++requestsQueued;
    }
    std::uint32_t requestsQueued = 0;
};

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
    virtual void showMeasurementSettings() {}      // after D4
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
