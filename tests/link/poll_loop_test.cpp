// The poll tick against the simulated tester, stepped by hand.
#include <gtest/gtest.h>

#include "link/poll_loop.h"
#include "support/sim_fixture.h"

namespace torbex {
namespace {

using link::ConnectionLabel;

class PollLoopTest : public ::testing::Test, link::PollView, commands::DispatcherView {
protected:
    PollLoopTest() {
        requests.COM_REQ = kRequestReadVersion;
        rig.session.dispatcher.setView(this);
    }
    void showConnectionLabel(ConnectionLabel) override { ++labelsShown; }
    void resetSerialBanner() override { ++bannerResets; }
    void showTesterAbsent() override { poll.setLabel(ConnectionLabel::Blank); }
    void tick(int times = 1) {
        for (int i = 0; i < times; ++i) poll.Timer2_Timer();
    }
    std::size_t sent() const { return rig.tester.receivedCommands().size(); }

    testing::SimulatedRig rig;
    RequestVariables& requests = rig.session.requests;
    int bannerResets = 0, labelsShown = 0;
    link::PollLoop poll{rig.session.link, requests, *this, [this] { rig.session.dispatcher.ServiceComRequest(); }};
};

TEST_F(PollLoopTest, NotConnectedShowsOnlyOnTheFifthTickWithoutTesterAndPlugInReadsIdentityNextTick) {
    rig.tester.unplug();
    tick(4);
    EXPECT_EQ(poll.label(), ConnectionLabel::Blank);
    EXPECT_EQ(bannerResets, 0);
    tick();
    EXPECT_EQ(poll.label(), ConnectionLabel::NotConnected);
    EXPECT_EQ(bannerResets, 1);
    EXPECT_EQ(requests.COM_REQ, kRequestReadVersion);  // waits for the tester

    rig.tester.plugIn();
    tick();
    EXPECT_EQ(poll.label(), ConnectionLabel::Connected);
    EXPECT_EQ(requests.COM_REQ, kRequestReadCalibration);
    tick();
    EXPECT_EQ(rig.session.values.SerialNumber, QStringLiteral("TB000123"));
    EXPECT_EQ(requests.COM_REQ, kNoRequest);

    // Outages of four ticks never show it; a good tick starts the count again.
    for (int outage = 0; outage < 2; ++outage) {
        rig.tester.unplug();
        tick(4);
        rig.tester.plugIn();
        tick();
    }
    EXPECT_EQ(poll.label(), ConnectionLabel::Connected);
    EXPECT_EQ(bannerResets, 1);
}

TEST_F(PollLoopTest, HoldOffAndClosedGateKeepTheDispatcherIdleButNotTheLabel) {
    tick();
    const std::size_t before = sent();
    requests.com_dis_ctr = 10;
    tick(10);
    EXPECT_EQ(sent(), before);
    EXPECT_EQ(poll.label(), ConnectionLabel::Connected);
    tick();
    EXPECT_EQ(sent(), before + 1);

    // A closed gate still shows a connection, and one newly seen queues the identity read.
    requests.COM_ENA = 0;
    poll.setLabel(ConnectionLabel::Communicating);
    tick(3);
    EXPECT_EQ(sent(), before + 1);
    EXPECT_EQ(poll.label(), ConnectionLabel::Connected);
    EXPECT_EQ(requests.COM_REQ, kRequestReadCalibration);
}

TEST_F(PollLoopTest, TickFiringInsideAnExchangeDoesNothing) {
    int nested = 0;
    rig.events.setHook([&] {
        if (nested++ == 0) tick();
    });
    rig.tester.injectFault(sim::Fault::StaleEcho);  // the exchange waits, running events
    tick();
    EXPECT_GE(nested, 1);
    EXPECT_EQ(sent(), 1U);
    EXPECT_EQ(labelsShown, 1);  // by the outer tick only
    EXPECT_EQ(poll.label(), ConnectionLabel::Connected);
}

}  // namespace
}  // namespace torbex
