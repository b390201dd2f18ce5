#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace torbex::commands {

// The flow rates the tester takes, ml/h.
inline constexpr double kMinFlowRate = 5;
inline constexpr double kMaxFlowRate = 150;

// The tester's measurement settings, as the settings page edits them and Setting.ini keeps them.
// The defaults are the values used when no settings file can be read.
struct MeasurementSettings {
    float FlowRate = 70.0F;           // ml/h
    std::int16_t AverageCount = 0;    // not used, sent as 0
    std::int16_t MeasureCount = 0;    // not used, sent as 0
    float OcclusionPressure = 67.0F;  // kPa
    std::int16_t OcclusionLevel = 1;  // 0 = L, 1 = M, 2 = H
    std::int16_t WriteMode = 0;       // 0 = normal, 1 = overwrite
    std::int16_t RfidUse = 0;         // 0 = used, 1 = not used
    std::int16_t DisplayUnits = 0;    // bit 0: flow in ml/h; bit 1: pressure in mmHg

    friend bool operator==(const MeasurementSettings&, const MeasurementSettings&) = default;
};

// Occlusion-pressure calibration coefficients a0, a1, a2, in wire order.
using CalibrationCoefficients = std::array<float, 3>;

// The values the commands carry, one instance for the program's run.
struct TesterValues {
    MeasurementSettings measurementSettings;
    CalibrationCoefficients calibrationCoefficients{};
    // The tester's serial number as its last calibration read gave it: the one the banner shows
    // and the history and reports name. A write does not change it until the next read.
    QString serialAsRead;
    // What the factory page's write sends.
    QString serialToSend;
    QString TesterVersion;
    // The settings as the tester last reported them (values the lists cannot show included),
    // and the settings the next transfer sends.
    std::optional<MeasurementSettings> settingsAsRead;
    MeasurementSettings settingsToSend;
};

}  // namespace torbex::commands
