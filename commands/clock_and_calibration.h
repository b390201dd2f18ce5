#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <optional>

#include "commands/tester_values.h"

namespace torbex::commands {

// The question before the tester's clock is set: the PC's date as "yyyy mm/dd" and time as
// "hh:mm" on its second line.
QString clockPrompt(const QDateTime& localTime);

inline const QString kCoefficientRangeMessage =
    QStringLiteral("校正係数は、単精度の数値で表せる範囲で入力して下さい。");
inline const QString kSerialCharactersMessage =
    QStringLiteral("シリアル番号は、半角英数字・記号で入力して下さい。");

// The coefficients and serial number a calibration write sends, taken from the factory page's
// texts: each coefficient is the number at the start of its text (0 when there is none).
struct CalibrationWrite {
    CalibrationCoefficients coefficients{};
    QString serialNumber;
};
struct CalibrationCheck {
    std::optional<CalibrationWrite> write;
    QString problem;  // the operator's message when write is empty
};
// Refuses a coefficient that is not a finite single-precision number (1e40, say) and a serial
// number with characters outside printable ASCII, which the tester could not store.
CalibrationCheck checkCalibrationWrite(const std::array<QString, 3>& coefficientTexts, const QString& serialText);

}  // namespace torbex::commands
