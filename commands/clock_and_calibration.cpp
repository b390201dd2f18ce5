#include "commands/clock_and_calibration.h"

#include <cmath>
#include <limits>

#include "commands/plain_text.h"

namespace torbex::commands {

CalibrationCheck checkCalibrationWrite(const std::array<QString, 3>& coefficientTexts, const QString& serialText) {
    CalibrationWrite write;
    for (std::size_t i = 0; i < coefficientTexts.size(); ++i) {
        const double value = parseDecimal(coefficientTexts[i]);
        if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
            return {std::nullopt, CalibrationProblem::CoefficientOutOfRange};
        write.coefficients[i] = static_cast<float>(value);
    }
    // One byte per character on the wire. A serial read with NUL or 0xFF padding goes back as
    // it came, so the coefficients of such a tester can be written.
    for (QChar c : serialText) {
        if (c.unicode() > 0xFF) return {std::nullopt, CalibrationProblem::SerialCharacters};
    }
    write.serialNumber = serialText;
    return {write, {}};
}

}  // namespace torbex::commands
