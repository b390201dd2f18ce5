// The descriptor the virtual tester gives the kernel, read back as the link reads a device's, must
// give the report lengths the scenario chose, as the simulated tester of --simulate has them.
#include "sim/tester_descriptor.h"

#include <gtest/gtest.h>

#include "link/report_descriptor.h"
#include "sim/scenario.h"
#include "sim/simulated_tester.h"

namespace torbex::sim {
namespace {

TEST(TesterDescriptor, GivesTheScenariosReportLengthsAsTheLinkReadsThem) {
    const ScenarioResult scenario = parseScenario(R"({"reportBytes": {"input": 32, "output": 300}})");
    ASSERT_TRUE(scenario.state) << scenario.error.toStdString();
    const auto read = link::reportLengthsFromDescriptor(
        testerReportDescriptor(scenario.state->inputReportBytes, scenario.state->outputReportBytes));
    ASSERT_TRUE(read);
    EXPECT_EQ(std::pair(read->input, read->output), std::pair(33, 301));
    const SimulatedTester simulated(*scenario.state);
    EXPECT_EQ(std::pair(simulated.reportLengths().input, simulated.reportLengths().output), std::pair(33, 301));
}

}  // namespace
}  // namespace torbex::sim
