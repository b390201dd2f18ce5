// Checking and taking over a settings transfer before it is sent.
#include <gtest/gtest.h>

#include <optional>

#include "commands/settings_transfer.h"

namespace torbex::commands {
namespace {

// Held settings unlike anything a transfer produces, so a partial write shows.
MeasurementSettings heldBefore() { return {33.0F, 4, 9, 99.0F, 0, 1, 1, 2}; }

SettingsChoice choice(const QString& flow, int level = 1) {
    SettingsChoice c;
    c.flowRateText = flow;
    c.occlusionLevel = level;
    return c;
}

TEST(SettingsTransfer, FlowRateOutsideFiveToHundredFiftyLeavesHeldSettingsUntouched) {
    const struct { const char* text; std::optional<float> stored; } cases[] = {
        {"5", 5.0F},       {"150", 150.0F},    {"12.5", 12.5F},   {" 70", 70.0F},
        {"4.99", {}},      {"150.1", {}},      {"", {}},          {"abc", {}},
        {"-10", {}},       {"1e3", {}},        {"0", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        MeasurementSettings held = heldBefore();
        const bool accepted = applySettingsTransfer(held, choice(QString::fromLatin1(c.text)));
        EXPECT_EQ(accepted, c.stored.has_value());
        if (c.stored) {
            EXPECT_EQ(held.FlowRate, *c.stored);
        } else {
            EXPECT_EQ(held, heldBefore());
        }
    }
}

TEST(SettingsTransfer, UnusedCountsAreSentAsZero) {
    MeasurementSettings held = heldBefore();
    ASSERT_TRUE(applySettingsTransfer(held, choice(QStringLiteral("70"))));
    EXPECT_EQ(held.AverageCount, 0);
    EXPECT_EQ(held.MeasureCount, 0);
}

TEST(SettingsTransfer, PressureFollowsTheLevelSent) {
    const struct { int level; float pressure; const char* range; } cases[] = {
        {0, 40.0F, "27～53"}, {1, 67.0F, "53～80"}, {2, 107.0F, "80～133"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        MeasurementSettings held = heldBefore();
        ASSERT_TRUE(applySettingsTransfer(held, choice(QStringLiteral("70"), c.level)));
        EXPECT_EQ(held.OcclusionLevel, c.level);
        EXPECT_EQ(held.OcclusionPressure, c.pressure);
        EXPECT_EQ(nominalOcclusionPressure(c.level), c.pressure);
        ASSERT_TRUE(occlusionRangeText(c.level).has_value());
        EXPECT_EQ(occlusionRangeText(c.level)->toStdString(), c.range);
    }
    EXPECT_FALSE(occlusionRangeText(3).has_value());
    EXPECT_FALSE(occlusionRangeText(-1).has_value());
    EXPECT_FALSE(nominalOcclusionPressure(3).has_value());
}

TEST(SettingsTransfer, DisplayUnitsCombineFlowAndPressureUnitBits) {
    const struct { int flowUnit; int pressureUnit; std::int16_t units; } cases[] = {
        {0, 0, 0}, {1, 0, 1}, {0, 1, 2}, {1, 1, 3},
    };
    for (const auto& c : cases) {
        MeasurementSettings held = heldBefore();
        SettingsChoice chosen = choice(QStringLiteral("70"));
        chosen.flowUnitIndex = c.flowUnit;
        chosen.pressureUnitIndex = c.pressureUnit;
        ASSERT_TRUE(applySettingsTransfer(held, chosen));
        EXPECT_EQ(held.DisplayUnits, c.units) << c.flowUnit << "+" << c.pressureUnit;
    }
}

TEST(SettingsTransfer, WriteModeAndRfidUseAreTakenOver) {
    MeasurementSettings held = heldBefore();
    SettingsChoice chosen = choice(QStringLiteral("70"));
    chosen.writeMode = 0;
    chosen.rfidUse = 0;
    ASSERT_TRUE(applySettingsTransfer(held, chosen));
    EXPECT_EQ(held.WriteMode, 0);
    EXPECT_EQ(held.RfidUse, 0);
}

}  // namespace
}  // namespace torbex::commands
