#include "sim/scenario.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>

namespace torbex::sim {
namespace {

const char* const kExample =
    R"({ "version": "V1.00   ", "serial": "TB000123", "coefficients": [0.95, 0.105, 0],
  "settings": { "flowRate": 70, "averageCount": 0, "measureCount": 0, "occlusionPressure": 67,
                "occlusionLevel": 1, "writeMode": 0, "rfidUse": 0, "displayUnits": 0 },
  "slots": [ { "slot": 0, "rfid": "0807060504030201", "status": 143, "date": "130228", "time": "1120",
               "flowSetting": 150, "flowResult": 995, "occlusionLevel": 1, "occlusionValue": 45, "occlusionResult": 532 },
             { "slot": 7, "reply": "31 30 30" } ] })";

void expectDefaults(const TesterState& state) {
    EXPECT_EQ(state.version, QStringLiteral("V1.00   "));
    EXPECT_EQ(state.serial, QStringLiteral("TB000123"));
    EXPECT_EQ(state.coefficients, (commands::CalibrationCoefficients{0.95F, 0.105F, 0.0F}));
    const auto& s = state.settings;
    EXPECT_EQ(s.FlowRate, 70.0F);
    EXPECT_EQ(s.AverageCount, 0);
    EXPECT_EQ(s.MeasureCount, 0);
    EXPECT_EQ(s.OcclusionPressure, 67.0F);
    EXPECT_EQ(s.OcclusionLevel, 1);
    EXPECT_EQ(s.WriteMode, 0);
    EXPECT_EQ(s.RfidUse, 0);
    EXPECT_EQ(s.DisplayUnits, 0);
}

int usedSlots(const TesterState& state) {
    return static_cast<int>(std::count_if(state.slots.begin(), state.slots.end(),
                                          [](const auto& s) { return s.has_value(); }));
}

void expectExample(const ScenarioResult& result) {
    ASSERT_TRUE(result.state) << result.error.toStdString();
    const TesterState& state = *result.state;
    expectDefaults(state);  // the example spells out the default values
    EXPECT_EQ(usedSlots(state), 2);

    ASSERT_TRUE(state.slots[0]);
    const auto* record = std::get_if<StoredRecord>(&*state.slots[0]);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->rfid, QStringLiteral("0807060504030201"));
    EXPECT_EQ(record->status, 143);
    EXPECT_EQ(record->date, QStringLiteral("130228"));
    EXPECT_EQ(record->time, QStringLiteral("1120"));
    EXPECT_EQ(record->flowSetting, 150);
    EXPECT_EQ(record->flowResult, 995);
    EXPECT_EQ(record->occlusionLevel, 1);
    EXPECT_EQ(record->occlusionValue, 45);
    EXPECT_EQ(record->occlusionResult, 532);

    ASSERT_TRUE(state.slots[7]);
    const auto* raw = std::get_if<RawReply>(&*state.slots[7]);
    ASSERT_NE(raw, nullptr);
    EXPECT_EQ(raw->bytes, (std::vector<std::uint8_t>{0x31, 0x30, 0x30}));
}

TEST(Scenario, ExampleLoadsEveryField) {
    expectExample(parseScenario(kExample));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("example.json")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kExample);
    file.close();
    expectExample(loadScenarioFile(file.fileName()));
}

TEST(Scenario, ShippedSampleFileLoads) {
    const auto sample =
        std::filesystem::path(__FILE__).parent_path() / "../../sim/scenarios/sample.json";
    const ScenarioResult result = loadScenarioFile(QString::fromStdString(sample.string()));
    ASSERT_TRUE(result.state) << result.error.toStdString();
    EXPECT_GT(usedSlots(*result.state), 0);
}

TEST(Scenario, EmptyObjectGivesTheDefaults) {
    const ScenarioResult result = parseScenario("{}");
    ASSERT_TRUE(result.state) << result.error.toStdString();
    expectDefaults(*result.state);
    EXPECT_EQ(usedSlots(*result.state), 0);
}

