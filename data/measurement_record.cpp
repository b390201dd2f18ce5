#include "data/measurement_record.h"

#include "commands/plain_text.h"

namespace torbex::data {

QString MeasurementRecord::rfid() const {
    return has(RfidPresent) ? commands::trimSpaces(PumpRfid.text()).toString() : QString();
}

QString MeasurementRecord::managementNumber() const { return commands::trimSpaces(ManagementNo.text()).toString(); }

}  // namespace torbex::data
