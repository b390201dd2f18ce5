#pragma once

#include <QString>
#include <optional>

#include "commands/tester_values.h"

namespace torbex::commands {

inline constexpr double kMinFlowRate = 5;
inline constexpr double kMaxFlowRate = 150;

inline const QString kFlowRateRangeMessage = QStringLiteral("流量は、5ml/h～150ml/hの範囲で入力して下さい。");
inline const QString kInvalidInputTitle = QStringLiteral("入力値異常");

// Nominal occlusion pressure (kPa) and the range text of a level 0 (L), 1 (M) or 2 (H);
// nullopt for any other level.
std::optional<float> nominalOcclusionPressure(int level);
std::optional<QString> occlusionRangeText(int level);

// What the operator chose for a settings transfer.
struct SettingsChoice {
    QString flowRateText;
    int occlusionLevel = 1;
    int writeMode = 0;
    int rfidUse = 0;
    int flowUnitIndex = 0;      // 0 = %, otherwise ml/h
    int pressureUnitIndex = 0;  // 0 = kPa, otherwise mmHg
};

// Checks a transfer and, when the flow rate lies in 5 to 150 ml/h, takes the choice over into
// the held settings (the pressure follows the level being sent). False, with the held settings
// untouched, when the flow rate is out of range or not a number.
bool applySettingsTransfer(MeasurementSettings& held, const SettingsChoice& choice);

// Whether a value read from the tester can be shown in its list.
bool levelListed(int level);
bool writeModeListed(int mode);
bool rfidUseListed(int use);
bool displayUnitsListed(int units);

// The settings to hold after a read: what the tester sent, except that a level, write mode,
// RFID use or display units the lists cannot show keeps the value held before, rather than
// travelling back to the tester unseen with the next transfer.
MeasurementSettings settingsAfterRead(const MeasurementSettings& held, const MeasurementSettings& read);

}  // namespace torbex::commands
