#include "commands/settings_transfer.h"

#include <array>

#include "commands/protocol.h"

namespace torbex::commands {
namespace {

struct LevelRow {
    float nominalPressure;
    const char16_t* rangeText;
};
constexpr std::array<LevelRow, 3> kLevels{{{40.0F, u"27～53"}, {67.0F, u"53～80"}, {107.0F, u"80～133"}}};

bool isListedLevel(int level) { return level >= 0 && level < static_cast<int>(kLevels.size()); }

}  // namespace

std::optional<float> nominalOcclusionPressure(int level) {
    if (!isListedLevel(level)) return std::nullopt;
    return kLevels[static_cast<std::size_t>(level)].nominalPressure;
}

std::optional<QString> occlusionRangeText(int level) {
    if (!isListedLevel(level)) return std::nullopt;
    return QString::fromUtf16(kLevels[static_cast<std::size_t>(level)].rangeText);
}

bool levelListed(int level) { return isListedLevel(level); }
bool writeModeListed(int mode) { return mode == 0 || mode == 1; }
bool rfidUseListed(int use) { return use == 0 || use == 1; }
bool displayUnitsListed(int units) { return units >= 0 && units <= 3; }

MeasurementSettings settingsAfterRead(const MeasurementSettings& held, const MeasurementSettings& read) {
    MeasurementSettings kept = read;
    if (!levelListed(read.OcclusionLevel)) kept.OcclusionLevel = held.OcclusionLevel;
    if (!writeModeListed(read.WriteMode)) kept.WriteMode = held.WriteMode;
    if (!rfidUseListed(read.RfidUse)) kept.RfidUse = held.RfidUse;
    if (!displayUnitsListed(read.DisplayUnits)) kept.DisplayUnits = held.DisplayUnits;
    return kept;
}

bool applySettingsTransfer(MeasurementSettings& held, const SettingsChoice& choice) {
    const double flow = parseDecimal(choice.flowRateText);
    if (flow < kMinFlowRate || flow > kMaxFlowRate) return false;

    held.FlowRate = static_cast<float>(flow);
    held.AverageCount = 0;
    held.MeasureCount = 0;
    // A level and its pressure travel together.
    if (const auto pressure = nominalOcclusionPressure(choice.occlusionLevel)) held.OcclusionPressure = *pressure;
    held.OcclusionLevel = static_cast<std::int16_t>(choice.occlusionLevel);
    held.WriteMode = static_cast<std::int16_t>(choice.writeMode);
    held.RfidUse = static_cast<std::int16_t>(choice.rfidUse);
    held.DisplayUnits = static_cast<std::int16_t>((choice.flowUnitIndex != 0 ? 1 : 0) +
                                                  (choice.pressureUnitIndex != 0 ? 2 : 0));
    return true;
}

}  // namespace torbex::commands
