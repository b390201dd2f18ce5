// Setting.ini as a damaged disk or an editor may leave it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/settings_file.h"
#include "app/text_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace torbex::app;
    const auto lines = parseValueLabels(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!lines) return 0;
    if (lines->size() > static_cast<std::size_t>(kMaxValueLabelLines)) std::abort();
    if (const auto settings = storedSettingsFrom(*lines)) {
        // Settings that load are settings the lists can show and the file can hold again.
        const auto& m = settings->measurement;
        if (m.OcclusionLevel < 0 || m.OcclusionLevel > 2 || m.WriteMode < 0 || m.WriteMode > 1) std::abort();
    }
    return 0;
}
