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
    // A unit chosen makes the value the two bits the lists stand for: anything else it held would
    // reach the tester unseen (or, negative, be refused at every later transfer). With no unit
    // chosen the value goes back as it was.
    if (choice.flowUnitIndex || choice.pressureUnitIndex) {
        const int flowBit = choice.flowUnitIndex ? (*choice.flowUnitIndex != 0 ? 1 : 0) : base.DisplayUnits & 1;
        const int pressureBit = choice.pressureUnitIndex ? (*choice.pressureUnitIndex != 0 ? 2 : 0) : base.DisplayUnits & 2;
        base.DisplayUnits = static_cast<std::int16_t>(flowBit | pressureBit);
    }
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
