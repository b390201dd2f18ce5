#include <gtest/gtest.h>

#include <functional>

#include "commands/poll_tick.h"
#include "support/sim_fixture.h"

namespace torbex::commands {
namespace {

using enum ConnectionState;

// The tester's settings carry a level the lists cannot show.
const MeasurementSettings kTesterSettings{120.0F, 0, 0, 107.0F, 3, 1, 1, 3};

// A dispatcher and a poll tick on the simulated tester, stepped by hand, with a view that notes what it is told.
struct Dispatcher : ::testing::Test, DispatcherView, ConnectionView {
    Dispatcher() { rig.tester.state().settings = kTesterSettings; dispatcher.setView(this); }
    void showTesterVersion() override { shown += 'V'; }
    void showMeasurementSettings(const MeasurementSettings& asRead) override { shown += asRead == kTesterSettings ? 'S' : '?'; }
    void showCalibrationAndSerial() override { shown += 'C'; }
    void showConnection(ConnectionState state) override { states.push_back(state); }
    void resetSerialBanner() override { ++bannerResets; }
    DispatchResult run(Request request) { requests.queue(request); return dispatcher.serviceRequest(); }
    static CommandFrame unnumbered(CommandFrame frame) { frame[0] = 0; return frame; }  // byte 0 is the exchange's
    CommandFrame lastSent() const { return unnumbered(rig.lastCommand()); }

