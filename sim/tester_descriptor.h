#pragma once

#include <cstdint>
#include <vector>

namespace torbex::sim {

// A HID report descriptor as the tester presents itself: one vendor-defined collection with one
// input and one output report of the given payload sizes in bytes, without report IDs.
std::vector<std::uint8_t> testerReportDescriptor(int inputBytes, int outputBytes);

}  // namespace torbex::sim
