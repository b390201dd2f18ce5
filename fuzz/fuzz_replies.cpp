// Replies of a tester that answers garbage: every decoder, and the record it would make.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QStringList>

#include "commands/replies.h"
#include "commands/settings_transfer.h"
#include "commands/value_text.h"
#include "data/csv_format.h"
#include "data/grid_cells.h"
#include "data/record_from_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace torbex;
    commands::CommandFrame reply{};
    std::copy_n(data, std::min(size, reply.size()), reply.begin());

    const commands::MeasurementSettings read = commands::decodeSettings(reply);
    const commands::MeasurementSettings held = commands::settingsAfterRead({}, read);
    if (!commands::levelListed(held.OcclusionLevel)) std::abort();
    (void)commands::formatFlowRate(read.FlowRate);
    const commands::CalibrationReading calibration = commands::decodeCalibration(reply);
    for (float coefficient : calibration.coefficients) (void)commands::formatCoefficient(coefficient);
    if (commands::decodeVersion(reply).size() != 8 || calibration.serialNumber.size() != 8) std::abort();

    // A record made of whatever the tester sent still shows, still saves, and reads back as the
    // same record: the same columns, whatever their alignment.
    const commands::SlotReply slot = commands::decodeSlotReply(reply);
    const data::MeasurementRecord record = data::recordFromReply(slot.record);
    (void)data::gridCellTexts(record, 0);
    const auto saved = data::csvBytes({&record, 1});
    if (!saved) std::abort();
    const auto readBack = data::parseCsv(*saved);
    if (!readBack || readBack->size() != 1) std::abort();
    const auto columns = [](const data::MeasurementRecord& r) {
        QStringList texts = data::csvRecordLine(r).split(u',');
        for (QString& text : texts) text = text.trimmed();
        return texts;
    };
    if (columns(readBack->front()) != columns(record)) std::abort();
    // And the same values: the measured results, level, date and time read back as they came.
    const data::MeasurementRecord& back = readBack->front();
    if (back.flowResult() != record.flowResult() || back.occlusionResult() != record.occlusionResult() ||
        back.values.occlusionLevel != record.values.occlusionLevel || back.values.date != record.values.date ||
        back.values.time != record.values.time)
        std::abort();
    return 0;
}
