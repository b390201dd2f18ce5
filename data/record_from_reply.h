#pragma once

#include "commands/replies.h"
#include "data/measurement_record.h"

namespace torbex::data {

// The record a record reply makes: hexadecimal RFID and status, "20yy/mm/dd", "hh:mm", numbers
// right-aligned in their fields, the level as L, M or H. The management number is blank.
MeasurementRecord recordFromReply(const commands::RecordReply& reply);

}  // namespace torbex::data
