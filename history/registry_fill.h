#pragma once

#include <QString>
#include <map>
#include <span>

#include "data/measurement_record.h"

namespace torbex::history {

// Gives each record with an RFID and a blank management number the registry's number for its
// pump. The value is how many numbers were filled in.
int fillManagementNumbers(std::span<data::MeasurementRecord> records, const std::map<QString, QString>& registry);

}  // namespace torbex::history
