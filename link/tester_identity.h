#pragma once

#include <cstdint>

namespace torbex::link {

inline constexpr std::uint16_t kTesterVendorId = 0x09B9;
inline constexpr std::uint16_t kTesterProductId = 0x0059;

// Report lengths include the report ID byte. The report buffers hold 70 payload bytes, so a
// device must report between 2 and 71 bytes; 65 is assumed when the lengths cannot be read.
inline constexpr int kMinReportLength = 2;
inline constexpr int kMaxReportLength = 71;
inline constexpr int kFallbackReportLength = 65;

inline constexpr int kReadTimeoutMs = 3000;
// Longest stretch the window goes without running its events while a reply is awaited.
inline constexpr int kReadSliceMs = 50;

}  // namespace torbex::link