TEST(Scenario, ValuesOtherThanTheDefaultsAreTaken) {
    const ScenarioResult result =
        parseScenario(R"({"version": "V2.10", "serial": "ZZ", "coefficients": [-1.5, 2, 3e-3],
        "settings": {"flowRate": 1200.5, "occlusionLevel": 2, "displayUnits": 3},
        "slots": [{"slot": 1000, "rfid": "00000000000000ab"}]})");
    ASSERT_TRUE(result.state) << result.error.toStdString();
    const TesterState& state = *result.state;
    EXPECT_EQ(state.version, QStringLiteral("V2.10"));
    EXPECT_EQ(state.serial, QStringLiteral("ZZ"));
    EXPECT_EQ(state.coefficients, (commands::CalibrationCoefficients{-1.5F, 2.0F, 3e-3F}));
    EXPECT_EQ(state.settings.FlowRate, 1200.5F);
    EXPECT_EQ(state.settings.OcclusionLevel, 2);
    EXPECT_EQ(state.settings.DisplayUnits, 3);
    EXPECT_EQ(state.settings.OcclusionPressure, 67.0F);  // keys left out keep their defaults
    ASSERT_TRUE(state.slots[1000]);
    EXPECT_EQ(std::get<StoredRecord>(*state.slots[1000]).rfid, QStringLiteral("00000000000000AB"));
}

struct Refusal {
    const char* json;
    const char* key;
};

TEST(Scenario, MalformedInputIsRefusedNamingTheKey) {
    const Refusal refusals[] = {
        {R"({"slots": [{"slot": 0}, {"slot": 1, "status": 256}]})", "slots[1].status"},
        {R"({"slots": [{"slot": 0, "status": "ok"}]})", "slots[0].status"},
        {R"({"settings": {"flowRate": "fast"}})", "settings.flowRate"},
        {R"({"settings": {"averageCount": 1.5}})", "settings.averageCount"},
        {R"({"settings": {"occlusionLevel": 10}})", "settings.occlusionLevel"},
        {R"({"settings": {"flowrate": 70}})", "settings.flowrate"},
        {R"({"settings": [70]})", "settings"},
        {R"({"coefficients": [0.95, 0.105]})", "coefficients"},
        {R"({"coefficients": [0.95, "x", 0]})", "coefficients[1]"},
        {R"({"colour": "red"})", "colour"},
        {R"({"version": "V1.00    X"})", "version"},
        {R"({"serial": 123})", "serial"},
        {R"({"slots": {"slot": 0}})", "slots"},
        {R"({"slots": [{"slot": 3}, {"slot": 3}]})", "slots[1].slot"},
        {R"({"slots": [{"slot": 1001}]})", "slots[0].slot"},
        {R"({"slots": [{"slot": -1}]})", "slots[0].slot"},
        {R"({"slots": [{"status": 1}]})", "slots[0].slot"},
        {R"({"slots": [{"slot": 0, "colour": 1}]})", "slots[0].colour"},
        {R"({"slots": [{"slot": 7, "reply": "31 3G"}]})", "slots[0].reply"},
        {R"({"slots": [{"slot": 7, "reply": "313"}]})", "slots[0].reply"},
        {R"({"slots": [{"slot": 7, "reply": "31", "status": 1}]})", "slots[0].reply"},
        {R"({"slots": [{"slot": 0, "rfid": "080706050403020"}]})", "slots[0].rfid"},
        {R"({"slots": [{"slot": 0, "rfid": "08070605040302010"}]})", "slots[0].rfid"},
        {R"({"slots": [{"slot": 0, "rfid": "080706050403020G"}]})", "slots[0].rfid"},
        {R"({"slots": [{"slot": 0, "date": "13-228"}]})", "slots[0].date"},
        {R"({"slots": [{"slot": 0, "time": "112"}]})", "slots[0].time"},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.json);
        const ScenarioResult result = parseScenario(refusal.json);
        EXPECT_FALSE(result.state);
        EXPECT_TRUE(result.error.contains(QLatin1String(refusal.key)))
            << result.error.toStdString();
    }
}

TEST(Scenario, TextThatIsNotAJsonObjectIsRefused) {
    for (const char* text : {"slots: none", "", "[]", R"({"version": "V1")"}) {
        SCOPED_TRACE(text);
        const ScenarioResult result = parseScenario(text);
        EXPECT_FALSE(result.state);
        EXPECT_FALSE(result.error.isEmpty());
    }
}

TEST(ScenarioFile, ErrorsNameTheFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("missing.json"));
    ScenarioResult result = loadScenarioFile(missing);
    EXPECT_FALSE(result.state);
    EXPECT_TRUE(result.error.contains(missing)) << result.error.toStdString();

    const QString bad = dir.filePath(QStringLiteral("bad.json"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"settings": {"writeMode": -1}})");
    file.close();
    result = loadScenarioFile(bad);
    EXPECT_FALSE(result.state);
    EXPECT_TRUE(result.error.contains(bad)) << result.error.toStdString();
    EXPECT_TRUE(result.error.contains(QLatin1String("settings.writeMode")))
        << result.error.toStdString();
}

}  // namespace
}  // namespace torbex::sim
