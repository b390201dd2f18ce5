// Scenario files for the simulated tester, hand-written and so often wrong.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "sim/scenario.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto result =
        torbex::sim::parseScenario(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!result.state && result.error.isEmpty()) std::abort();  // a refusal always says why
    return 0;
}
