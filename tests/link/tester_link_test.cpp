#include "link/tester_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "commands/protocol.h"
#include "link/clock.h"
#include "link/event_pump.h"
#include "link/tester_identity.h"
#include "sim/simulated_bus.h"
#include "sim/simulated_tester.h"

namespace torbex::link {
namespace {

// Sits between the link and the bus and keeps what crossed the wire.
struct WireTap final : HidTransport {
    struct Tapped final : HidConnection {
        Tapped(std::unique_ptr<HidConnection> connection, WireTap& owner)
            : inner(std::move(connection)), tap(owner) {}
        ReportLengths reportLengths() const override { return inner->reportLengths(); }
        bool writeReport(std::span<const std::uint8_t> wire) override {
            tap.writes.emplace_back(wire.begin(), wire.end());
            return inner->writeReport(wire);
        }
        ReadStatus readReport(std::span<std::uint8_t> wire, int timeoutMs) override {
            tap.readSizes.push_back(wire.size());
            return inner->readReport(wire, timeoutMs);
        }
        std::unique_ptr<HidConnection> inner;
        WireTap& tap;
    };

    explicit WireTap(sim::SimulatedBus& simulatedBus) : bus(simulatedBus) {}
    std::vector<HidDeviceInfo> enumerate() override { return bus.enumerate(); }
    std::unique_ptr<HidConnection> open(const std::string& path) override {
        handlesOpenBeforeLastOpen = bus.openHandles();
        auto connection = bus.open(path);
        return connection ? std::make_unique<Tapped>(std::move(connection), *this) : nullptr;
    }

    sim::SimulatedBus& bus;
    std::vector<std::vector<std::uint8_t>> writes;
    std::vector<std::size_t> readSizes;
    int handlesOpenBeforeLastOpen = -1;
};

class TesterLinkTest : public ::testing::Test {
protected:
    TesterLinkTest() {
        tester.setTimeoutWaiter([this](int ms) { clock.advance(ms); });
        events.setHook([this] { ++pumps; });
    }

    // Puts a version read with the given sequence number in the output buffer.
    void prepareVersionRead(std::uint8_t sequence) {
        const auto frame = commands::buildRead(commands::ReadCommand::Version);
        std::copy(frame.begin(), frame.end(), link.OutputReport.begin());
        link.OutputReport[0] = sequence;
    }

