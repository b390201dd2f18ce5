// Scenarios are written by hand: every key is read, and a mistake is refused naming its key.
#include "sim/scenario.h"

#include <gtest/gtest.h>

namespace torbex::sim {
namespace {

TEST(Scenario, EveryKeyIsRead) {
    const ScenarioResult result = parseScenario(R"({"version": "V2.10", "serial": "ZZ", "coefficients": [-1.5, 2, 3e-3],
        "settings": {"flowRate": 1200.5, "averageCount": 3, "measureCount": 4, "occlusionPressure": 12.5,
                     "occlusionLevel": 2, "writeMode": 5, "rfidUse": 6, "displayUnits": 7},
        "slots": [{"slot": 1000, "rfid": "08070605040302ab", "status": 143, "date": "130228", "time": "1120", "flowSetting": 150,
                   "flowResult": 995, "occlusionLevel": 1, "occlusionValue": 45, "occlusionResult": 532}, {"slot": 7, "reply": "31 30"}],
        "faults": [{"on": "D10", "kind": "unplug", "after": 2, "times": 1, "replugAfterMs": 500}, {"on": "any", "kind": "notReady"}]})");
    ASSERT_TRUE(result.state) << result.error.toStdString();
    const TesterState& s = *result.state;
    EXPECT_EQ(std::tie(s.version, s.serial, s.coefficients, s.settings),
              std::make_tuple(QStringLiteral("V2.10"), QStringLiteral("ZZ"), commands::CalibrationCoefficients{-1.5F, 2.0F, 3e-3F},
                              commands::MeasurementSettings{1200.5F, 3, 4, 12.5F, 2, 5, 6, 7}));
    const auto& r = std::get<StoredRecord>(s.slots[1000].value());
    EXPECT_EQ(r.rfid + r.date + r.time, QStringLiteral("08070605040302AB1302281120"));
    EXPECT_EQ(std::tie(r.status, r.flowSetting, r.flowResult, r.occlusionLevel, r.occlusionValue, r.occlusionResult),
              std::make_tuple(143, 150, 995, 1, 45, 532));
    EXPECT_EQ(std::get<RawReply>(s.slots[7].value()).bytes, (std::vector<std::uint8_t>{0x31, 0x30}));
    std::vector<std::tuple<FaultTarget, Fault, int, std::optional<int>, std::optional<int>>> faults;
    for (const FaultRule& f : s.faults) faults.emplace_back(f.on, f.kind, f.after, f.times, f.replugAfterMs);
    EXPECT_EQ(faults, (decltype(faults){{FaultTarget::ReadRecord, Fault::Unplug, 2, 1, 500},  // "not ready" hits record requests only
                                        {FaultTarget::ReadRecord, Fault::RecordNotReady, 0, std::nullopt, std::nullopt}}));
}

TEST(Scenario, MalformedInputIsRefusedNamingTheKey) {
    const std::pair<const char*, const char*> refusals[] = {
        {R"({"colour": 1})", "colour"}, {R"({"serial": "TB\u3042"})", "serial"}, {R"({"faults": {"on": "D9"}})", "faults"},
        {R"({"settings": {"writeMode": 1.5}})", "settings.writeMode"}, {R"({"slots": [{"slot": 3}, {"slot": 3}]})", "slots[1].slot"},
        {R"({"slots": [{"slot": 7, "reply": "31 3G"}]})", "slots[0].reply"}, {R"({"faults": [{"on": "D9", "kind": "x"}]})", "faults[0].kind"},
        {R"({"faults": [{"on": "D9", "kind": "noAnswer", "times": 3e9}]})", "faults[0].times"},
        {R"({"faults": [{"on": "D9", "kind": "noAnswer", "replugAfterMs": 0}]})", "faults[0].replugAfterMs"},
        {R"({"faults": [{"on": "0x22", "kind": "notReady"}]})", "faults[0].on"}};
    for (const auto& [json, key] : refusals) {
        const ScenarioResult result = parseScenario(json);
        EXPECT_TRUE(!result.state && result.error.startsWith(QLatin1String(key) + u':')) << json << ": " << result.error.toStdString();
    }
    for (const char* notAnObject : {"slots: none", "[]"}) EXPECT_FALSE(parseScenario(notAnObject).error.isEmpty());
}

}  // namespace
}  // namespace torbex::sim
