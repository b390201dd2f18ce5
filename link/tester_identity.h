#pragma once

#include <cstdint>

namespace torbex::link {

inline constexpr std::uint16_t kTesterVendorId = 0x09B9;
inline constexpr std::uint16_t kTesterProductId = 0x0059;

// Report lengths include the report ID byte. The report buffers hold 70 payload bytes, so a
// device may report at most 71 bytes; 65 is assumed when the lengths cannot be read. Shorter
// reports than the protocol's longest would cut replies and commands short: a record reply runs
// to byte 44, the calibration write to byte 21.
inline constexpr int kMinInputReportLength = 46;
inline constexpr int kMinOutputReportLength = 23;
inline constexpr int kMaxReportLength = 71;
inline constexpr int kFallbackReportLength = 65;

inline constexpr int kReadTimeoutMs = 3000;
// Longest stretch the window goes without running its events while a reply is awaited.
inline constexpr int kReadSliceMs = 50;

}  // namespace torbex::link
