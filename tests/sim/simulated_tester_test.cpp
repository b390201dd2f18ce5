#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sim/scenario.h"
#include "support/sim_fixture.h"

namespace torbex::sim {
namespace {

using commands::ServiceOutcome;
using testing::SimulatedRig;
using Frame = commands::CommandFrame;

std::string textAt(const Frame& reply, std::ptrdiff_t first, std::ptrdiff_t count) {
    return std::string(reply.begin() + first, reply.begin() + first + count);
}

// Sends one command straight over the link and hands back the reply's 64 bytes.
Frame ask(SimulatedRig& rig, const Frame& command) {
    auto& link = rig.session.link;
    if (!link.deviceFound()) link.FindTheHid();
    std::copy(command.begin(), command.end(), link.OutputReport.begin());
    link.SendOutputReport();
    link.ReceiveInputReport();
    Frame reply{};
    std::copy_n(link.InputReport.begin(), reply.size(), reply.begin());
    return reply;
}
Frame recordReply(SimulatedRig& rig, int slot) { return ask(rig, commands::buildRecordRequest(slot)); }

// A record in slot 0, a raw reply in slot 7.
TesterState exampleState() {
    TesterState state;
    state.slots[0] = StoredRecord{QStringLiteral("0807060504030201"), 143, QStringLiteral("130228"),
                                  QStringLiteral("1120"), 150, 995, 1, 45, 532};
    state.slots[7] = RawReply{{0x31, 0x30, 0x30}};
    return state;
}

TEST(SimulatedTesterRecords, RecordSlotEncodesEveryFieldWithTheRfidLeastSignificantByteFirst) {
    SimulatedRig rig(exampleState());
    const Frame reply = recordReply(rig, 0);
    EXPECT_EQ(textAt(reply, 1, 3) + textAt(reply, 8, 9), std::string("D11\1\2\3\4\5\6\7\x08\x8F", 12));
    EXPECT_EQ(textAt(reply, 17, 10), "1302281120");
    EXPECT_EQ(textAt(reply, 29, 16), "0150" "0995" "1" "045" "0532");
}

TEST(SimulatedTesterRecords, EmptySlotGivesTheDistanceToTheNextUsedOneOrTheEndAndRawSlotsTheirBytes) {
    SimulatedRig rig(exampleState());
    const std::pair<int, const char*> distances[] = {{1, "20006"}, {6, "20001"}, {8, "20993"}, {1000, "20001"}};
    for (const auto& [slot, distance] : distances)
        EXPECT_EQ(textAt(recordReply(rig, slot), 3, 5), distance) << slot;
    const Frame raw = recordReply(rig, 7);
    EXPECT_EQ(textAt(raw, 1, 5), "D1100");
    EXPECT_EQ(std::count(raw.begin() + 6, raw.end(), 0), 58);
    SimulatedRig empty;
    EXPECT_EQ(textAt(recordReply(empty, 0), 3, 5), "21001");
}

TEST(SimulatedTesterCommands, WritesClockModeAndDataClearChangeTheTester) {
    SimulatedRig rig(exampleState());
    auto& values = rig.session.values;
    values.settingsToSend = {123.0F, 5, 7, 89.0F, 2, 1, 1, 3};
    values.calibrationCoefficients = {1.5F, -0.25F, 3e-3F};
    values.SerialNumber = QStringLiteral("SN42");
    for (const std::int16_t request : {kRequestWriteSettings, kRequestWriteCalibration, kRequestSetClock})
        ASSERT_EQ(rig.session.runRequest(request), ServiceOutcome::Answered) << request;
    ASSERT_EQ(rig.session.runRequest(kRequestChangeMode, kCalibrationMode), ServiceOutcome::Answered);
    EXPECT_EQ(rig.tester.state().settings, values.settingsToSend);
    EXPECT_EQ(rig.tester.state().coefficients, values.calibrationCoefficients);
    EXPECT_EQ(rig.tester.state().serial, QStringLiteral("SN42    "));
    EXPECT_EQ(rig.tester.lastClockParameter(), QByteArray("240305090703"));
    EXPECT_LE(std::abs(rig.tester.testerTime().secsTo(rig.localTime)), 60);
    EXPECT_EQ(rig.tester.mode(), kCalibrationMode);

    ask(rig, commands::buildDataClear());
    const auto& slots = rig.tester.state().slots;
    EXPECT_TRUE(std::none_of(slots.begin(), slots.end(), [](const auto& s) { return s.has_value(); }));
}

TEST(SimulatedTesterCommands, ProgramRewriteIsAnsweredThenSilentUntilReplugged) {
    SimulatedRig rig;
    EXPECT_EQ(rig.session.runRequest(kRequestProgramRewrite), ServiceOutcome::Answered);
    EXPECT_EQ(rig.session.runRequest(kRequestReadVersion), ServiceOutcome::LinkLost);
    EXPECT_EQ(rig.session.runRequest(kRequestReadVersion), ServiceOutcome::LinkLost);
    rig.tester.unplug();
    rig.tester.plugIn();
    EXPECT_EQ(rig.session.runRequest(kRequestReadVersion), ServiceOutcome::Answered);
}

TEST(SimulatedTesterFaults, LinkFaultsLoseOneCommandAndTheNextGetsThrough) {
    const struct { Fault fault; std::size_t taken; bool plugged; std::uint64_t generation; } cases[] = {
        {Fault::NoAnswer, 1, true, 1}, {Fault::WriteFails, 0, true, 1},
        {Fault::Unplug, 0, false, 1}, {Fault::Replug, 0, true, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.fault));
        SimulatedRig rig;
        rig.tester.injectFault(c.fault);
        EXPECT_EQ(rig.session.runRequest(kRequestReadVersion), ServiceOutcome::LinkLost);
        EXPECT_EQ(rig.tester.receivedCommands().size(), c.taken);
        EXPECT_EQ(rig.tester.pluggedIn(), c.plugged);
        EXPECT_EQ(rig.tester.plugGeneration(), c.generation);  // a replug kills the open handle
        if (!c.plugged) { EXPECT_EQ(rig.session.runRequest(kRequestReadVersion), ServiceOutcome::TesterAbsent); }
        rig.tester.plugIn();
        EXPECT_EQ(rig.session.runRequest(kRequestReadVersion), ServiceOutcome::Answered);
        EXPECT_EQ(rig.bus.openHandles(), 1);
    }
}

TEST(SimulatedTesterFaults, ReplyFaultsSpoilOneReplyOnly) {
    SimulatedRig rig(exampleState());
    Frame version = commands::buildRead(commands::ReadCommand::Version);
    for (const std::uint8_t sequence : {5, 1}) {  // the stale echo of 1 is 255
        rig.tester.injectFault(Fault::StaleEcho);
        version[0] = sequence;
        EXPECT_EQ(ask(rig, version)[0], sequence == 1 ? 255 : sequence - 1);
        rig.session.link.ReceiveInputReport();
        EXPECT_EQ(rig.session.link.InputReport[0], sequence);
        EXPECT_EQ(rig.session.link.InputReport[3], 'V');
    }
    rig.tester.injectFault(Fault::Garbage);
    const Frame noise = ask(rig, version);
    EXPECT_EQ(noise[0], version[0]);
    EXPECT_NE(textAt(noise, 1, 10), "D9V1.00   ");
    EXPECT_LT(std::count(noise.begin() + 1, noise.end(), 0), 63);
    EXPECT_EQ(textAt(ask(rig, version), 1, 10), "D9V1.00   ");

    rig.tester.injectFault(Fault::RecordNotReady, 2);  // spoils record reads only
    EXPECT_EQ(textAt(ask(rig, version), 1, 10), "D9V1.00   ");
    EXPECT_EQ(recordReply(rig, 0)[3], 0);
    EXPECT_EQ(recordReply(rig, 0)[3], '1');
}

TesterState withFaults(const char* faults) {
    const ScenarioResult scenario = parseScenario(QByteArray(R"({"faults": [)") + faults + "]}");
    EXPECT_TRUE(scenario.state) << scenario.error.toStdString();
    TesterState state = exampleState();
    state.faults = scenario.state ? scenario.state->faults : std::vector<FaultRule>{};
    return state;
}

// Exchanges each command as the program would, finding the tester again after a lost one, and
// hands back the reports that came in for each.
std::vector<std::vector<Frame>> repliesTo(TesterState state, const std::vector<Frame>& commands) {
    SimulatedRig rig(std::move(state));
    std::vector<std::vector<Frame>> replies(commands.size());
    std::size_t current = 0;
    rig.session.link.setTrace([&](link::ReportDirection direction, std::span<const std::uint8_t, link::kCommandBytes> bytes) {
        if (direction != link::ReportDirection::In) return;
        replies[current].emplace_back();
        std::copy(bytes.begin(), bytes.end(), replies[current].back().begin());
    });
    for (current = 0; current < commands.size(); ++current) {
        if (!rig.session.link.deviceFound()) rig.session.link.FindTheHid();
        rig.session.exchange.exchangeCommand(commands[current]);
    }
    return replies;
}

// Each rule hits the commands marked x, and no other: their replies differ from a sound tester's.
TEST(SimulatedTesterFaults, RulesHitTheCommandsTheyTargetAfterTheirCountAsManyTimesAsSaid) {
    using commands::ReadCommand;
    const std::vector<Frame> sequence = {
        commands::buildRead(ReadCommand::Version), commands::buildRecordRequest(0), commands::buildRead(ReadCommand::Settings),
        commands::buildRead(ReadCommand::Version), commands::buildRead(ReadCommand::Poll), commands::buildRecordRequest(0),
        commands::buildWriteSettings({}),          commands::buildDataClear()};
    const auto sound = repliesTo(exampleState(), sequence);
    const std::pair<const char*, const char*> cases[] = {
        {R"({"on": "D9", "kind": "noAnswer", "after": 1, "times": 1})", "...x...."},
        {R"({"on": "any", "kind": "staleEcho", "after": 2, "times": 2})", "..xx...."},
        {R"({"on": "any", "kind": "notReady", "times": 1})", ".x......"},  // counts record requests only
        {R"({"on": "D10", "kind": "notReady", "after": 1})", ".....x.."},
        {R"({"on": "0x22", "kind": "writeFails"})", "......x."},
        {R"({"on": "U", "kind": "garbage"})", ".......x"},
        {R"({"on": "D4", "kind": "unplug", "replugAfterMs": 0})", "..x....."},
        {R"({"on": "any", "kind": "unplug", "after": 4})", "....xxxx"},  // gone for good
        // The first rule due fires; the other keeps its hits for later.
        {R"({"on": "D9", "kind": "noAnswer", "after": 1}, {"on": "any", "kind": "garbage", "after": 1, "times": 3})",
         ".xxxx..."},
        // A command hit by one rule still counts toward the next rule's `after`.
        {R"({"on": "any", "kind": "garbage", "times": 1}, {"on": "any", "kind": "noAnswer", "after": 1, "times": 1})",
         "xx......"},
    };
    for (const auto& [faults, expected] : cases) {
        const auto replies = repliesTo(withFaults(faults), sequence);
        std::string hit;
        for (std::size_t i = 0; i < sequence.size(); ++i) hit += replies[i] == sound[i] ? '.' : 'x';
        EXPECT_EQ(hit, expected) << faults;
    }
}

TEST(SimulatedTesterFaults, UnpluggedTesterComesBackWhenItsTimeHasPassedUnderANewGeneration) {
    SimulatedRig rig(withFaults(R"({"on": "D9", "kind": "unplug", "times": 1, "replugAfterMs": 5000})"));
    EXPECT_EQ(rig.session.runRequest(kRequestReadVersion), ServiceOutcome::LinkLost);
    for (const int ms : {0, 4999}) {
        rig.clock.advance(ms);
        EXPECT_EQ(rig.session.runRequest(kRequestReadVersion), ServiceOutcome::TesterAbsent) << ms;
    }
    rig.clock.advance(1);
    EXPECT_EQ(rig.session.runRequest(kRequestReadVersion), ServiceOutcome::Answered);
    EXPECT_EQ(rig.tester.plugGeneration(), 2U);
    EXPECT_EQ(rig.bus.openHandles(), 1);
}

}  // namespace
}  // namespace torbex::sim
