// Data files as an operator might hand them over: anything at all. Whatever reads must write
// back and read again to the same number of records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QBuffer>

#include "data/csv_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace torbex::data;
    const auto records = parseCsv(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!records) return 0;

    static RecordStore store;
    for (std::size_t i = 0; i < records->size(); ++i) store.slot(static_cast<int>(i)) = (*records)[i];
    store.RecordCount = static_cast<std::int16_t>(records->size());

    QBuffer written;
    written.open(QIODevice::WriteOnly);
    if (!writeCsv(written, store)) std::abort();  // text that was read must be writable
    const auto again = parseCsv(written.data());
    if (!again || again->size() != records->size()) std::abort();
    return 0;
}
