#include "commands/settings_transfer.h"

#include <array>

#include "commands/plain_text.h"

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

namespace {

// Applies the choice to one set of settings; where nothing was chosen, `base` keeps its value.
MeasurementSettings applyChoice(MeasurementSettings base, float flow, const SettingsChoice& choice) {
    base.FlowRate = flow;
    base.AverageCount = 0;
    base.MeasureCount = 0;
    if (choice.occlusionLevel) {
        // A level and its pressure travel together.
        if (const auto pressure = nominalOcclusionPressure(*choice.occlusionLevel)) base.OcclusionPressure = *pressure;
        base.OcclusionLevel = static_cast<std::int16_t>(*choice.occlusionLevel);
    }
    if (choice.writeMode) base.WriteMode = static_cast<std::int16_t>(*choice.writeMode);
    if (choice.rfidUse) base.RfidUse = static_cast<std::int16_t>(*choice.rfidUse);
    int units = base.DisplayUnits;
    if (choice.flowUnitIndex) units = (units & ~1) | (*choice.flowUnitIndex != 0 ? 1 : 0);
    if (choice.pressureUnitIndex) units = (units & ~2) | (*choice.pressureUnitIndex != 0 ? 2 : 0);
    // A unit chosen over units the lists could not show may leave a value that is no digit; the
    // tester takes digits only, so only the two units the lists know are kept then.
    if (units > 9) units &= 3;
    base.DisplayUnits = static_cast<std::int16_t>(units);
    return base;
}

}  // namespace

std::optional<SettingsTransfer> checkSettingsTransfer(const MeasurementSettings& held,
                                                      const std::optional<MeasurementSettings>& asRead,
                                                      const SettingsChoice& choice) {
    const double flow = parseDecimal(choice.flowRateText);
    if (!(flow >= kMinFlowRate && flow <= kMaxFlowRate)) return std::nullopt;
    const float rate = static_cast<float>(flow);
    return SettingsTransfer{applyChoice(held, rate, choice), applyChoice(asRead.value_or(held), rate, choice)};
}
}  // namespace torbex::commands
