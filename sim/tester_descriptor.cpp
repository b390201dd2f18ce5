#include "sim/tester_descriptor.h"

namespace torbex::sim {
namespace {

std::uint8_t lowByte(int n) { return static_cast<std::uint8_t>(n & 0xFF); }
std::uint8_t highByte(int n) { return static_cast<std::uint8_t>((n >> 8) & 0xFF); }

}  // namespace

std::vector<std::uint8_t> testerReportDescriptor(int inputBytes, int outputBytes) {
    // Report Count takes a two-byte value, so that any size up to 65535 bytes fits.
    return {
        0x06, 0x00, 0xFF,                                   // Usage Page (vendor-defined 0xFF00)
        0x09, 0x01,                                         // Usage (1)
        0xA1, 0x01,                                         // Collection (Application)
        0x15, 0x00,                                         //   Logical Minimum (0)
        0x26, 0xFF, 0x00,                                   //   Logical Maximum (255)
        0x75, 0x08,                                         //   Report Size (8 bits)
        0x96, lowByte(inputBytes), highByte(inputBytes),    //   Report Count
        0x09, 0x01,                                         //   Usage (1)
        0x81, 0x02,                                         //   Input (Data, Variable, Absolute)
        0x96, lowByte(outputBytes), highByte(outputBytes),  //   Report Count
        0x09, 0x01,                                         //   Usage (1)
        0x91, 0x02,                                         //   Output (Data, Variable, Absolute)
        0xC0,                                               // End Collection
    };
}

}  // namespace torbex::sim
