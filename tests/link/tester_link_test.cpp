#include "link/tester_link.h"

#include <gtest/gtest.h>

#include <numeric>

#include "link/tester_identity.h"
#include "sim/simulated_bus.h"

namespace torbex::link {
namespace {

// The simulated tester on a manual clock that each read's wait advances.
struct TesterLinkTest : ::testing::Test {
    TesterLinkTest() {
        tester.setTimeoutWaiter([this](int ms) { waits.push_back(ms), clock.advance(ms); });
        bus.attachTester(tester);
    }
    ManualClock clock;
    sim::SimulatedTester tester{{}, clock}, second{{}, clock};
    sim::SimulatedBus bus;
    std::vector<int> waits;
    int pumps = 0;
    CallbackEventPump events{[this] { ++pumps; }};
    TesterLink link{bus, clock, events};
};

// A search while connected lets the old handle go first, so it finds nothing when nothing is there.
TEST_F(TesterLinkTest, DiscoveryTakesTheFirstOpenableTesterAndDropsTheOldHandle) {
    tester.unplug();
    bus.attachOtherDevice({"other product", kTesterVendorId, 0x0058});
    bus.attachOtherDevice({"other vendor", 0x09BA, kTesterProductId});
    bus.attachOtherDevice({"locked", kTesterVendorId, kTesterProductId}, /*openable=*/false);
    EXPECT_FALSE(link.findTester());
    bus.attachTester(second, "second");
    EXPECT_EQ((std::tuple{link.findTester(), link.devicePath()}), std::tuple(true, std::string("second")));
    tester.plugIn();  // listed first
    EXPECT_EQ((std::tuple{link.findTester(), link.devicePath()}), std::tuple(true, std::string("sim:tester")));
    tester.unplug();
    second.unplug();
    EXPECT_EQ((std::tuple{link.findTester(), link.connected(), bus.openHandles()}), std::tuple(false, false, 0));
}

// Shorter reports would cut a record reply (to byte 44) or a calibration write (to byte 21).
TEST_F(TesterLinkTest, ShortOrLongReportsAreRefusedAtDiscoveryAndUnknownLengthsTakenAs65) {
    const std::pair<ReportLengths, ReportLengths> cases[] = {  // taken {0, 0}: refused
        {{46, 71}, {46, 71}}, {{45, 65}, {}}, {{5, 65}, {}}, {{71, 23}, {71, 23}}, {{65, 22}, {}}, {{72, 65}, {}},
        {{65, 72}, {}},       {{0, 0}, {65, 65}}, {{0, 23}, {65, 23}}, {{46, 0}, {46, 65}}};
    for (const auto& [device, taken] : cases) {
        tester.setReportLengths(device);
        const bool found = link.findTester();
        EXPECT_EQ(std::tuple(found, bus.openHandles(), found ? link.reportLengths().input : 0, found ? link.reportLengths().output : 0),
                  std::tuple(taken.input != 0, taken.input != 0 ? 1 : 0, taken.input, taken.output))
            << device.input << "/" << device.output;
    }
}

TEST_F(TesterLinkTest, ReportsCarryOnlyTheBytesTheDeviceLengthsHold) {
    Report out;
    std::iota(out.begin(), out.end(), std::uint8_t{1});
    for (const ReportLengths lengths : {ReportLengths{46, 23}, ReportLengths{71, 71}}) {
        tester.setReportLengths(lengths);
        tester.injectFault(sim::Fault::Garbage);  // a reply with noise in every byte
        ASSERT_EQ((std::tuple{link.findTester(), link.send(out)}), std::tuple(true, true));
        Report cut{};
        std::copy_n(out.begin(), std::min(lengths.output - 1, 64), cut.begin());
        EXPECT_EQ(tester.receivedCommands().back(), cut);
        const auto in = link.receive();
        ASSERT_TRUE(in);
        EXPECT_EQ((*in)[0], 1);  // the echo, not the report ID
        EXPECT_EQ(std::count(in->begin(), in->end(), 0), 64 - std::min(lengths.input - 1, 64));
    }
}

// Events run between the short waits; a failed transfer, or events that close the device, end it at once.
TEST_F(TesterLinkTest, SilenceTimesOutAfterThreeSecondsOfShortWaitsAndFailuresDisconnectAtOnce) {
    ASSERT_TRUE(link.findTester());
    EXPECT_EQ((std::tuple{link.receive().has_value(), link.connected()}), std::tuple(false, false));
    EXPECT_EQ(waits, std::vector<int>(kReadTimeoutMs / kReadSliceMs, kReadSliceMs));
    ASSERT_TRUE(link.findTester());
    tester.injectFault(sim::Fault::WriteFails);
    EXPECT_EQ((std::tuple{link.send(Report{}), link.connected()}), std::tuple(false, false));
    ASSERT_TRUE(link.findTester());
    tester.unplug();
    EXPECT_EQ((std::tuple{link.receive().has_value(), link.connected()}), std::tuple(false, false));
    EXPECT_EQ(pumps, kReadTimeoutMs / kReadSliceMs - 1);
    tester.plugIn();
    events.setHook([this] { link.disconnect(); });
    ASSERT_TRUE(link.findTester());
    EXPECT_EQ((std::tuple{link.receive().has_value(), link.send(Report{})}), std::tuple(false, false));  // nothing is open to take it
    EXPECT_EQ(waits.size(), kReadTimeoutMs / kReadSliceMs + 1U);
    EXPECT_EQ(bus.openHandles(), 0);
}

}  // namespace
}  // namespace torbex::link
