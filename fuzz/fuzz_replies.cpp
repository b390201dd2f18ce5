// Replies of a tester that answers garbage: every decoder, and the record it would make.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "commands/protocol.h"
#include "commands/settings_transfer.h"
#include "commands/value_text.h"
#include "data/cp932.h"
#include "data/csv_codec.h"
#include "data/grid_cells.h"
#include "data/record_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace torbex;
    std::array<std::uint8_t, 70> reply{};
    std::copy_n(data, std::min(size, reply.size()), reply.begin());
    const std::span<const std::uint8_t> view(reply);

    const commands::MeasurementSettings read = commands::decodeSettings(view);
    const commands::MeasurementSettings held = commands::settingsAfterRead({}, read);
    if (!commands::levelListed(held.OcclusionLevel)) std::abort();
    (void)commands::formatFlowRate(read.FlowRate);
    const commands::CalibrationReading calibration = commands::decodeCalibration(view);
    for (float coefficient : calibration.coefficients) (void)commands::formatCoefficient(coefficient);
    if (commands::decodeVersion(view).size() != 8 || calibration.serialNumber.size() != 8) std::abort();

    // A record made of whatever the tester sent still shows, still saves, and reads back as the
    // same record: the same columns, whatever their alignment.
    static data::RecordStore store;
    store.slot(0) = data::recordFromReply(view);
    store.RecordCount = 1;
    (void)data::gridCellTexts(store.slot(0), 0);
    (void)data::advanceFromReply(view);
    const auto saved = data::csvBytes(store);
    if (!saved) std::abort();
    const auto readBack = data::parseCsv(*saved);
    if (!readBack || readBack->size() != 1) std::abort();
    const auto columns = [](const data::MeasurementRecord& record) {
        QStringList texts = data::csvRecordLine(record).split(u',');
        for (QString& text : texts) text = text.trimmed();
        return texts;
    };
    if (columns(readBack->front()) != columns(store.slot(0))) std::abort();
    return 0;
}
