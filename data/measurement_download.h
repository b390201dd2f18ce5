#pragma once

#include "commands/report_exchange.h"
#include "data/record_store.h"
#include "link/request_variables.h"

namespace torbex::data {

// What the window shows while records come in.
class DownloadView {
public:
    virtual ~DownloadView() = default;
    virtual void showTesterAbsent() {}         // connection label empty on grey
    virtual void showRecordCountLabels() {}    // Label4 and Label5 in view
    virtual void showProgress(int /*records*/) {}
};

// Reads every record the tester holds, slot by slot, and erases the tester's records.
class MeasurementDownload {
public:
    // How long the download may fetch nothing (the slot asked again, or no reply) before the
    // tester is taken to be lost. A time, not a count: a tester that needs a moment to prepare a
    // record answers "not ready" many times in a few milliseconds.
    static constexpr std::int64_t kMaxMsWithoutProgress = 5000;
    // Discoveries in a row that may fail after the link was lost.
    static constexpr int kMaxFailedDiscoveries = 3;

    MeasurementDownload(commands::ReportExchange& exchange, RequestVariables& requests, RecordStore& store,
                        DownloadView& view);

    // Fills the store from slot 0 when the download ends normally (COM_ERR 0). When the tester
    // cannot be found, or is lost on the way, COM_ERR is 1 and the store is as it was.
    void ReadMeasurementData();

    // Tells the tester to erase its records, when it can be found. COM_ERR ends 0 either way.
    // True only when the tester answered the command.
    bool ClearDeviceData();

private:
    bool findTester();
    void reportLost();

    commands::ReportExchange& m_exchange;
    RequestVariables& m_requests;
    RecordStore& m_store;
    DownloadView& m_view;
};

}  // namespace torbex::data
