#pragma once

#include <cstdint>
#include <vector>

#include "data/measurement_record.h"

namespace torbex::data {

// The records the operator works with: 10001 slots allocated once; slots 0 to RecordCount - 1
// hold the current records in download or file order. Slots beyond keep stale contents that
// nothing shows, saves or edits.
class RecordStore {
public:
    static constexpr int kSlots = 10001;

    RecordStore() : m_slots(kSlots) {}

    MeasurementRecord& slot(int index) { return m_slots.at(static_cast<std::size_t>(index)); }
    const MeasurementRecord& slot(int index) const { return m_slots.at(static_cast<std::size_t>(index)); }

    std::int16_t RecordCount = 0;
    // 1 when records came from the tester and have not been saved since.
    std::int16_t DataUnsaved = 0;

private:
    std::vector<MeasurementRecord> m_slots;
};

}  // namespace torbex::data
