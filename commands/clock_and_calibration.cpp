#include "commands/clock_and_calibration.h"

#include <cmath>
#include <limits>

#include "commands/protocol.h"

namespace torbex::commands {

QString clockPrompt(const QDateTime& localTime) {
    return QStringLiteral("トルベックスに現在時刻を設定します。よろしいですか？\n") +
           localTime.toString(QStringLiteral("yyyy MM/dd HH:mm"));
}

CalibrationCheck checkCalibrationWrite(const std::array<QString, 3>& coefficientTexts, const QString& serialText) {
    CalibrationWrite write;
    for (std::size_t i = 0; i < coefficientTexts.size(); ++i) {
        const double value = parseDecimal(coefficientTexts[i]);
        if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max())
            return {std::nullopt, kCoefficientRangeMessage};
        write.coefficients[i] = static_cast<float>(value);
    }
    for (QChar c : serialText) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E) return {std::nullopt, kSerialCharactersMessage};
    }
    write.serialNumber = serialText;
    return {write, QString()};
}

}  // namespace torbex::commands
