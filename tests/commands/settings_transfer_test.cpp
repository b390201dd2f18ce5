// What the settings page does not reach: every held value after a refused or accepted transfer,
// each level's pressure and range, and the values a read may not bring in.
#include <gtest/gtest.h>

#include "commands/settings_transfer.h"

namespace torbex::commands {
namespace {

// Held settings unlike anything a transfer produces, so a partial write shows.
const MeasurementSettings kHeld{33.0F, 4, 9, 99.0F, 0, 1, 1, 2};

TEST(SettingsTransfer, RefusedFlowKeepsEveryHeldValueAndAnAcceptedOneTakesTheWholeChoice) {
    for (const char* flow : {"4.99", "150.1", "", "abc", "-10", "1e3", "0"}) {
        MeasurementSettings held = kHeld;
        EXPECT_FALSE(applySettingsTransfer(held, {.flowRateText = QString::fromLatin1(flow)})) << flow;
        EXPECT_EQ(held, kHeld) << flow;
    }
    const struct { SettingsChoice choice; MeasurementSettings held; const char16_t* range; } cases[] = {
        {{QStringLiteral("5"), 0, 0, 0, 1, 0}, {5.0F, 0, 0, 40.0F, 0, 0, 0, 1}, u"27～53"},
        {{QStringLiteral(" 70"), 1, 1, 0, 0, 1}, {70.0F, 0, 0, 67.0F, 1, 1, 0, 2}, u"53～80"},
        {{QStringLiteral("150"), 2, 0, 1, 1, 1}, {150.0F, 0, 0, 107.0F, 2, 0, 1, 3}, u"80～133"},
    };
    for (const auto& c : cases) {
        MeasurementSettings held = kHeld;
        EXPECT_TRUE(applySettingsTransfer(held, c.choice));
        EXPECT_EQ(held, c.held) << c.choice.occlusionLevel;
        EXPECT_EQ(occlusionRangeText(c.choice.occlusionLevel), QString::fromUtf16(c.range));
    }
    EXPECT_FALSE(occlusionRangeText(3) || occlusionRangeText(-1) || nominalOcclusionPressure(3));
}

TEST(SettingsTransfer, ReadKeepsTheHeldValueWhereTheListsCannotShowTheTestersOne) {
    const struct { MeasurementSettings read, kept; } cases[] = {
        {{120.0F, 1, 2, 50.0F, 3, 2, 2, 4}, {120.0F, 1, 2, 50.0F, 0, 1, 1, 2}},
        {{120.0F, 0, 0, 50.0F, -1, -1, -1, -1}, {120.0F, 0, 0, 50.0F, 0, 1, 1, 2}},
        {{120.0F, 0, 0, 50.0F, 2, 0, 0, 3}, {120.0F, 0, 0, 50.0F, 2, 0, 0, 3}},
    };
    for (const auto& c : cases) EXPECT_EQ(settingsAfterRead(kHeld, c.read), c.kept);
}

}  // namespace
}  // namespace torbex::commands
