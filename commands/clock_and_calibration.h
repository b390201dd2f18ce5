#pragma once

#include <QString>
#include <array>
#include <optional>

#include "commands/tester_values.h"

namespace torbex::commands {

// The coefficients and serial number a calibration write sends, taken from the factory page's
// texts: each coefficient is the number at the start of its text (0 when there is none).
struct CalibrationWrite {
    CalibrationCoefficients coefficients{};
    QString serialNumber;
};

// Why the factory page's texts cannot be written to the tester.
enum class CalibrationProblem {
    CoefficientOutOfRange,  // not a finite single-precision number (1e40, say)
    SerialCharacters,       // above U+00FF: more than the one byte per character the tester stores
};

struct CalibrationCheck {
    std::optional<CalibrationWrite> write;
    CalibrationProblem problem = CalibrationProblem::CoefficientOutOfRange;  // when write is empty
};
CalibrationCheck checkCalibrationWrite(const std::array<QString, 3>& coefficientTexts, const QString& serialText);

}  // namespace torbex::commands
