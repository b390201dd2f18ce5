#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace torbex::link {

// One HID interface as the operating system lists it.
struct HidDeviceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

// Report lengths in bytes, report ID byte included.
struct ReportLengths {
    int input = 0;
    int output = 0;
};

enum class ReadStatus {
    Report,   // a report arrived
    TimedOut, // nothing arrived within the wait
    Failed,   // the device refused the read (unplugged, I/O error)
};

// An opened HID device. Buffers are in wire format: byte 0 is the report ID.
// Closing is destruction.
class HidConnection {
public:
    virtual ~HidConnection() = default;

    // Lengths from the device's report descriptor or capabilities; {0, 0} when unknown.
    virtual ReportLengths reportLengths() const = 0;

    // Writes one whole output report. False when the device did not take it.
    virtual bool writeReport(std::span<const std::uint8_t> wire) = 0;

    // Reads one input report into `wire` (report ID first), waiting at most timeoutMs.
    virtual ReadStatus readReport(std::span<std::uint8_t> wire, int timeoutMs) = 0;
};

// The small part of a HID stack the program needs: list devices and open one.
class HidTransport {
public:
    virtual ~HidTransport() = default;
    virtual std::vector<HidDeviceInfo> enumerate() = 0;
    // nullptr when the device cannot be opened.
    virtual std::unique_ptr<HidConnection> open(const std::string& path) = 0;
};

}  // namespace torbex::link
