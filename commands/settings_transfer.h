#pragma once

#include <QString>
#include <optional>

#include "commands/tester_values.h"

namespace torbex::commands {

// Nominal occlusion pressure (kPa) and the range text of a level 0 (L), 1 (M) or 2 (H);
// nullopt for any other level.
std::optional<float> nominalOcclusionPressure(int level);
std::optional<QString> occlusionRangeText(int level);

// What the operator chose for a settings transfer. A list without a selection (it could not
// show what the tester reported) is nullopt: the operator chose nothing there.
struct SettingsChoice {
    QString flowRateText;
    std::optional<int> occlusionLevel = 1;
    std::optional<int> writeMode = 0;
    std::optional<int> rfidUse = 0;
    std::optional<int> flowUnitIndex = 0;      // 0 = %, otherwise ml/h
    std::optional<int> pressureUnitIndex = 0;  // 0 = kPa, otherwise mmHg
};

// A transfer splits in two where the operator chose nothing: the held settings (Setting.ini)
// keep their last readable value, and the tester is sent back the value it reported. Display
// units with either unit chosen are 0 to 3: the two bits the lists stand for.
struct SettingsTransfer {
    MeasurementSettings held;
    MeasurementSettings sent;
};

// Checks a transfer; nullopt when the flow rate is out of 5 to 150 ml/h or not a number. The
// pressure follows the level being sent. `asRead` is the tester's last settings reply, if any.
std::optional<SettingsTransfer> checkSettingsTransfer(const MeasurementSettings& held,
                                                      const std::optional<MeasurementSettings>& asRead,
                                                      const SettingsChoice& choice);

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