    torbex::testing::SimulatedRig rig;
    RequestQueue requests;
    TesterValues values;
    RequestDispatcher dispatcher{rig.service, requests, values, [this] { return rig.localTime; }};
    PollTick poll{rig.service, requests, dispatcher, *this};
    std::string shown;
    std::vector<ConnectionState> states;
    int bannerResets = 0;
};
using PollTicks = Dispatcher;

TEST_F(Dispatcher, RequestWaitsForTheTesterCountsAsDoneWhenLostAndReadsFillTheHeldValues) {
    rig.tester.unplug();
    EXPECT_EQ((std::tuple{run(Request::ReadSettings), requests.pending()}), std::tuple(DispatchResult::TesterAbsent, Request::ReadSettings));
    rig.tester.plugIn();
    rig.tester.injectFault(sim::Fault::NoAnswer);
    EXPECT_EQ(dispatcher.serviceRequest(), DispatchResult::LinkLost);
    EXPECT_EQ(std::tuple(requests.pending(), shown, values.settingsAsRead.has_value()), std::tuple(Request::None, std::string(), false));
    EXPECT_EQ(run(Request::ReadSettings), DispatchResult::Answered);
    EXPECT_EQ(std::tuple(values.settingsAsRead, values.measurementSettings.OcclusionLevel), std::tuple(kTesterSettings, 1));  // level held
    values.serialToSend = QStringLiteral("TYPED");  // a read leaves what the factory page would send
    for (const Request request : {Request::ReadVersion, Request::ReadCalibration, Request::None})
        EXPECT_EQ(run(request), DispatchResult::Answered);
    EXPECT_EQ(std::tuple(requests.pending(), lastSent()), std::tuple(Request::None, unnumbered(buildRead(ReadCommand::Poll))));
    const sim::TesterState& tester = rig.tester.state();
    EXPECT_EQ(std::tie(values.TesterVersion, values.serialAsRead, values.serialToSend, values.calibrationCoefficients),
              std::make_tuple(tester.version, tester.serial, QStringLiteral("TYPED"), tester.coefficients));
    EXPECT_EQ(shown, "SVC");
}

TEST_F(Dispatcher, WritesSendWhatIsHeldWhenTheyRunNotWhenQueued) {
    const QDateTime later(QDate(2031, 12, 24), QTime(18, 0, 59));
    const MeasurementSettings settings{12.5F, 0, 0, 40.0F, 0, 1, 0, 2};
    const CalibrationCoefficients coefficients{0.5F, 2.0F, -1.0F};
    const std::tuple<Request, std::function<void()>, CommandFrame> cases[] = {
        {Request::WriteSettings, [&] { values.settingsToSend = settings; }, buildWriteSettings(settings)},
        {Request::WriteCalibration, [&] { values.calibrationCoefficients = coefficients, values.serialToSend = QStringLiteral("N1"); },
         buildWriteCalibration(coefficients, QStringLiteral("N1"))},
        {Request::SetClock, [&] { rig.localTime = later; }, buildSetClock(later)},
        {Request::ChangeMode, [&] { requests.queueModeChange(TesterMode::Calibration); }, buildChangeMode(TesterMode::Calibration)},
        {Request::ProgramRewrite, [] {}, buildProgramRewrite()}};
    for (const auto& [request, meanwhile, command] : cases) {
        requests.queue(request);
        meanwhile();
        EXPECT_EQ((std::tuple{dispatcher.serviceRequest(), lastSent()}), std::tuple(DispatchResult::Answered, unnumbered(command)))
            << static_cast<int>(request);
    }
    EXPECT_TRUE(values.serialAsRead.isEmpty());  // sent, not read: the tester's serial is what it last said
}

// A value the tester cannot take is refused once and for all, and says nothing about the link:
// a tester found missing stays so until an exchange says otherwise.
TEST_F(PollTicks, RefusedValueIsNotRetriedAndLeavesTheConnectionAsItWas) {
    values.settingsToSend.FlowRate = 4.0F;
    EXPECT_EQ(std::tuple(run(Request::WriteSettings), requests.pending()), std::tuple(DispatchResult::Refused, Request::None));
    poll.setDispatchEnabled(true);
    rig.tester.unplug();
    poll.tick();
    rig.tester.plugIn();
    ASSERT_TRUE(rig.service.poll().ok());  // the window's own exchange
    requests.queue(Request::WriteSettings);
    poll.tick();
    EXPECT_EQ(std::tuple(states, requests.pending(), rig.tester.receivedCommands().size()),
              std::tuple(std::vector{Unknown}, Request::None, std::size_t{1}));
    poll.tick();
    EXPECT_EQ(std::tuple(states.back(), requests.pending()), std::tuple(Connected, Request::ReadCalibration));
}

// Even the same request queued again during its own exchange survives: only the queueing counts.
TEST_F(Dispatcher, RequestQueuedDuringAnExchangeSurvivesItAndNoNestedDispatchRuns) {
    for (const Request later : {Request::ReadVersion, Request::ReadSettings}) {
        std::vector<DispatchResult> nested;
        rig.events.setHook([&] {
            if (nested.empty()) requests.queue(later);
            nested.push_back(dispatcher.serviceRequest());
        });
        EXPECT_EQ(run(Request::ReadSettings), DispatchResult::Answered);
        EXPECT_EQ(nested, std::vector(nested.size(), DispatchResult::Skipped));
        rig.events.setHook({});
        const CommandFrame expected = buildRead(later == Request::ReadVersion ? ReadCommand::Version : ReadCommand::Settings);
        EXPECT_EQ((std::tuple{dispatcher.serviceRequest(), lastSent()}), std::tuple(DispatchResult::Answered, unnumbered(expected)));
    }
}

TEST_F(PollTicks, NotConnectedShowsFromTheFifthTickWithoutTesterAndAReconnectReadsTheIdentity) {
    poll.setDispatchEnabled(true);
    rig.tester.unplug();
    for (int tick = 0; tick < 5; ++tick) poll.tick();
    rig.tester.plugIn();
    rig.events.setHook([&] { poll.tick(); });  // a tick firing while the exchange waits does nothing
    poll.tick();
    EXPECT_EQ(states, (std::vector{Unknown, Unknown, Unknown, Unknown, Unknown, NotConnected, Connected}));
    EXPECT_EQ(std::tuple(bannerResets, rig.tester.receivedCommands().size(), requests.pending()), std::tuple(1, 1U, Request::ReadCalibration));
    poll.tick();
    EXPECT_EQ(values.serialAsRead, rig.tester.state().serial);
    for (int tick = 0; tick < 10; ++tick) {  // outages of four ticks never show; a good tick starts the count again
        tick % 5 == 4 ? rig.tester.plugIn() : rig.tester.unplug();
        poll.tick();
    }
    EXPECT_EQ(std::pair(poll.state(), bannerResets), std::pair(Connected, 1));
}

// A closed gate still shows a usable connection, and one newly seen queues the identity read.
TEST_F(PollTicks, HoldOffAndAClosedGateKeepTheDispatcherIdleButNotTheLabel) {
    poll.setDispatchEnabled(true);
    poll.holdOff(3);
    for (int tick = 0; tick < 4; ++tick) poll.tick();
    EXPECT_EQ(std::pair(rig.tester.receivedCommands().size(), poll.holdOffTicks()), std::pair(std::size_t{1}, 0));
    rig.tester.unplug();
    for (int tick = 0; tick < 2; ++tick) poll.tick();  // the write fails, then no tester is found
    poll.setDispatchEnabled(false);
    rig.tester.plugIn();
    ASSERT_TRUE(rig.service.poll().ok());  // the window's own exchange: usable only once it says so
    for (int tick = 0; tick < 2; ++tick) poll.tick(), poll.setTesterMissing(false);
    EXPECT_EQ(std::tuple(states, rig.tester.receivedCommands().size(), requests.pending()),
              std::tuple(std::vector{Connected, Unknown, Connected}, std::size_t{2}, Request::ReadCalibration));
}

}  // namespace
}  // namespace torbex::commands
