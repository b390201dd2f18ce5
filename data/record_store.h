#pragma once

#include <span>
#include <vector>

#include "data/measurement_record.h"

namespace torbex::data {

// The records the operator works with: 10001 slots allocated once; the first count() hold the
// current records in download or file order. Slots beyond keep stale contents that nothing
// shows, saves or edits.
class RecordStore {
public:
    static constexpr int kCapacity = 10001;

    RecordStore() : m_slots(kCapacity) {}

    int count() const { return m_count; }
    MeasurementRecord& record(int index) { return m_slots.at(static_cast<std::size_t>(index)); }
    const MeasurementRecord& record(int index) const { return m_slots.at(static_cast<std::size_t>(index)); }
    std::span<const MeasurementRecord> records() const { return {m_slots.data(), static_cast<std::size_t>(m_count)}; }

    // The records from slot 0 on; nothing changes when there are more than the store holds.
    bool replace(std::span<const MeasurementRecord> records) {
        if (records.size() > m_slots.size()) return false;
        std::copy(records.begin(), records.end(), m_slots.begin());
        m_count = static_cast<int>(records.size());
        return true;
    }
    void clear() { m_count = 0; }

    // Records came from the tester, or a number was typed, and they have not been saved since.
    bool unsaved = false;

private:
    std::vector<MeasurementRecord> m_slots;
    int m_count = 0;
};

}  // namespace torbex::data
