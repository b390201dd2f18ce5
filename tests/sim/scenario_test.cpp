// Scenarios are written by hand: a mistake is refused naming its key. (The scenarios the other
// tests load show that every key is read.)
#include "sim/scenario.h"

#include <gtest/gtest.h>

namespace torbex::sim {
namespace {

TEST(Scenario, MalformedInputIsRefusedNamingTheKey) {
    const std::pair<const char*, const char*> refusals[] = {
        {R"({"colour": 1})", "colour"}, {R"({"serial": "TB\u3042"})", "serial"}, {R"({"faults": {"on": "D9"}})", "faults"},
        {R"({"settings": {"writeMode": 1.5}})", "settings.writeMode"}, {R"({"slots": [{"slot": 3}, {"slot": 3}]})", "slots[1].slot"},
        {R"({"slots": [{"slot": 7, "reply": "31 3G"}]})", "slots[0].reply"}, {R"({"faults": [{"on": "D9", "kind": "x"}]})", "faults[0].kind"},
        {R"({"faults": [{"on": "D9", "kind": "noAnswer", "times": 3e9}]})", "faults[0].times"},
        {R"({"faults": [{"on": "D9", "kind": "noAnswer", "replugAfterMs": 0}]})", "faults[0].replugAfterMs"},
        {R"({"faults": [{"on": "0x22", "kind": "notReady"}]})", "faults[0].on"}, {R"({"reportBytes": {"input": 0}})", "reportBytes.input"}};
    for (const auto& [json, key] : refusals) {
        const ScenarioResult result = parseScenario(json);
        EXPECT_FALSE(result.state) << json;
        EXPECT_TRUE(result.error.startsWith(QLatin1String(key) + u':')) << json << ": " << result.error.toStdString();
    }
    for (const char* notAnObject : {"slots: none", "[]"}) EXPECT_FALSE(parseScenario(notAnObject).error.isEmpty());
}

}  // namespace
}  // namespace torbex::sim
