#include "commands/value_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace torbex::commands {
namespace {

// The float's own shortest decimal form read back as a double, so 0.95F formats as 0.95 and not as
// the binary neighbour 0.94999999.
double shortestDecimal(float value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::strtod(std::string(text, result.ptr).c_str(), nullptr);
}

QString stripTrailingZeros(QString text, bool keepPoint) {
    if (!text.contains(u'.')) return keepPoint ? text + u'.' : text;
    while (text.endsWith(u'0')) text.chop(1);
    if (!keepPoint && text.endsWith(u'.')) text.chop(1);
    return text;
}

}  // namespace

QString formatCoefficient(float value) {
    if (!std::isfinite(value)) return QString::number(static_cast<double>(value));
    return stripTrailingZeros(QString::number(shortestDecimal(value), 'f', 8), true);
}

QString formatFlowRate(float value) {
    if (!std::isfinite(value)) return QString::number(static_cast<double>(value));
    const double number = shortestDecimal(value);
    const double magnitude = std::fabs(number);
    const int integerDigits = magnitude < 1 ? 1 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    const int decimals = std::max(0, 7 - integerDigits);
    return stripTrailingZeros(QString::number(number, 'f', decimals), false);
}

}  // namespace torbex::commands
