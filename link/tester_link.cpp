#include "link/tester_link.h"

#include <QLoggingCategory>
#include <QString>
#include <algorithm>
#include <vector>

#include "link/tester_identity.h"

Q_LOGGING_CATEGORY(lcLink, "torbex.link", QtWarningMsg)

namespace torbex::link {
namespace {

bool isTester(const HidDeviceInfo& device) {
    return device.vendorId == kTesterVendorId && device.productId == kTesterProductId;
}

int lengthOrFallback(int length) { return length > 0 ? length : kFallbackReportLength; }

// Why a device's report lengths rule it out; empty when they fit.
QString lengthProblem(ReportLengths lengths) {
    if (lengths.input > kMaxReportLength || lengths.output > kMaxReportLength)
        return QStringLiteral("reports longer than %1 bytes").arg(kMaxReportLength);
    if (lengths.input < kMinInputReportLength)
        return QStringLiteral("input reports of %1 bytes, too short for the tester's replies (at least %2)")
            .arg(lengths.input)
            .arg(kMinInputReportLength);
    if (lengths.output < kMinOutputReportLength)
        return QStringLiteral("output reports of %1 bytes, too short for the tester's commands (at least %2)")
            .arg(lengths.output)
            .arg(kMinOutputReportLength);
    return {};
}

}  // namespace

TesterLink::TesterLink(HidTransport& transport, const MonotonicClock& clock, EventPump& events)
    : m_transport(transport), m_clock(clock), m_events(events) {}

bool TesterLink::findTester() {
    // A connection lost through a failed write or wait still holds its handle; let it go before
    // a new one is opened.
    disconnect();
    for (const HidDeviceInfo& device : m_transport.enumerate()) {
        if (!isTester(device)) continue;
        auto connection = m_transport.open(device.path);
        if (!connection) continue;
        const ReportLengths reported = connection->reportLengths();
        const ReportLengths lengths{lengthOrFallback(reported.input), lengthOrFallback(reported.output)};
        if (const QString problem = lengthProblem(lengths); !problem.isEmpty()) {
            // Not a device this program can talk to, whatever its identifiers say.
            qCWarning(lcLink).noquote() << "refusing" << device.path.c_str() << "with" << problem;
            continue;
        }
        m_connection = std::move(connection);
        m_lengths = lengths;
        m_devicePath = device.path;
        return true;
    }
    return false;
}

bool TesterLink::send(const Report& report) {
    if (!m_connection) return false;
    trace(ReportDirection::Out, report);
    std::vector<std::uint8_t> wire(static_cast<std::size_t>(m_lengths.output), 0);
    const auto carried = std::min(wire.size() - 1, report.size());
    std::copy_n(report.begin(), carried, wire.begin() + 1);
    if (m_connection->writeReport(wire)) return true;
    disconnect();
    return false;
}

std::optional<Report> TesterLink::receive() {
    if (!m_connection) return std::nullopt;
    std::vector<std::uint8_t> wire(static_cast<std::size_t>(m_lengths.input), 0);
    const std::int64_t deadline = m_clock.nowMs() + kReadTimeoutMs;
    for (;;) {
        const std::int64_t remaining = deadline - m_clock.nowMs();
        const int slice = static_cast<int>(std::clamp<std::int64_t>(remaining, 0, kReadSliceMs));
        const ReadStatus status = m_connection->readReport(wire, slice);
        if (status == ReadStatus::Report) break;
        if (status == ReadStatus::Failed || m_clock.nowMs() >= deadline) {
            disconnect();
            return std::nullopt;
        }
        m_events.processPendingEvents();
        // The events may have run anything, even a close of this device.
        if (!m_connection) return std::nullopt;
    }
    Report report{};
    const auto carried = std::min(wire.size() - 1, report.size());
    std::copy_n(wire.begin() + 1, carried, report.begin());
    trace(ReportDirection::In, report);
    return report;
}

void TesterLink::trace(ReportDirection direction, const Report& report) const {
    if (m_trace) m_trace(direction, report);
    if (lcLink().isDebugEnabled()) {
        const QByteArray hex = QByteArray(reinterpret_cast<const char*>(report.data()), report.size()).toHex(' ');
        qCDebug(lcLink).noquote() << (direction == ReportDirection::Out ? "out:" : "in:") << hex;
    }
}

}  // namespace torbex::link
