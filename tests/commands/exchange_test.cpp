// ReportExchange against the simulated tester: sequence numbers, reply matching, re-entry.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "support/sim_fixture.h"

namespace torbex::commands {
namespace {

using sim::Fault;

class Exchange : public ::testing::Test {
protected:
    Exchange() { rig.session.link.FindTheHid(); }

    ExchangeOutcome poll() { return exchange.exchangeCommand(buildRead(ReadCommand::Poll)); }

    std::vector<int> sentSequenceNumbers() const {
        std::vector<int> numbers;
        for (const CommandFrame& command : rig.tester.receivedCommands()) numbers.push_back(command[0]);
        return numbers;
    }

    // Makes the tester answer a poll that carried `echo`, as if that poll had been sent earlier.
    void queueReplyEchoing(std::uint8_t echo) {
        std::array<std::uint8_t, 65> wire{};
        wire[1] = echo;
        wire[2] = kReadCommand;
        wire[3] = '2';
        rig.tester.receiveReport(wire, rig.tester.plugGeneration());
    }

    torbex::testing::SimulatedRig rig;
    ReportExchange& exchange = rig.session.exchange;
};

TEST_F(Exchange, SequenceNumberAdvancesEachExchangeAndSkipsZeroWhenItWraps) {
    std::vector<int> expected;
    for (int i = 1; i <= 255; ++i) expected.push_back(i);
    expected.push_back(1);
    expected.push_back(2);

    for (std::size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(poll(), ExchangeOutcome::Answered) << "exchange " << i;
    EXPECT_EQ(sentSequenceNumbers(), expected);
}

TEST_F(Exchange, StaleReplyIsSkippedAndTheMatchingOneKept) {
    rig.tester.state().version = QStringLiteral("V9.87   ");
    rig.tester.injectFault(Fault::StaleEcho);

    ASSERT_EQ(exchange.exchangeCommand(buildRead(ReadCommand::Version)), ExchangeOutcome::Answered);
    EXPECT_EQ(rig.session.link.InputReport[0], 1);
    EXPECT_EQ(decodeVersion(rig.session.link.InputReport).toStdString(), "V9.87   ");
    EXPECT_EQ(exchange.ComRecodeNo, 2);
}

TEST_F(Exchange, UnansweredCommandStillUsesUpItsSequenceNumber) {
    rig.tester.injectFault(Fault::NoAnswer);
    EXPECT_EQ(poll(), ExchangeOutcome::LinkLost);
    EXPECT_FALSE(rig.session.link.deviceFound());
    EXPECT_FALSE(exchange.busy());

    // A late reply to the lost command must not pass for the reply to the next one.
    ASSERT_TRUE(rig.session.link.FindTheHid());
    EXPECT_EQ(poll(), ExchangeOutcome::Answered);
    EXPECT_EQ(sentSequenceNumbers(), (std::vector<int>{1, 2}));
}

TEST_F(Exchange, ExchangeStartedFromEventPumpIsRefusedWithoutSending) {
    std::vector<ExchangeOutcome> nested;
    std::vector<ServiceOutcome> nestedService;
    rig.events.setHook([&] {
        nested.push_back(exchange.exchangeCommand(buildRead(ReadCommand::Version)));
        nestedService.push_back(rig.session.dispatcher.ServiceComRequest());
    });

    EXPECT_EQ(poll(), ExchangeOutcome::Answered);
    ASSERT_FALSE(nested.empty());
    for (ExchangeOutcome outcome : nested) EXPECT_EQ(outcome, ExchangeOutcome::Busy);
    for (ServiceOutcome outcome : nestedService) EXPECT_EQ(outcome, ServiceOutcome::Skipped);
    EXPECT_EQ(rig.tester.receivedCommands().size(), 1U);
    EXPECT_EQ(rig.session.link.OutputReport[2], '2') << "the refused command overwrote the one in flight";
    EXPECT_EQ(exchange.ComRecodeNo, 2);
    EXPECT_FALSE(exchange.busy());
}

// After a failed write the link reads as lost while the reply is still awaited; a tick then must
// not search the bus and replace the connection under the waiting exchange.
TEST_F(Exchange, DispatcherCalledWhileWaitingAfterFailedWriteDoesNotRediscover) {
    const int enumerations = rig.bus.enumerations();
    std::vector<ServiceOutcome> nested;
    rig.events.setHook([&] { nested.push_back(rig.session.dispatcher.ServiceComRequest()); });
    rig.tester.injectFault(Fault::WriteFails);

    EXPECT_EQ(poll(), ExchangeOutcome::LinkLost);
    ASSERT_FALSE(nested.empty());
    for (ServiceOutcome outcome : nested) EXPECT_EQ(outcome, ServiceOutcome::Skipped);
    EXPECT_EQ(rig.bus.enumerations(), enumerations);
    EXPECT_EQ(rig.tester.receivedCommands().size(), 0U);
}

// A tester that answers with other sequence numbers: tolerated up to the limit, dropped past it.
TEST_F(Exchange, BabblingTesterIsDroppedOnlyPastTheSkipLimit) {
    for (const int stale : {ReportExchange::kMaxSkippedReplies, ReportExchange::kMaxSkippedReplies + 1}) {
        SCOPED_TRACE(stale);
        ASSERT_TRUE(rig.session.link.FindTheHid());
        rig.tester.injectFault(Fault::NoAnswer);
        int pumped = 0;
        rig.events.setHook([&] {
            const auto awaited = static_cast<std::uint8_t>(exchange.ComRecodeNo);
            queueReplyEchoing(pumped++ < stale ? static_cast<std::uint8_t>(awaited + 100) : awaited);
        });

        const ExchangeOutcome outcome = poll();
        rig.events.setHook({});
        if (stale <= ReportExchange::kMaxSkippedReplies) {
            EXPECT_EQ(outcome, ExchangeOutcome::Answered);
            EXPECT_TRUE(rig.session.link.deviceFound());
        } else {
            EXPECT_EQ(outcome, ExchangeOutcome::LinkLost);
            EXPECT_FALSE(rig.session.link.deviceFound());
            EXPECT_EQ(rig.bus.openHandles(), 0);
            EXPECT_EQ(pumped, stale) << "read on after the limit";
        }
        EXPECT_FALSE(exchange.busy());
    }
}

}  // namespace
}  // namespace torbex::commands
