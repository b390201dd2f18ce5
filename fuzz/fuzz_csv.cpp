// Data files as an operator might hand them over: anything at all. Whatever reads must write
// back and read again to the same number of records.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QBuffer>

#include "data/csv_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace torbex::data;
    const auto records = parseCsv(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!records) return 0;

    QBuffer written;
    written.open(QIODevice::WriteOnly);
    if (!CsvWriter().write(written, *records)) std::abort();  // text that was read must be writable
    const auto again = parseCsv(written.data());
    if (!again || again->size() != records->size()) std::abort();
    return 0;
}
