#include "data/measurement_download.h"

#include <vector>

#include "data/record_reply.h"

namespace torbex::data {

MeasurementDownload::MeasurementDownload(commands::ReportExchange& exchange, RequestVariables& requests,
                                         RecordStore& store, DownloadView& view)
    : m_exchange(exchange), m_requests(requests), m_store(store), m_view(view) {}

bool MeasurementDownload::findTester() {
    link::TesterLink& link = m_exchange.link();
    if (!link.deviceFound()) link.FindTheHid();
    return link.deviceFound();
}

void MeasurementDownload::reportLost() {
    m_requests.COM_ERR = 1;
    m_view.showTesterAbsent();
}

void MeasurementDownload::ReadMeasurementData() {
    if (m_exchange.busy() || !findTester()) {
        reportLost();
        return;
    }
    m_view.showRecordCountLabels();

    // Records collect here and replace the store only when the download ends normally, so a
    // pulled cable never leaves a half-new store behind.
    std::vector<MeasurementRecord> received;
    int slot = 0;
    int failedDiscoveries = 0;
    const link::MonotonicClock& clock = m_exchange.link().clock();
    std::int64_t lastProgressMs = clock.nowMs();
    const link::ReportBuffer& reply = m_exchange.link().InputReport;
    do {
        if (!findTester()) {
            if (++failedDiscoveries >= kMaxFailedDiscoveries) {
                reportLost();
                return;
            }
        } else {
            failedDiscoveries = 0;
        }

        bool progressed = false;
        if (m_exchange.exchangeCommand(commands::buildRecordRequest(slot)) == commands::ExchangeOutcome::Answered) {
            const std::uint8_t status = reply[3];
            if (status == kSlotHoldsRecord) {
                received.push_back(recordFromReply(reply));
                ++slot;
                progressed = true;
            } else if (status != 0) {
                const int advance = advanceFromReply(reply);
                slot += advance;
                progressed = advance > 0;
            }
        }
        if (progressed) lastProgressMs = clock.nowMs();
        if (clock.nowMs() - lastProgressMs >= kMaxMsWithoutProgress) {
            reportLost();
            return;
        }
        m_view.showProgress(static_cast<int>(received.size()));
    } while (slot <= commands::kHighestSlot);

    for (std::size_t i = 0; i < received.size(); ++i) m_store.slot(static_cast<int>(i)) = received[i];
    m_store.RecordCount = static_cast<std::int16_t>(received.size());
    if (!received.empty()) m_store.DataUnsaved = 1;
    m_requests.COM_ERR = 0;
}

bool MeasurementDownload::ClearDeviceData() {
    bool answered = false;
    if (!m_exchange.busy() && findTester())
        answered = m_exchange.exchangeCommand(commands::buildDataClear()) == commands::ExchangeOutcome::Answered;
    m_requests.COM_ERR = 0;
    return answered;
}

}  // namespace torbex::data
