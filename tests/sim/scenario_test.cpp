#include "sim/scenario.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <tuple>

namespace torbex::sim {
namespace {

int usedSlots(const TesterState& s) {
    return static_cast<int>(std::count_if(s.slots.begin(), s.slots.end(), [](const auto& slot) { return slot.has_value(); }));
}
auto head(const TesterState& s) { return std::make_tuple(s.version, s.serial, s.coefficients, s.settings); }

QString writeFile(const QTemporaryDir& dir, const char* name, const char* json) {
    QFile file(dir.filePath(QLatin1String(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(json);
    return file.fileName();
}

TEST(Scenario, EveryKeyIsReadFromTheFile) {
    QTemporaryDir dir;
    const ScenarioResult result = loadScenarioFile(writeFile(dir, "every-key.json", R"({
        "version": "V2.10", "serial": "ZZ", "coefficients": [-1.5, 2, 3e-3],
        "settings": { "flowRate": 1200.5, "averageCount": 3, "measureCount": 4, "occlusionPressure": 12.5,
                      "occlusionLevel": 2, "writeMode": 5, "rfidUse": 6, "displayUnits": 7 },
        "slots": [ { "slot": 1000, "rfid": "08070605040302ab", "status": 143, "date": "130228", "time": "1120",
                     "flowSetting": 150, "flowResult": 995, "occlusionLevel": 1, "occlusionValue": 45, "occlusionResult": 532 },
                   { "slot": 7, "reply": "31 30 30" } ] })"));
    ASSERT_TRUE(result.state) << result.error.toStdString();
    const TesterState& s = *result.state;
    EXPECT_EQ(head(s), std::make_tuple(QStringLiteral("V2.10"), QStringLiteral("ZZ"),
                                       commands::CalibrationCoefficients{-1.5F, 2.0F, 3e-3F},
                                       commands::MeasurementSettings{1200.5F, 3, 4, 12.5F, 2, 5, 6, 7}));
    EXPECT_EQ(usedSlots(s), 2);
    ASSERT_TRUE(s.slots[1000] && std::holds_alternative<StoredRecord>(*s.slots[1000]));
    const auto& r = std::get<StoredRecord>(*s.slots[1000]);
    EXPECT_EQ(r.rfid + r.date + r.time, QStringLiteral("08070605040302AB1302281120"));
    EXPECT_EQ(std::make_tuple(r.status, r.flowSetting, r.flowResult, r.occlusionLevel, r.occlusionValue, r.occlusionResult),
              std::make_tuple(143, 150, 995, 1, 45, 532));
    ASSERT_TRUE(s.slots[7] && std::holds_alternative<RawReply>(*s.slots[7]));
    EXPECT_EQ(std::get<RawReply>(*s.slots[7]).bytes, (std::vector<std::uint8_t>{0x31, 0x30, 0x30}));
}

TEST(Scenario, KeysLeftOutKeepTheDefaultsAndFilesAreNamedInErrors) {
    const ScenarioResult partial = parseScenario(R"({"settings": {"occlusionLevel": 2}})");
    ASSERT_TRUE(partial.state) << partial.error.toStdString();
    TesterState expected;
    expected.settings.OcclusionLevel = 2;
    EXPECT_EQ(head(*partial.state), head(expected));
    EXPECT_EQ(usedSlots(*partial.state), 0);
    const auto sample = std::filesystem::path(__FILE__).parent_path() / "../../sim/scenarios/sample.json";
    const ScenarioResult shipped = loadScenarioFile(QString::fromStdString(sample.string()));
    ASSERT_TRUE(shipped.state) << shipped.error.toStdString();
    EXPECT_GT(usedSlots(*shipped.state), 0);

    QTemporaryDir dir;
    const QString bad = writeFile(dir, "bad.json", R"({"settings": {"writeMode": -1}})");
    for (const QString& path : {dir.filePath(QStringLiteral("missing.json")), bad}) {
        const ScenarioResult result = loadScenarioFile(path);
        EXPECT_FALSE(result.state);
        EXPECT_TRUE(result.error.contains(path)) << result.error.toStdString();
    }
    EXPECT_TRUE(loadScenarioFile(bad).error.contains(QLatin1String("settings.writeMode")));
}

TEST(Scenario, MalformedInputIsRefusedNamingTheKey) {
    const std::pair<const char*, const char*> refusals[] = {
        {R"({"colour": "red"})", "colour"}, {R"({"serial": 123})", "serial"}, {R"({"version": "V1.00   X"})", "version"},
        {R"({"serial": "TB\u3042"})", "serial"},  // more than one byte on the wire
        {R"({"settings": [70]})", "settings"}, {R"({"settings": {"flowrate": 70}})", "settings.flowrate"},
        {R"({"settings": {"flowRate": "fast"}})", "settings.flowRate"},
        {R"({"settings": {"averageCount": 1.5}})", "settings.averageCount"},
        {R"({"coefficients": [0.95, 0.105]})", "coefficients"}, {R"({"coefficients": [0.95, "x", 0]})", "coefficients[1]"},
        {R"({"slots": {"slot": 0}})", "slots"}, {R"({"slots": [{"status": 1}]})", "slots[0].slot"},
        {R"({"slots": [{"slot": 3}, {"slot": 3}]})", "slots[1].slot"},
        {R"({"slots": [{"slot": 1001}]})", "slots[0].slot"}, {R"({"slots": [{"slot": -1}]})", "slots[0].slot"},
        {R"({"slots": [{"slot": 0}, {"slot": 1, "status": 256}]})", "slots[1].status"},
        {R"({"slots": [{"slot": 0, "colour": 1}]})", "slots[0].colour"},
        {R"({"slots": [{"slot": 7, "reply": "31 3G"}]})", "slots[0].reply"},
        {R"({"slots": [{"slot": 7, "reply": "313"}]})", "slots[0].reply"},
        {R"({"slots": [{"slot": 7, "reply": "31", "status": 1}]})", "slots[0].reply"},
        {R"({"slots": [{"slot": 0, "rfid": "080706050403020"}]})", "slots[0].rfid"},
        {R"({"slots": [{"slot": 0, "rfid": "08070605040302010"}]})", "slots[0].rfid"},
        {R"({"slots": [{"slot": 0, "rfid": "080706050403020G"}]})", "slots[0].rfid"},
        {R"({"slots": [{"slot": 0, "date": "1302A8"}]})", "slots[0].date"},
        {R"({"slots": [{"slot": 0, "time": "112"}]})", "slots[0].time"},
        // Not a JSON object: no key to name, but a reason all the same.
        {"slots: none", ""}, {"[]", ""},
    };
    for (const auto& [json, key] : refusals) {
        const ScenarioResult result = parseScenario(json);
        EXPECT_FALSE(result.state) << json;
        EXPECT_FALSE(result.error.isEmpty()) << json;
        EXPECT_TRUE(result.error.contains(QLatin1String(key))) << json << " gave " << result.error.toStdString();
    }
}

TEST(Scenario, MalformedFaultsAreRefusedNamingTheKey) {
    const std::pair<const char*, const char*> refusals[] = {
        {R"({"faults": {"on": "D9", "kind": "noAnswer"}})", "faults"},
        {R"({"faults": ["D9"]})", "faults[0]"},
        {R"({"faults": [{"on": "D9", "kind": "noAnswer", "colour": 1}]})", "faults[0].colour"},
        {R"({"faults": [{"kind": "noAnswer"}]})", "faults[0].on"},
        {R"({"faults": [{"on": "D9"}]})", "faults[0].kind"},
        {R"({"faults": [{"on": "D2", "kind": "noAnswer"}]})", "faults[0].on"},
        {R"({"faults": [{"on": "D9", "kind": "timeout"}]})", "faults[0].kind"},
        {R"({"faults": [{"on": "D9", "kind": "noAnswer", "after": -1}]})", "faults[0].after"},
        {R"({"faults": [{"on": "D9", "kind": "noAnswer", "after": 1.5}]})", "faults[0].after"},
        {R"({"faults": [{"on": "D9", "kind": "noAnswer", "after": 3e9}]})", "faults[0].after"},
        {R"({"faults": [{"on": "D9", "kind": "noAnswer", "times": -1}]})", "faults[0].times"},
        {R"({"faults": [{"on": "D9", "kind": "unplug", "replugAfterMs": -5}]})", "faults[0].replugAfterMs"},
        {R"({"faults": [{"on": "D9", "kind": "unplug"}, {"on": "D9", "kind": "noAnswer", "replugAfterMs": 0}]})",
         "faults[1].replugAfterMs"},
        {R"({"faults": [{"on": "D9", "kind": "notReady"}]})", "faults[0].on"},
        {R"({"faults": [{"on": "0x22", "kind": "notReady"}]})", "faults[0].on"},
    };
    for (const auto& [json, key] : refusals) {
        const ScenarioResult result = parseScenario(json);
        EXPECT_FALSE(result.state) << json;
        EXPECT_TRUE(result.error.startsWith(QLatin1String(key) + u':')) << json << " gave " << result.error.toStdString();
    }
}

}  // namespace
}  // namespace torbex::sim
