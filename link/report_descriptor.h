#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "hid_transport.h"

namespace torbex::link {

// Input and output report lengths described by a HID report descriptor, counted the way the
// Windows HID capabilities count them: the longest report of each kind plus the report ID byte.
// nullopt when the descriptor is cut short or describes no input report.
std::optional<ReportLengths> reportLengthsFromDescriptor(std::span<const std::uint8_t> descriptor);

}  // namespace torbex::link
