// Setting.ini as a damaged disk or an editor may leave it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "app/settings_file.h"
#include "app/text_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace torbex::app;
    QStringList values;
    QStringList labels;
    const int lines = parseValueLabelText(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
                                          values, labels);
    if (lines < -1 || lines > kValueLabelLines) std::abort();
    if (lines < 0) return 0;
    if (const auto settings = storedSettingsFrom(values)) {
        const auto& m = settings->measurement;
        if (m.OcclusionLevel < 0 || m.OcclusionLevel > 2 || m.WriteMode < 0 || m.WriteMode > 1) std::abort();
    }
    return 0;
}
