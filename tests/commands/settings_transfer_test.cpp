// What the settings page's choices become, for the tester and for Setting.ini.
#include <gtest/gtest.h>

#include "commands/settings_transfer.h"

namespace torbex::commands {
namespace {

// Held settings unlike anything a transfer produces, so a partial write shows.
const MeasurementSettings kHeld{33.0F, 4, 9, 99.0F, 0, 1, 1, 2};
const auto none = std::nullopt;

// An accepted transfer takes the whole choice, the pressure following the level. A list that could
// not show what the tester reported, left unchosen, sends the tester's own digit back while
// Setting.ini keeps its last readable value; a unit chosen leaves only the lists' two bits.
TEST(SettingsTransfer, RefusedFlowChangesNothingAndUnchosenListsSendTheTestersOwnDigitButKeepTheHeldValue) {
    for (const char* flow : {"4.99", "150.1", "", "abc", "-10", "1e3"})
        EXPECT_FALSE(checkSettingsTransfer(kHeld, none, {.flowRateText = QString::fromLatin1(flow)})) << flow;
    const MeasurementSettings asRead{120.0F, 1, 2, 50.0F, 3, 7, 5, 9};
    const std::tuple<std::optional<MeasurementSettings>, SettingsChoice, MeasurementSettings, MeasurementSettings> cases[] = {
        {none, {QStringLiteral("5"), 0, 0, 1, 1, 0}, {5.0F, 0, 0, 40.0F, 0, 0, 1, 1}, {5.0F, 0, 0, 40.0F, 0, 0, 1, 1}},
        {none, {QStringLiteral(" 70"), 1, 1, 0, 0, 1}, {70.0F, 0, 0, 67.0F, 1, 1, 0, 2}, {70.0F, 0, 0, 67.0F, 1, 1, 0, 2}},
        {asRead, {QStringLiteral("150"), 2, none, 0, 0, none}, {150.0F, 0, 0, 107.0F, 2, 1, 0, 2}, {150.0F, 0, 0, 107.0F, 2, 7, 0, 0}},
        {asRead, {QStringLiteral("12"), none, none, none, none, none}, {12.0F, 0, 0, 99.0F, 0, 1, 1, 2}, {12.0F, 0, 0, 50.0F, 3, 7, 5, 9}},
        {asRead, {QStringLiteral("12"), none, 0, none, none, 0}, {12.0F, 0, 0, 99.0F, 0, 0, 1, 0}, {12.0F, 0, 0, 50.0F, 3, 0, 5, 1}},
        {asRead, {QStringLiteral("12"), none, none, none, none, 1}, {12.0F, 0, 0, 99.0F, 0, 1, 1, 2}, {12.0F, 0, 0, 50.0F, 3, 7, 5, 3}}};
    for (const auto& [read, choice, held, sent] : cases) {
        const auto transfer = checkSettingsTransfer(kHeld, read, choice);
        ASSERT_TRUE(transfer) << held.FlowRate;
        EXPECT_EQ(std::tie(transfer->held, transfer->sent), std::tie(held, sent)) << held.FlowRate << " " << sent.DisplayUnits;
    }
    // Held units no list shows (negative ones included) become digits 0 to 3, for the tester and
    // for Setting.ini alike, instead of growing or being refused at every later transfer.
    const std::tuple<int, std::optional<int>, std::optional<int>, int> unitCases[] = {
        {-1, 0, 0, 0}, {-1, none, 0, 1}, {7, 1, none, 3}, {4, 0, 0, 0}, {13, none, 0, 1}};
    for (const auto& [units, flowUnit, pressureUnit, expected] : unitCases) {
        MeasurementSettings held = kHeld;
        held.DisplayUnits = static_cast<std::int16_t>(units);
        const auto transfer = checkSettingsTransfer(held, none, {QStringLiteral("70"), 1, 0, 0, flowUnit, pressureUnit});
        ASSERT_TRUE(transfer) << units;
        EXPECT_EQ(std::tuple(int{transfer->held.DisplayUnits}, int{transfer->sent.DisplayUnits}), std::tuple(expected, expected)) << units;
    }
}

TEST(SettingsTransfer, ReadKeepsTheHeldValueWhereTheListsCannotShowTheTestersOne) {
    const std::pair<MeasurementSettings, MeasurementSettings> cases[] = {
        {{120.0F, 1, 2, 50.0F, 3, 2, 2, 4}, {120.0F, 1, 2, 50.0F, 0, 1, 1, 2}},
        {{120.0F, 0, 0, 50.0F, -1, -1, -1, -1}, {120.0F, 0, 0, 50.0F, 0, 1, 1, 2}},
        {{120.0F, 0, 0, 50.0F, 2, 0, 1, 3}, {120.0F, 0, 0, 50.0F, 2, 0, 1, 3}},
        {{120.0F, 0, 0, 50.0F, 0, 0, 0, 0}, {120.0F, 0, 0, 50.0F, 0, 0, 0, 0}}};
    for (const auto& [read, kept] : cases) EXPECT_EQ(settingsAfterRead(kHeld, read), kept);
}

}  // namespace
}  // namespace torbex::commands
