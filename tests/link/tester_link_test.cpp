#include "link/tester_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "link/tester_identity.h"
#include "sim/simulated_bus.h"

namespace torbex::link {
namespace {

// A simulated bus that keeps the last report written and the handles open at the last open.
struct TappedBus final : HidTransport {
    struct Tapped final : HidConnection {
        Tapped(std::unique_ptr<HidConnection> c, TappedBus& t) : inner(std::move(c)), tap(t) {}
        ReportLengths reportLengths() const override { return inner->reportLengths(); }
        bool writeReport(std::span<const std::uint8_t> wire) override {
            tap.lastWrite.assign(wire.begin(), wire.end());
            return inner->writeReport(wire);
        }
        ReadStatus readReport(std::span<std::uint8_t> wire, int ms) override { return inner->readReport(wire, ms); }
        std::unique_ptr<HidConnection> inner;
        TappedBus& tap;
    };
    std::vector<HidDeviceInfo> enumerate() override { return bus.enumerate(); }
    std::unique_ptr<HidConnection> open(const std::string& path) override {
        handlesOpenAtLastOpen = bus.openHandles();
        auto c = bus.open(path);
        return c ? std::make_unique<Tapped>(std::move(c), *this) : nullptr;
    }
    sim::SimulatedBus bus;
    std::vector<std::uint8_t> lastWrite;
    int handlesOpenAtLastOpen = -1;
};

class TesterLinkTest : public ::testing::Test {
protected:
    TesterLinkTest() {
        tester.setTimeoutWaiter([this](int ms) { clock.advance(ms); });
        events.setHook([this] { ++pumps; });
        tap.bus.attachTester(tester, "sim:first");
        std::iota(link.OutputReport.begin(), link.OutputReport.end(), std::uint8_t{1});
    }
    ManualClock clock;
    CallbackEventPump events;
    int pumps = 0;
    sim::SimulatedTester tester, second;
    TappedBus tap;
    TesterLink link{tap, clock, events};
};

TEST_F(TesterLinkTest, DiscoveryTakesTheFirstTesterByVendorAndProductAndSearchesAgainWhenNoneIs) {
    tester.unplug();
    tap.bus.attachOtherDevice({"sim:keyboard", 0x046D, 0xC31C, 0});
    tap.bus.attachOtherDevice({"sim:same-vendor", kTesterVendorId, 0x0058, 0});
    tap.bus.attachOtherDevice({"sim:same-product", 0x09BA, kTesterProductId, 0});
    tap.bus.attachOtherDevice({"sim:locked-tester", kTesterVendorId, kTesterProductId, 0}, /*openable=*/false);
    EXPECT_FALSE(link.FindTheHid());
    EXPECT_EQ(tap.bus.openHandles(), 0);

    tap.bus.attachTester(second, "sim:second");
    ASSERT_TRUE(link.FindTheHid());
    EXPECT_EQ(link.DevicePath, "sim:second");
    tester.plugIn();  // listed before the second
    ASSERT_TRUE(link.FindTheHid());
    EXPECT_EQ(link.DevicePath, "sim:first");
    EXPECT_EQ(tap.bus.enumerations(), 3);
    EXPECT_EQ(tap.bus.openHandles(), 1);
}

// Reports too short for the protocol's longest reply (a record, to byte 44) or command (the
// calibration write, to byte 21) would cut them; longer ones would overrun the buffers.
TEST_F(TesterLinkTest, ReportLengthsTheProtocolCannotUseAreRefusedAndUnknownOnesTakenAs65) {
    const struct { ReportLengths device; int input, output; } cases[] = {  // input 0: refused
        {{46, 71}, 46, 71}, {{45, 65}, 0, 0}, {{5, 65}, 0, 0}, {{71, 23}, 71, 23}, {{65, 22}, 0, 0},
        {{0, 0}, 65, 65}, {{72, 65}, 0, 0}, {{65, 72}, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.device.input << "/" << c.device.output);
        tester.setReportLengths(c.device);
        EXPECT_EQ(link.FindTheHid(), c.input != 0);
        EXPECT_EQ(link.DeviceFound, c.input != 0 ? -1 : 0);
        EXPECT_EQ(tap.bus.openHandles(), c.input != 0 ? 1 : 0);
        if (c.input == 0) continue;
        EXPECT_EQ(link.InputReportByteLength, c.input);
        EXPECT_EQ(link.OutputReportByteLength, c.output);
    }
}

// The tester echoes the first three bytes of a command it does not know, padded with zeros.
TEST_F(TesterLinkTest, TransfersCarryReportIdZeroAndOnlyTheBytesTheReportsHold) {
    for (const auto& [in, out] : {std::pair{65, 23}, std::pair{46, 65}}) {
        SCOPED_TRACE(::testing::Message() << in << "/" << out);
        tester.setReportLengths({in, out});
        ASSERT_TRUE(link.FindTheHid());
        link.SendOutputReport();
        std::vector<std::uint8_t> wire(out, 0);  // report ID 0, then the report's bytes
        std::copy_n(link.OutputReport.begin(), out - 1, wire.begin() + 1);
        EXPECT_EQ(tap.lastWrite, wire);
        link.InputReport.fill(0xEE);
        link.ReceiveInputReport();
        EXPECT_EQ(std::vector<int>(link.InputReport.begin(), link.InputReport.begin() + 3), (std::vector<int>{1, 2, 3}));
        EXPECT_EQ(link.InputReport[in - 2], 0);  // the last byte carried
        EXPECT_EQ(std::count(link.InputReport.begin(), link.InputReport.end(), 0xEE), 71 - in);
        EXPECT_EQ(link.DeviceFound, -1);
    }
}

TEST_F(TesterLinkTest, SilentTesterTimesOutAfterThreeSecondsRunningEventsBetweenSlices) {
    ASSERT_TRUE(link.FindTheHid());
    tester.injectFault(sim::Fault::NoAnswer);
    link.SendOutputReport();
    link.InputReport.fill(0xEE);
    link.ReceiveInputReport();
    EXPECT_GE(clock.nowMs(), kReadTimeoutMs);
    EXPECT_LT(clock.nowMs(), kReadTimeoutMs + kReadSliceMs);
    EXPECT_EQ(tap.bus.openHandles(), 0);
    EXPECT_EQ(link.DeviceFound, 0);
    EXPECT_EQ(std::count(link.InputReport.begin(), link.InputReport.begin() + 64, 0), 64);
    EXPECT_EQ(link.InputReport[64], 0xEE);
    EXPECT_GE(pumps, kReadTimeoutMs / kReadSliceMs - 2);
    EXPECT_LE(pumps, kReadTimeoutMs / kReadSliceMs);

    // Events that close the device end the wait at once.
    ASSERT_TRUE(link.FindTheHid());
    tester.injectFault(sim::Fault::NoAnswer);
    link.SendOutputReport();
    events.setHook([this] { link.dropConnection(); });
    const auto start = clock.nowMs();
    link.ReceiveInputReport();
    EXPECT_EQ(clock.nowMs() - start, kReadSliceMs);
}

TEST_F(TesterLinkTest, FailedTransfersDropTheLinkAndTheNextSearchClosesTheOldHandleFirst) {
    ASSERT_TRUE(link.FindTheHid());
    tester.injectFault(sim::Fault::WriteFails);
    link.SendOutputReport();
    EXPECT_EQ(link.DeviceFound, 0);
    EXPECT_EQ(tap.bus.openHandles(), 1);
    ASSERT_TRUE(link.FindTheHid());
    EXPECT_EQ(tap.handlesOpenAtLastOpen, 0);

    // Unplugged: the read fails at once, without waiting or running events.
    tester.unplug();
    link.InputReport.fill(0xEE);
    link.ReceiveInputReport();
    EXPECT_EQ(link.DeviceFound, 0);
    EXPECT_EQ(clock.nowMs(), 0);
    EXPECT_EQ(pumps, 0);
    EXPECT_EQ(link.InputReport[0], 0);
    EXPECT_FALSE(link.FindTheHid());
    EXPECT_EQ(tap.bus.openHandles(), 0);
}

}  // namespace
}  // namespace torbex::link
