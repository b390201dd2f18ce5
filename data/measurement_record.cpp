#include "data/measurement_record.h"

namespace torbex::data {

int MeasurementRecord::statusByte() const {
    bool ok = false;
    const uint value = StatusFlags.text().trimmed().toUInt(&ok, 16);
    return ok && value <= 0xFF ? static_cast<int>(value) : 0;
}

}  // namespace torbex::data
