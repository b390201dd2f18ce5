// ReportExchange against the simulated tester: sequence numbers, reply matching, re-entry.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "support/sim_fixture.h"

namespace torbex::commands {
namespace {

using sim::Fault;

struct Rig : torbex::testing::SimulatedRig {
    Rig() { session.link.FindTheHid(); }
    ExchangeOutcome exchange(ReadCommand command = ReadCommand::Poll) {
        return session.exchange.exchangeCommand(buildRead(command));
    }
};

// A late reply to a lost command must not pass for the reply to the next one.
TEST(Exchange, SequenceNumberAdvancesOnALostLinkTooAndWrapsFrom255To1) {
    Rig rig;
    rig.tester.injectFault(Fault::NoAnswer);
    EXPECT_EQ(rig.exchange(), ExchangeOutcome::LinkLost);
    EXPECT_FALSE(rig.session.link.deviceFound());
    ASSERT_TRUE(rig.session.link.FindTheHid());
    for (int i = 2; i <= 257; ++i) ASSERT_EQ(rig.exchange(), ExchangeOutcome::Answered) << i;

    std::vector<int> sent, expected{1, 1, 2};
    for (const CommandFrame& command : rig.tester.receivedCommands()) sent.push_back(command[0]);
    for (int i = 2; i <= 255; ++i) expected.insert(expected.end() - 2, i);
    EXPECT_EQ(sent, expected);
}

TEST(Exchange, StaleReplyIsSkippedAndTheMatchingOneKept) {
    Rig rig;
    rig.tester.state().version = QStringLiteral("V9.87   ");
    rig.tester.injectFault(Fault::StaleEcho);
    ASSERT_EQ(rig.exchange(ReadCommand::Version), ExchangeOutcome::Answered);
    EXPECT_EQ(rig.session.link.InputReport[0], 1);
    EXPECT_EQ(decodeVersion(rig.session.link.InputReport), QStringLiteral("V9.87   "));
}

// An event handler run while a reply is awaited may neither start a second exchange nor have the
// dispatcher search the bus (after a failed write the link reads as lost meanwhile).
TEST(Exchange, NoNestedExchangeOrDispatchWhileAReplyIsAwaited) {
    for (const bool writeFails : {false, true}) {
        SCOPED_TRACE(writeFails);
        Rig rig;
        if (writeFails) rig.tester.injectFault(Fault::WriteFails);
        const int enumerations = rig.bus.enumerations();
        int nested = 0;
        rig.events.setHook([&] {
            ++nested;
            EXPECT_EQ(rig.exchange(ReadCommand::Version), ExchangeOutcome::Busy);
            EXPECT_EQ(rig.session.dispatcher.ServiceComRequest(), ServiceOutcome::Skipped);
        });
        EXPECT_EQ(rig.exchange(), writeFails ? ExchangeOutcome::LinkLost : ExchangeOutcome::Answered);
        EXPECT_GT(nested, 0);
        EXPECT_EQ(rig.tester.receivedCommands().size(), writeFails ? 0U : 1U);
        EXPECT_EQ(rig.bus.enumerations(), enumerations);
        EXPECT_EQ(rig.session.link.OutputReport[2], '2') << "the refused command overwrote the one in flight";
        EXPECT_EQ(rig.session.exchange.ComRecodeNo, 2);
        EXPECT_FALSE(rig.session.exchange.busy());
    }
}

// A tester that answers with other sequence numbers: tolerated up to the limit, dropped past it.
TEST(Exchange, BabblingTesterIsDroppedOnlyPastTheSkipLimit) {
    for (const int stale : {ReportExchange::kMaxSkippedReplies, ReportExchange::kMaxSkippedReplies + 1}) {
        SCOPED_TRACE(stale);
        Rig rig;
        rig.tester.injectFault(Fault::NoAnswer);
        int pumped = 0;
        rig.events.setHook([&] {  // replies to polls that carried other echoes, then the awaited one
            const int awaited = rig.session.exchange.ComRecodeNo;
            const std::array<std::uint8_t, 65> wire{
                0, static_cast<std::uint8_t>(pumped++ < stale ? awaited + 100 : awaited), kReadCommand, '2'};
            rig.tester.receiveReport(wire, rig.tester.plugGeneration());
        });
        const bool dropped = stale > ReportExchange::kMaxSkippedReplies;
        EXPECT_EQ(rig.exchange(), dropped ? ExchangeOutcome::LinkLost : ExchangeOutcome::Answered);
        EXPECT_EQ(rig.session.link.deviceFound(), !dropped);
        EXPECT_EQ(rig.bus.openHandles(), dropped ? 0 : 1);
        EXPECT_EQ(pumped, dropped ? stale : stale + 1) << "read on after the limit";
        EXPECT_FALSE(rig.session.exchange.busy());
    }
}

}  // namespace
}  // namespace torbex::commands
