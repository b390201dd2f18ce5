// The poll tick against the simulated tester, stepped by hand.
#include <gtest/gtest.h>

#include "link/poll_loop.h"
#include "support/sim_fixture.h"

namespace torbex {
namespace {

using link::ConnectionLabel;

struct RecordingView final : link::PollView {
    void showConnectionLabel(ConnectionLabel label) override { shown = label; }
    void resetSerialBanner() override { ++bannerResets; }
    ConnectionLabel shown = ConnectionLabel::Blank;
    int bannerResets = 0;
};

class PollLoopTest : public ::testing::Test {
protected:
    PollLoopTest() {
        rig.session.requests.COM_REQ = kRequestReadVersion;
        rig.session.dispatcher.setView(&dispatcherView);
    }

    void tick(int times = 1) {
        for (int i = 0; i < times; ++i) poll.Timer2_Timer();
    }
    std::size_t commandsSent() const { return rig.tester.receivedCommands().size(); }

    struct AbsentView final : commands::DispatcherView {
        explicit AbsentView(link::PollLoop*& loop) : loop(loop) {}
        void showTesterAbsent() override { loop->setLabel(ConnectionLabel::Blank); }
        link::PollLoop*& loop;
    };

    testing::SimulatedRig rig;
    RecordingView view;
    link::PollLoop poll{rig.session.link, rig.session.requests, view, [this] { rig.session.dispatcher.ServiceComRequest(); }};
    link::PollLoop* pollPointer = &poll;
    AbsentView dispatcherView{pollPointer};
};

TEST_F(PollLoopTest, NotConnectedAppearsOnlyOnTheFifthTickWithoutTester) {
    rig.tester.unplug();
    tick(4);
    EXPECT_EQ(poll.label(), ConnectionLabel::Blank);
    EXPECT_EQ(view.bannerResets, 0);
    tick();
    EXPECT_EQ(poll.label(), ConnectionLabel::NotConnected);
    EXPECT_EQ(view.bannerResets, 1);
    // A request made meanwhile waits for the tester.
    EXPECT_EQ(rig.session.requests.COM_REQ, kRequestReadVersion);
}

TEST_F(PollLoopTest, PlugInConnectsAndReadsIdentityOnTheNextTick) {
    rig.tester.unplug();
    tick(6);
    rig.tester.plugIn();
    tick();
    EXPECT_EQ(poll.label(), ConnectionLabel::Connected);
    EXPECT_EQ(rig.session.requests.COM_REQ, kRequestReadCalibration);
    EXPECT_EQ(rig.session.requests.COM_ERR_CTR, 0);
    tick();
    EXPECT_EQ(rig.session.values.SerialNumber, QStringLiteral("TB000123"));
    EXPECT_EQ(rig.session.requests.COM_REQ, kNoRequest);
}

TEST_F(PollLoopTest, ShortOutageNeverShowsNotConnected) {
    tick();
    ASSERT_EQ(poll.label(), ConnectionLabel::Connected);
    rig.tester.unplug();
    tick(4);
    rig.tester.plugIn();
    tick();
    EXPECT_EQ(poll.label(), ConnectionLabel::Connected);
    EXPECT_EQ(view.bannerResets, 0);
    rig.tester.unplug();
    tick(4);
    EXPECT_NE(poll.label(), ConnectionLabel::NotConnected);
}

TEST_F(PollLoopTest, HoldOffSkipsTheDispatcherForTenTicksButKeepsTheLabel) {
    tick();
    const std::size_t before = commandsSent();
    rig.session.requests.com_dis_ctr = 10;
    tick(10);
    EXPECT_EQ(commandsSent(), before);
    EXPECT_EQ(poll.label(), ConnectionLabel::Connected);
    tick();
    EXPECT_EQ(commandsSent(), before + 1);
}

TEST_F(PollLoopTest, ClosedGateSendsNothingYetANewConnectionQueuesIdentityRead) {
    tick();
    rig.session.requests.COM_ENA = 0;
    poll.setLabel(ConnectionLabel::Communicating);
    const std::size_t before = commandsSent();
    tick(3);
    EXPECT_EQ(commandsSent(), before);
    EXPECT_EQ(poll.label(), ConnectionLabel::Connected);
    EXPECT_EQ(rig.session.requests.COM_REQ, kRequestReadCalibration);
}

TEST_F(PollLoopTest, TickFiringInsideAnExchangeDoesNothing) {
    int nested = 0;
    rig.events.setHook([&] {
        if (nested++ == 0) tick();
    });
    rig.tester.injectFault(sim::Fault::StaleEcho);
    tick();
    EXPECT_GE(nested, 1);
    // One command for the outer tick only.
    EXPECT_EQ(commandsSent(), 1U);
    EXPECT_EQ(poll.label(), ConnectionLabel::Connected);
}

}  // namespace
}  // namespace torbex
