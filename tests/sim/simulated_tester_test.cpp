#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/sim_fixture.h"

namespace torbex::sim {
namespace {

using commands::ExchangeOutcome;
using commands::ServiceOutcome;
using testing::SimulatedRig;
using Frame = commands::CommandFrame;

std::string textAt(const Frame& reply, std::size_t first, std::size_t count) {
    return std::string(reply.begin() + static_cast<std::ptrdiff_t>(first),
                       reply.begin() + static_cast<std::ptrdiff_t>(first + count));
}

// Exchanges one command over the rig's link and hands back the reply's 64 bytes.
Frame roundTrip(SimulatedRig& rig, const Frame& command) {
    if (!rig.session.link.deviceFound()) rig.session.link.FindTheHid();
    EXPECT_EQ(rig.session.exchange.exchangeCommand(command), ExchangeOutcome::Answered);
    Frame reply{};
    std::copy_n(rig.session.link.InputReport.begin(), reply.size(), reply.begin());
    return reply;
}

Frame recordReply(SimulatedRig& rig, int slot) {
    return roundTrip(rig, commands::buildRecordRequest(slot));
}

TesterState exampleState() {
    TesterState state;
    StoredRecord record;
    record.rfid = QStringLiteral("0807060504030201");
    record.status = 143;
    record.date = QStringLiteral("130228");
    record.time = QStringLiteral("1120");
    record.flowSetting = 150;
    record.flowResult = 995;
    record.occlusionLevel = 1;
    record.occlusionValue = 45;
    record.occlusionResult = 532;
    state.slots[0] = record;
    state.slots[7] = RawReply{{0x31, 0x30, 0x30}};
    return state;
}

TEST(SimulatedTesterRecords, RecordSlotEncodesEveryField) {
    SimulatedRig rig(exampleState());
    const Frame reply = recordReply(rig, 0);
    EXPECT_EQ(reply[0], rig.session.link.OutputReport[0]);
    EXPECT_EQ(textAt(reply, 1, 3), "D11");
    EXPECT_EQ(std::vector<std::uint8_t>(reply.begin() + 8, reply.begin() + 16),
              (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(reply[16], 143);
    EXPECT_EQ(textAt(reply, 17, 6), "130228");
    EXPECT_EQ(textAt(reply, 23, 4), "1120");
    EXPECT_EQ(textAt(reply, 29, 4), "0150");
    EXPECT_EQ(textAt(reply, 33, 4), "0995");
    EXPECT_EQ(reply[37], '1');
    EXPECT_EQ(textAt(reply, 38, 3), "045");
    EXPECT_EQ(textAt(reply, 41, 4), "0532");
}

TEST(SimulatedTesterRecords, EmptySlotGivesTheDistanceToTheNextUsedOneOrTheEnd) {
    SimulatedRig rig(exampleState());
    const std::pair<int, const char*> cases[] = {
        {1, "0006"}, {6, "0001"}, {8, "0993"}, {1000, "0001"}};
    for (const auto& [slot, distance] : cases) {
        SCOPED_TRACE(slot);
        const Frame reply = recordReply(rig, slot);
        EXPECT_EQ(reply[3], '2');
        EXPECT_EQ(textAt(reply, 4, 4), distance);
    }
    SimulatedRig empty;
    EXPECT_EQ(textAt(recordReply(empty, 0), 3, 5), "21001");
}

TEST(SimulatedTesterRecords, ReplySlotAnswersExactlyItsBytes) {
    SimulatedRig rig(exampleState());
    const Frame reply = recordReply(rig, 7);
    EXPECT_EQ(textAt(reply, 1, 2), "D1");
    EXPECT_EQ(textAt(reply, 3, 3), "100");
    EXPECT_TRUE(std::all_of(reply.begin() + 6, reply.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST(SimulatedTesterRecords, DataClearEmptiesEverySlot) {
    SimulatedRig rig(exampleState());
    roundTrip(rig, commands::buildDataClear());
    EXPECT_TRUE(std::none_of(rig.tester.state().slots.begin(), rig.tester.state().slots.end(),
                             [](const auto& slot) { return slot.has_value(); }));
    EXPECT_EQ(textAt(recordReply(rig, 0), 3, 5), "21001");
}

TEST(SimulatedTesterCommands, WritesChangeTheTestersState) {
    SimulatedRig rig;
    auto& values = rig.session.values;
    values.measurementSettings = {123.0F, 5, 7, 89.0F, 2, 1, 1, 3};
    values.calibrationCoefficients = {1.5F, -0.25F, 3e-3F};
    values.SerialNumber = QStringLiteral("SN42");
    ASSERT_EQ(rig.session.runRequest(commands::kRequestWriteSettings), ServiceOutcome::Answered);
    ASSERT_EQ(rig.session.runRequest(commands::kRequestWriteCalibration), ServiceOutcome::Answered);
    ASSERT_EQ(rig.session.runRequest(commands::kRequestSetClock), ServiceOutcome::Answered);
    ASSERT_EQ(rig.session.runRequest(commands::kRequestChangeMode, commands::kCalibrationMode),
              ServiceOutcome::Answered);

    EXPECT_EQ(rig.tester.state().settings, values.measurementSettings);
    EXPECT_EQ(rig.tester.state().coefficients, values.calibrationCoefficients);
    EXPECT_EQ(rig.tester.state().serial, QStringLiteral("SN42    "));
    EXPECT_EQ(rig.tester.lastClockParameter(), QByteArray("240305090703"));
    EXPECT_LE(std::abs(rig.tester.testerTime().secsTo(rig.localTime)), 60);
    EXPECT_EQ(rig.tester.mode(), commands::kCalibrationMode);

    // The reads give back what was written.
    rig.session.values = {};
    ASSERT_EQ(rig.session.runRequest(commands::kRequestReadSettings), ServiceOutcome::Answered);
    ASSERT_EQ(rig.session.runRequest(commands::kRequestReadCalibration), ServiceOutcome::Answered);
    EXPECT_EQ(values.measurementSettings, rig.tester.state().settings);
    EXPECT_EQ(values.calibrationCoefficients, rig.tester.state().coefficients);
    EXPECT_EQ(values.SerialNumber, QStringLiteral("SN42    "));
}

TEST(SimulatedTesterCommands, ProgramRewriteIsAnsweredThenSilentUntilReplugged) {
    SimulatedRig rig;
    EXPECT_EQ(rig.session.runRequest(commands::kRequestProgramRewrite), ServiceOutcome::Answered);
    EXPECT_TRUE(rig.tester.inProgramRewriteMode());
    EXPECT_EQ(rig.session.runRequest(commands::kRequestReadVersion), ServiceOutcome::LinkLost);
    EXPECT_EQ(rig.session.runRequest(commands::kRequestReadVersion), ServiceOutcome::LinkLost);

    rig.tester.unplug();
    rig.tester.plugIn();
    EXPECT_FALSE(rig.tester.inProgramRewriteMode());
    EXPECT_EQ(rig.session.runRequest(commands::kRequestReadVersion), ServiceOutcome::Answered);
    EXPECT_EQ(rig.session.values.TesterVersion, QStringLiteral("V1.00   "));
}

TEST(SimulatedTesterFaults, NoAnswerLosesOneCommandOnly) {
    SimulatedRig rig;
    rig.tester.injectFault(Fault::NoAnswer);
    EXPECT_EQ(rig.session.runRequest(commands::kRequestReadVersion), ServiceOutcome::LinkLost);
    EXPECT_EQ(rig.tester.receivedCommands().size(), 1U);
    EXPECT_EQ(rig.session.runRequest(commands::kRequestReadVersion), ServiceOutcome::Answered);
}

TEST(SimulatedTesterFaults, StaleEchoComesBeforeTheRealReply) {
    SimulatedRig rig;
    auto& link = rig.session.link;
    ASSERT_TRUE(link.FindTheHid());
    for (const std::uint8_t sequence : {std::uint8_t{5}, std::uint8_t{1}}) {
        SCOPED_TRACE(int{sequence});
        rig.tester.injectFault(Fault::StaleEcho);
        const Frame command = commands::buildRead(commands::ReadCommand::Version);
        std::copy(command.begin(), command.end(), link.OutputReport.begin());
        link.OutputReport[0] = sequence;
        link.SendOutputReport();
        link.ReceiveInputReport();
        EXPECT_EQ(link.InputReport[0], sequence == 1 ? 255 : sequence - 1);
        link.ReceiveInputReport();
        EXPECT_EQ(link.InputReport[0], sequence);
        EXPECT_EQ(link.InputReport[3], 'V');
    }
}

TEST(SimulatedTesterFaults, WriteFailsRefusesTheCommandButKeepsTheTesterThere) {
    SimulatedRig rig;
    rig.tester.injectFault(Fault::WriteFails);
    EXPECT_EQ(rig.session.runRequest(commands::kRequestReadVersion), ServiceOutcome::LinkLost);
    EXPECT_TRUE(rig.tester.receivedCommands().empty());
    EXPECT_TRUE(rig.tester.pluggedIn());
    EXPECT_EQ(rig.session.runRequest(commands::kRequestReadVersion), ServiceOutcome::Answered);
}

TEST(SimulatedTesterFaults, GarbageEchoesTheSequenceNumberOnly) {
    SimulatedRig rig;
    const Frame version = commands::buildRead(commands::ReadCommand::Version);
    rig.tester.injectFault(Fault::Garbage);
    const Frame noise = roundTrip(rig, version);
    const Frame clean = roundTrip(rig, version);
    EXPECT_EQ(textAt(clean, 1, 10), "D9V1.00   ");
    EXPECT_NE(textAt(noise, 1, 10), textAt(clean, 1, 10));
    EXPECT_NE(std::count(noise.begin() + 1, noise.end(), 0), 63);
}

TEST(SimulatedTesterFaults, RecordNotReadyAsksForTheRecordAgain) {
    SimulatedRig rig(exampleState());
    rig.tester.injectFault(Fault::RecordNotReady);
    EXPECT_EQ(recordReply(rig, 0)[3], 0);
    EXPECT_EQ(recordReply(rig, 0)[3], '1');
}

TEST(SimulatedTesterFaults, UnplugTakesTheTesterOffTheBus) {
    SimulatedRig rig;
    rig.tester.injectFault(Fault::Unplug);
    EXPECT_EQ(rig.session.runRequest(commands::kRequestReadVersion), ServiceOutcome::LinkLost);
    EXPECT_FALSE(rig.tester.pluggedIn());
    EXPECT_EQ(rig.session.runRequest(commands::kRequestReadVersion), ServiceOutcome::TesterAbsent);
    rig.tester.plugIn();
    EXPECT_EQ(rig.session.runRequest(commands::kRequestReadVersion), ServiceOutcome::Answered);
}

TEST(SimulatedTesterFaults, ReplugKillsTheOpenHandleAndDiscoveryFindsTheTesterAgain) {
    SimulatedRig rig;
    ASSERT_EQ(rig.session.runRequest(commands::kRequestReadVersion), ServiceOutcome::Answered);
    const auto generation = rig.tester.plugGeneration();
    rig.tester.injectFault(Fault::Replug);
    EXPECT_EQ(rig.session.runRequest(commands::kRequestReadVersion), ServiceOutcome::LinkLost);
    EXPECT_TRUE(rig.tester.pluggedIn());
    EXPECT_GT(rig.tester.plugGeneration(), generation);
    EXPECT_EQ(rig.session.runRequest(commands::kRequestReadVersion), ServiceOutcome::Answered);
    EXPECT_EQ(rig.bus.openHandles(), 1);
}

}  // namespace
}  // namespace torbex::sim
