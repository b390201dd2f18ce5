// What the settings page does not reach: every held and sent value after a refused or accepted
// transfer, each level's pressure and range, and the values a read may not bring in.
#include <gtest/gtest.h>

#include "commands/settings_transfer.h"

namespace torbex::commands {
namespace {

// Held settings unlike anything a transfer produces, so a partial write shows.
const MeasurementSettings kHeld{33.0F, 4, 9, 99.0F, 0, 1, 1, 2};

TEST(SettingsTransfer, RefusedFlowChangesNothingAndAnAcceptedOneTakesTheWholeChoice) {
    for (const char* flow : {"4.99", "150.1", "", "abc", "-10", "1e3", "0"})
        EXPECT_FALSE(checkSettingsTransfer(kHeld, std::nullopt, {.flowRateText = QString::fromLatin1(flow)})) << flow;
    const struct { SettingsChoice choice; MeasurementSettings held; const char16_t* range; } cases[] = {
        {{QStringLiteral("5"), 0, 0, 0, 1, 0}, {5.0F, 0, 0, 40.0F, 0, 0, 0, 1}, u"27～53"},
        {{QStringLiteral(" 70"), 1, 1, 0, 0, 1}, {70.0F, 0, 0, 67.0F, 1, 1, 0, 2}, u"53～80"},
        {{QStringLiteral("150"), 2, 0, 1, 1, 1}, {150.0F, 0, 0, 107.0F, 2, 0, 1, 3}, u"80～133"},
    };
    for (const auto& c : cases) {
        const auto transfer = checkSettingsTransfer(kHeld, std::nullopt, c.choice);
        ASSERT_TRUE(transfer);
        EXPECT_EQ(transfer->held, c.held) << *c.choice.occlusionLevel;
        EXPECT_EQ(transfer->sent, c.held) << *c.choice.occlusionLevel;
        EXPECT_EQ(occlusionRangeText(*c.choice.occlusionLevel), QString::fromUtf16(c.range));
    }
    EXPECT_FALSE(occlusionRangeText(3) || occlusionRangeText(-1) || nominalOcclusionPressure(3));
}

// A list without a selection was chosen by nobody: the tester gets back the digit it reported,
// and the held settings (Setting.ini) keep their last readable value.
TEST(SettingsTransfer, ListsWithoutASelectionSendTheTestersDigitAndKeepTheHeldValue) {
    const MeasurementSettings asRead{120.0F, 1, 2, 50.0F, 3, 7, 5, 9};
    const struct { SettingsChoice choice; MeasurementSettings held, sent; } cases[] = {
        {{QStringLiteral("12"), std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt},
         {12.0F, 0, 0, 99.0F, 0, 1, 1, 2}, {12.0F, 0, 0, 50.0F, 3, 7, 5, 9}},
        // One unit chosen: only its bit changes (9 = 0b1001 keeps its other bits).
        {{QStringLiteral("12"), 2, std::nullopt, 0, 1, std::nullopt},
         {12.0F, 0, 0, 107.0F, 2, 1, 0, 3}, {12.0F, 0, 0, 107.0F, 2, 7, 0, 9}},
        {{QStringLiteral("12"), std::nullopt, 0, std::nullopt, std::nullopt, 0},
         {12.0F, 0, 0, 99.0F, 0, 0, 1, 0}, {12.0F, 0, 0, 50.0F, 3, 0, 5, 9}},
    };
    for (const auto& c : cases) {
        const auto transfer = checkSettingsTransfer(kHeld, asRead, c.choice);
        ASSERT_TRUE(transfer);
        EXPECT_EQ(transfer->held, c.held);
        EXPECT_EQ(transfer->sent, c.sent);
    }
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
