#include "sim/tester_descriptor.h"

namespace torbex::sim {
namespace {

void append(std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> items) {
    bytes.insert(bytes.end(), items);
}

// Report Count with a two-byte value, so that any size up to 65535 bytes fits.
void appendReportCount(std::vector<std::uint8_t>& bytes, int count) {
    append(bytes, {0x96, static_cast<std::uint8_t>(count & 0xFF), static_cast<std::uint8_t>((count >> 8) & 0xFF)});
}

}  // namespace

std::vector<std::uint8_t> testerReportDescriptor(int inputBytes, int outputBytes) {
    std::vector<std::uint8_t> d;
    append(d, {0x06, 0x00, 0xFF});  // Usage Page (vendor-defined 0xFF00)
    append(d, {0x09, 0x01});        // Usage (1)
    append(d, {0xA1, 0x01});        // Collection (Application)
    append(d, {0x15, 0x00});        //   Logical Minimum (0)
    append(d, {0x26, 0xFF, 0x00});  //   Logical Maximum (255)
    append(d, {0x75, 0x08});        //   Report Size (8 bits)
    appendReportCount(d, inputBytes);
    append(d, {0x09, 0x01});        //   Usage (1)
    append(d, {0x81, 0x02});        //   Input (Data, Variable, Absolute)
    appendReportCount(d, outputBytes);
    append(d, {0x09, 0x01});        //   Usage (1)
    append(d, {0x91, 0x02});        //   Output (Data, Variable, Absolute)
    append(d, {0xC0});              // End Collection
    return d;
}

}  // namespace torbex::sim
