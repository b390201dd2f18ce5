#pragma once

#include <QString>

namespace torbex::commands {

// A calibration coefficient with the pattern "#0.########": at least one digit before the point,
// at most eight after it, trailing zeros dropped, the point always written (2 shows as "2.").
QString formatCoefficient(float value);

// A flow rate in plain decimal with up to seven significant digits and no trailing zeros
// (70 shows as "70", 12.5 as "12.5").
QString formatFlowRate(float value);

}  // namespace torbex::commands
