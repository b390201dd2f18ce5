#include "tester_link.h"

#include <QLoggingCategory>
#include <algorithm>
#include <vector>

#include "tester_identity.h"

Q_LOGGING_CATEGORY(lcLink, "torbex.link", QtWarningMsg)

namespace torbex::link {
namespace {

constexpr std::int16_t kTrue = -1;
constexpr std::int16_t kFalse = 0;

bool isTester(const HidDeviceInfo& device) {
    return device.vendorId == kTesterVendorId && device.productId == kTesterProductId;
}

int lengthOrFallback(int length) { return length > 0 ? length : kFallbackReportLength; }

// Why a device's report lengths rule it out; empty when they fit.
QString lengthProblem(int input, int output) {
    if (input > kMaxReportLength || output > kMaxReportLength)
        return QStringLiteral("reports longer than %1 bytes").arg(kMaxReportLength);
    if (input < kMinInputReportLength)
        return QStringLiteral("input reports of %1 bytes, too short for the tester's replies (at least %2)")
            .arg(input).arg(kMinInputReportLength);
    if (output < kMinOutputReportLength)
        return QStringLiteral("output reports of %1 bytes, too short for the tester's commands (at least %2)")
            .arg(output).arg(kMinOutputReportLength);
    return {};
}

}  // namespace

TesterLink::TesterLink(HidTransport& transport, const MonotonicClock& clock, EventPump& events)
    : m_transport(transport), m_clock(clock), m_events(events) {}

bool TesterLink::FindTheHid() {
    DeviceFound = kFalse;
    // A connection lost through a failed write or wait still holds its handles; let them go
    // before new ones are opened.
    closeDevice();

    for (const HidDeviceInfo& device : m_transport.enumerate()) {
        if (!isTester(device)) continue;
        auto connection = m_transport.open(device.path);
        if (!connection) continue;
        const ReportLengths lengths = connection->reportLengths();
        const int input = lengthOrFallback(lengths.input);
        const int output = lengthOrFallback(lengths.output);
        if (const QString problem = lengthProblem(input, output); !problem.isEmpty()) {
            // Not a device this program can talk to, whatever its identifiers say.
            qCWarning(lcLink).noquote() << "refusing" << device.path.c_str() << "with" << problem;
            continue;
        }
        m_connection = std::move(connection);
        InputReportByteLength = static_cast<std::int16_t>(input);
        OutputReportByteLength = static_cast<std::int16_t>(output);
        DevicePath = device.path;
        DeviceFound = kTrue;
        return true;
    }
    return false;
}

void TesterLink::SendOutputReport() {
    trace(ReportDirection::Out, OutputReport);
    if (!m_connection) {
        DeviceFound = kFalse;
        return;
    }
    std::vector<std::uint8_t> wire(static_cast<std::size_t>(OutputReportByteLength), 0);
    std::copy_n(OutputReport.begin(), wire.size() - 1, wire.begin() + 1);
    if (!m_connection->writeReport(wire)) DeviceFound = kFalse;
}

void TesterLink::ReceiveInputReport() {
    std::vector<std::uint8_t> wire(static_cast<std::size_t>(std::max<int>(InputReportByteLength, 2)), 0);
    ReadStatus status = ReadStatus::Failed;
    if (m_connection) {
        const std::int64_t deadline = m_clock.nowMs() + kReadTimeoutMs;
        for (;;) {
            const std::int64_t remaining = deadline - m_clock.nowMs();
            const int slice = static_cast<int>(std::clamp<std::int64_t>(remaining, 0, kReadSliceMs));
            status = m_connection->readReport(wire, slice);
            if (status != ReadStatus::TimedOut || m_clock.nowMs() >= deadline) break;
            m_events.processPendingEvents();
            // The events may have run anything, even a close of this device.
            if (!m_connection) {
                status = ReadStatus::Failed;
                break;
            }
        }
    }
    switch (status) {
        case ReadStatus::Report: break;
        case ReadStatus::TimedOut:
            std::fill(wire.begin(), wire.end(), 0);
            closeDevice();
            DeviceFound = kFalse;
            break;
        case ReadStatus::Failed:
            std::fill(wire.begin(), wire.end(), 0);
            DeviceFound = kFalse;
            break;
    }
    // Only the bytes this device's report carries are replaced; the rest keep what they held.
    const std::size_t payload = static_cast<std::size_t>(InputReportByteLength > 1 ? InputReportByteLength - 1 : 0);
    std::copy_n(wire.begin() + 1, std::min(payload, wire.size() - 1), InputReport.begin());
    if (status == ReadStatus::Report) trace(ReportDirection::In, InputReport);
}

void TesterLink::dropConnection() {
    closeDevice();
    DeviceFound = kFalse;
}

void TesterLink::closeDevice() { m_connection.reset(); }

void TesterLink::trace(ReportDirection direction, const ReportBuffer& buffer) const {
    const std::span<const std::uint8_t, kCommandBytes> bytes(buffer.data(), kCommandBytes);
    if (m_trace) m_trace(direction, bytes);
    if (lcLink().isDebugEnabled()) {
        const QByteArray hex = QByteArray(reinterpret_cast<const char*>(bytes.data()), kCommandBytes).toHex(' ');
        qCDebug(lcLink).noquote() << (direction == ReportDirection::Out ? "out:" : "in:") << hex;
    }
}

}  // namespace torbex::link