    ManualClock clock;
    CallbackEventPump events;
    int pumps = 0;
    sim::SimulatedTester tester;
    sim::SimulatedTester second;
    sim::SimulatedBus bus;
    WireTap tap{bus};
    TesterLink link{tap, clock, events};
};

TEST_F(TesterLinkTest, DiscoveryPicksOnlyTheTesterAndKeepsNoForeignHandle) {
    bus.attachOtherDevice({"sim:keyboard", 0x046D, 0xC31C, 0});
    bus.attachOtherDevice({"sim:mouse", 0x046D, 0xC077, 0});
    bus.attachOtherDevice({"sim:same-vendor", kTesterVendorId, 0x0058, 0});
    bus.attachOtherDevice({"sim:same-product", 0x09BA, kTesterProductId, 0});
    bus.attachOtherDevice({"sim:locked-tester", kTesterVendorId, kTesterProductId, 0},
                          /*openable=*/false);
    bus.attachTester(tester, "sim:tester");

    ASSERT_TRUE(link.FindTheHid());
    EXPECT_EQ(link.DeviceFound, -1);
    EXPECT_EQ(link.DevicePath, "sim:tester");
    EXPECT_EQ(bus.openHandles(), 1);
}

TEST_F(TesterLinkTest, FirstEnumeratedTesterWins) {
    bus.attachTester(tester, "sim:first");
    bus.attachTester(second, "sim:second");
    ASSERT_TRUE(link.FindTheHid());
    EXPECT_EQ(link.DevicePath, "sim:first");
    EXPECT_EQ(bus.openHandles(), 1);
}

TEST_F(TesterLinkTest, NoTesterLeavesTheLinkDownAndTheNextCallSearchesAgain) {
    bus.attachOtherDevice({"sim:keyboard", 0x046D, 0xC31C, 0});
    EXPECT_FALSE(link.FindTheHid());
    EXPECT_EQ(link.DeviceFound, 0);
    EXPECT_EQ(bus.openHandles(), 0);

    bus.attachTester(tester);
    EXPECT_TRUE(link.FindTheHid());
    EXPECT_EQ(bus.enumerations(), 2);
}

TEST_F(TesterLinkTest, ReportLengthsTheBuffersCannotHoldAreRefused) {
    bus.attachTester(tester);
    for (const ReportLengths lengths : {ReportLengths{1, 65}, ReportLengths{65, 1},
                                        ReportLengths{72, 65}, ReportLengths{65, 72}}) {
        SCOPED_TRACE(testing::Message() << lengths.input << "/" << lengths.output);
        tester.setReportLengths(lengths);
        EXPECT_FALSE(link.FindTheHid());
        EXPECT_EQ(link.DeviceFound, 0);
        EXPECT_EQ(bus.openHandles(), 0);
    }
    for (const ReportLengths lengths : {ReportLengths{2, 71}, ReportLengths{71, 2}}) {
        tester.setReportLengths(lengths);
        ASSERT_TRUE(link.FindTheHid());
        EXPECT_EQ(link.InputReportByteLength, lengths.input);
        EXPECT_EQ(link.OutputReportByteLength, lengths.output);
    }
}

TEST_F(TesterLinkTest, UnknownReportLengthsFallBackTo65) {
    tester.setReportLengths({0, 0});
    bus.attachTester(tester);
    ASSERT_TRUE(link.FindTheHid());
    EXPECT_EQ(link.InputReportByteLength, kFallbackReportLength);
    EXPECT_EQ(link.OutputReportByteLength, kFallbackReportLength);
}

TEST_F(TesterLinkTest, SendWritesReportIdZeroAndOnlyTheBytesTheReportHolds) {
    bus.attachTester(tester);
    std::iota(link.OutputReport.begin(), link.OutputReport.end(), std::uint8_t{1});
    for (const int outputLength : {65, 9}) {
        SCOPED_TRACE(outputLength);
        tester.setReportLengths({65, outputLength});
        tester.forgetReceivedCommands();
        ASSERT_TRUE(link.FindTheHid());
        link.SendOutputReport();

        ASSERT_EQ(tap.writes.back().size(), static_cast<std::size_t>(outputLength));
        EXPECT_EQ(tap.writes.back()[0], 0);
        ASSERT_EQ(tester.receivedCommands().size(), 1U);
        const auto& received = tester.receivedCommands()[0];
        const auto sent = static_cast<std::ptrdiff_t>(outputLength - 1);
        EXPECT_TRUE(
            std::equal(received.begin(), received.begin() + sent, link.OutputReport.begin()));
        EXPECT_TRUE(
            std::all_of(received.begin() + sent, received.end(), [](auto b) { return b == 0; }));
        EXPECT_EQ(link.DeviceFound, -1);
    }
}

TEST_F(TesterLinkTest, ReceiveReplacesOnlyTheBytesTheReportCarries) {
    bus.attachTester(tester);
    for (const int inputLength : {65, 33}) {
        SCOPED_TRACE(inputLength);
        tester.setReportLengths({inputLength, 65});
        ASSERT_TRUE(link.FindTheHid());
        prepareVersionRead(7);
        link.SendOutputReport();
        link.InputReport.fill(0xEE);
        link.ReceiveInputReport();

        EXPECT_EQ(tap.readSizes.back(), static_cast<std::size_t>(inputLength));
        EXPECT_EQ(link.InputReport[0], 7);
        EXPECT_EQ(link.InputReport[1], 'D');
        EXPECT_EQ(link.InputReport[2], '9');
        EXPECT_EQ(link.InputReport[3], 'V');
        const std::size_t carried = static_cast<std::size_t>(inputLength - 1);
        EXPECT_EQ(link.InputReport[carried - 1], 0);  // the tester's padding
        for (std::size_t i = carried; i < link.InputReport.size(); ++i)
            EXPECT_EQ(link.InputReport[i], 0xEE) << i;
        EXPECT_EQ(clock.nowMs(), 0);
    }
}

TEST_F(TesterLinkTest, SilentTesterTimesOutAfterThreeSecondsWithEventsRunMeanwhile) {
    bus.attachTester(tester);
    ASSERT_TRUE(link.FindTheHid());
    tester.injectFault(sim::Fault::NoAnswer);
    prepareVersionRead(3);
    link.SendOutputReport();
    link.InputReport.fill(0xEE);
    link.ReceiveInputReport();

    EXPECT_GE(clock.nowMs(), kReadTimeoutMs);
    EXPECT_LT(clock.nowMs(), kReadTimeoutMs + kReadSliceMs);
    EXPECT_EQ(bus.openHandles(), 0);
    EXPECT_EQ(link.DeviceFound, 0);
    EXPECT_EQ(link.InputReport[0], 0);
    EXPECT_EQ(link.InputReport[63], 0);
    EXPECT_EQ(link.InputReport[64], 0xEE);
    EXPECT_GE(pumps, kReadTimeoutMs / kReadSliceMs - 2);
    EXPECT_LE(pumps, kReadTimeoutMs / kReadSliceMs);
}

TEST_F(TesterLinkTest, ConnectionDroppedByTheEventsEndsTheWait) {
    bus.attachTester(tester);
    ASSERT_TRUE(link.FindTheHid());
    tester.injectFault(sim::Fault::NoAnswer);
    link.SendOutputReport();
    events.setHook([this] { link.dropConnection(); });
    link.ReceiveInputReport();
    EXPECT_EQ(clock.nowMs(), kReadSliceMs);
    EXPECT_EQ(link.DeviceFound, 0);
}

TEST_F(TesterLinkTest, FailedWriteKeepsTheHandleUntilTheNextSearchClosesItFirst) {
    bus.attachTester(tester);
    ASSERT_TRUE(link.FindTheHid());
    tester.injectFault(sim::Fault::WriteFails);
    link.SendOutputReport();
    EXPECT_EQ(link.DeviceFound, 0);
    EXPECT_EQ(bus.openHandles(), 1);

    ASSERT_TRUE(link.FindTheHid());
    EXPECT_EQ(tap.handlesOpenBeforeLastOpen, 0);
    EXPECT_EQ(bus.openHandles(), 1);
}

TEST_F(TesterLinkTest, UnpluggedTesterFailsTheReadAtOnce) {
    bus.attachTester(tester);
    ASSERT_TRUE(link.FindTheHid());
    tester.unplug();
    link.SendOutputReport();
    EXPECT_EQ(link.DeviceFound, 0);
    link.InputReport.fill(0xEE);
    link.ReceiveInputReport();
    EXPECT_EQ(clock.nowMs(), 0);
    EXPECT_EQ(pumps, 0);
    EXPECT_EQ(link.InputReport[0], 0);
    EXPECT_FALSE(link.FindTheHid());
    EXPECT_EQ(bus.openHandles(), 0);

    tester.plugIn();
    EXPECT_TRUE(link.FindTheHid());
}

TEST_F(TesterLinkTest, TraceSeesEachReportSentAndReceived) {
    std::vector<std::pair<ReportDirection, std::vector<std::uint8_t>>> seen;
    link.setTrace(
        [&](ReportDirection direction, std::span<const std::uint8_t, kCommandBytes> bytes) {
            seen.emplace_back(direction, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        });
    bus.attachTester(tester);
    ASSERT_TRUE(link.FindTheHid());
    prepareVersionRead(9);
    link.SendOutputReport();
    link.ReceiveInputReport();
    tester.injectFault(sim::Fault::NoAnswer);
    link.SendOutputReport();
    link.ReceiveInputReport();  // a time-out brings nothing in

    ASSERT_EQ(seen.size(), 3U);
    EXPECT_EQ(seen[0].first, ReportDirection::Out);
    EXPECT_TRUE(
        std::equal(seen[0].second.begin(), seen[0].second.end(), link.OutputReport.begin()));
    EXPECT_EQ(seen[1].first, ReportDirection::In);
    EXPECT_EQ(seen[1].second[0], 9);
    EXPECT_EQ(seen[1].second[3], 'V');
    EXPECT_EQ(seen[2].first, ReportDirection::Out);
}

}  // namespace
}  // namespace torbex::link
