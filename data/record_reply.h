#pragma once

#include <cstdint>
#include <span>

#include "data/measurement_record.h"

namespace torbex::data {

// Byte 3 of a D10 reply.
inline constexpr std::uint8_t kSlotHoldsRecord = '1';

// The number formed by the leading decimal digits of a run of ASCII bytes, spaces ignored;
// 0 when the run has no leading digit.
int digitValue(std::span<const std::uint8_t> bytes);

// A record built from a D10 reply that holds one (byte 3 = "1"); the management number is blank.
MeasurementRecord recordFromReply(std::span<const std::uint8_t> reply);

// How far a D10 reply without a record says to advance (bytes 4 to 7).
int advanceFromReply(std::span<const std::uint8_t> reply);

}  // namespace torbex::data
