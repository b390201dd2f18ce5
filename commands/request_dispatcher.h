#pragma once

#include <QDateTime>
#include <functional>

#include "commands/requests.h"
#include "commands/tester_service.h"
#include "commands/tester_values.h"

namespace torbex::commands {

// What a dispatcher run did.
enum class DispatchResult {
    TesterAbsent,  // no tester found; the request stays pending
    Answered,      // the request (or the poll) was carried out
    LinkLost,      // the exchange went unanswered; the request counts as done
    Refused,       // a value the tester cannot take; nothing was sent, the request counts as done
    Skipped,       // an exchange was already waiting; nothing happened
};

// The pages' display steps after a read.
class DispatcherView {
public:
    virtual ~DispatcherView() = default;
    virtual void showTesterVersion() {}
    // With the settings as the tester sent them (the held ones may keep values the lists cannot show).
    virtual void showMeasurementSettings(const MeasurementSettings& /*asRead*/) {}
    virtual void showCalibrationAndSerial() {}
};

// Carries out the pending request through the tester service, or polls when none is pending.
// Reads fill the held values; writes send what is held when they run, not when they were queued.
class RequestDispatcher {
public:
    using LocalClock = std::function<QDateTime()>;

    RequestDispatcher(TesterService& tester, RequestQueue& requests, TesterValues& values,
                      LocalClock localClock = &QDateTime::currentDateTime);

    void setView(DispatcherView* view) { m_view = view ? view : &m_noView; }
    DispatchResult serviceRequest();

private:
    Outcome<Done> perform(Request request);

    TesterService& m_tester;
    RequestQueue& m_requests;
    TesterValues& m_values;
    LocalClock m_localClock;
    DispatcherView m_noView;
    DispatcherView* m_view = &m_noView;
};

}  // namespace torbex::commands
