// Downloading records from the simulated tester, and the field rules of one D10 reply.
#include <gtest/gtest.h>

#include <algorithm>

#include "data/cp932.h"
#include "data/csv_codec.h"
#include "data/measurement_download.h"
#include "data/record_reply.h"
#include "support/sim_fixture.h"

namespace torbex::data {
namespace {

using sim::Fault;

sim::StoredRecord storedRecord(int n) {
    sim::StoredRecord r;
    r.rfid = QStringLiteral("00000000000000%1").arg(n % 100, 2, 10, QChar(u'0'));
    r.status = 0x8F;
    r.date = QStringLiteral("130228");
    r.time = QStringLiteral("1120");
    r.flowSetting = 150;
    r.flowResult = n;
    r.occlusionLevel = 1;
    r.occlusionResult = 532;
    return r;
}

sim::RawReply raw(std::initializer_list<std::uint8_t> bytes) { return sim::RawReply{bytes}; }

struct RecordingView final : DownloadView {
    void showTesterAbsent() override { ++absent; }
    void showProgress(int records) override { progress.push_back(records); }
    int absent = 0;
    std::vector<int> progress;
};

class DownloadTest : public ::testing::Test {
protected:
    void fill(std::initializer_list<int> slots) {
        for (int slot : slots) rig.tester.state().slots[static_cast<std::size_t>(slot)] = storedRecord(slot);
    }
    // The slots the tester was asked for, in order.
    std::vector<int> slotsAsked() const {
        std::vector<int> asked;
        for (const auto& c : rig.tester.receivedCommands())
            if (c[1] == commands::kReadCommand && c[2] == '1' && c[3] == '0')
                asked.push_back((c[4] - '0') * 1000 + (c[5] - '0') * 100 + (c[6] - '0') * 10 + (c[7] - '0'));
        return asked;
    }
    // A known record in slot 0 so that a failed download can be seen to leave it alone.
    void preFill() {
        store.slot(0) = store.slot(1) = MeasurementRecord{};
        store.slot(0).ManagementNo = QStringLiteral("KEEP");
        store.RecordCount = 1;
        store.DataUnsaved = 0;
    }
    void expectPreFilledStoreIntact() {
        EXPECT_EQ(rig.session.requests.COM_ERR, 1);
        EXPECT_EQ(store.RecordCount, 1);
        EXPECT_EQ(store.DataUnsaved, 0);
        MeasurementRecord expected;
        expected.ManagementNo = QStringLiteral("KEEP");
        EXPECT_TRUE(store.slot(0) == expected) << store.slot(0).PumpRfid.text().toStdString();
        EXPECT_TRUE(store.slot(1) == MeasurementRecord{}) << store.slot(1).PumpRfid.text().toStdString();
    }

    testing::SimulatedRig rig;
    RecordStore store;
    RecordingView view;
    MeasurementDownload download{rig.session.exchange, rig.session.requests, store, view};
};

TEST_F(DownloadTest, AllSlotsFullGiveAllRecordsInOrder) {
    for (int slot = 0; slot < sim::kSlotCount; ++slot) fill({slot});
    rig.session.requests.COM_ERR = 1;
    download.ReadMeasurementData();
    EXPECT_EQ(rig.session.requests.COM_ERR, 0);
    EXPECT_EQ(store.RecordCount, 1001);
    EXPECT_EQ(store.DataUnsaved, 1);
    EXPECT_EQ(store.slot(1000).FlowResult.text(), QStringLiteral(" 100.0"));
    EXPECT_EQ(store.slot(7).PumpRfid.text(), QStringLiteral("0000000000000007"));
    EXPECT_EQ(view.progress.back(), 1001);
}

TEST_F(DownloadTest, EmptySlotsAreSkippedByTheAdvanceAndOnlyUsedSlotsFetched) {
    fill({3, 4, 500, 1000});
    download.ReadMeasurementData();
    EXPECT_EQ(rig.session.requests.COM_ERR, 0);
    ASSERT_EQ(store.RecordCount, 4);
    EXPECT_EQ(store.slot(2).FlowResult.text(), QStringLiteral("  50.0"));
    // Slot 0 says "3 ahead", 5 says "495 ahead", 501 says "499 ahead".
    EXPECT_EQ(slotsAsked(), (std::vector<int>{0, 3, 4, 5, 500, 501, 1000}));
}

TEST_F(DownloadTest, AdvanceDigitsOfARawReplyMoveToTheNamedSlot) {
    rig.tester.state().slots[0] = raw({'2', '0', '0', '0', '5'});
    fill({5});
    rig.tester.state().slots[6] = raw({'2', ' ', '9', '9', '4'});  // spaces are skipped: 994 ahead
    download.ReadMeasurementData();
    EXPECT_EQ(rig.session.requests.COM_ERR, 0);
    EXPECT_EQ(store.RecordCount, 1);
    EXPECT_EQ(slotsAsked(), (std::vector<int>{0, 5, 6, 1000}));
}

TEST_F(DownloadTest, RepliesThatNeverAdvanceEndTheDownloadAsNotConnectedAfterTenPasses) {
    const sim::RawReply stuck[] = {raw({'2', '0', '0', '0', '0'}), raw({'2', 'X', '0', '0', '5'}), raw({'2'})};
    for (const sim::RawReply& reply : stuck) {
        rig.tester.forgetReceivedCommands();
        rig.tester.state().slots[0] = reply;
        fill({1});
        preFill();
        download.ReadMeasurementData();
        expectPreFilledStoreIntact();
        EXPECT_EQ(slotsAsked(), std::vector<int>(10, 0));
    }
}

TEST_F(DownloadTest, RecordNotReadyAsksTheSameSlotAgainUpToNineTimesInARow) {
    for (const auto& [times, completes] : {std::pair{1, true}, std::pair{9, true}, std::pair{10, false}}) {
        rig.tester.forgetReceivedCommands();
        fill({0, 1});
        preFill();
        rig.tester.injectFault(Fault::RecordNotReady, times);
        download.ReadMeasurementData();
        if (completes) {
            EXPECT_EQ(rig.session.requests.COM_ERR, 0) << times;
            EXPECT_EQ(store.RecordCount, 2) << times;
            const std::vector<int> asked = slotsAsked();
            EXPECT_EQ(std::count(asked.begin(), asked.end(), 0), times + 1) << times;
        } else {
            expectPreFilledStoreIntact();
        }
    }
}

TEST_F(DownloadTest, UnplugMidwayLeavesTheStoreAsItWas) {
    // Slots 0 to 5 hold records; slot 6 says the rest is empty. Pulled while the first, a
    // middle and the very last reply is awaited.
    fill({0, 1, 2, 3, 4, 5});
    for (const std::size_t pulledAt : {1U, 4U, 7U}) {
        rig.tester.plugIn();
        rig.tester.forgetReceivedCommands();
        preFill();
        rig.events.setHook([this, pulledAt] {
            if (slotsAsked().size() == pulledAt) rig.tester.unplug();
        });
        download.ReadMeasurementData();
        expectPreFilledStoreIntact();
        EXPECT_EQ(slotsAsked().size(), pulledAt);
    }
    EXPECT_GE(view.absent, 3);
}

TEST_F(DownloadTest, ReplugAndStaleEchoMidwayAreRecoveredFrom) {
    for (const Fault fault : {Fault::Replug, Fault::StaleEcho, Fault::NoAnswer}) {
        fill({0, 1, 2, 3});
        rig.tester.forgetReceivedCommands();
        rig.tester.injectFault(fault);
        download.ReadMeasurementData();
        EXPECT_EQ(rig.session.requests.COM_ERR, 0) << static_cast<int>(fault);
        ASSERT_EQ(store.RecordCount, 4) << static_cast<int>(fault);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(store.slot(i).FlowResult.text(), QStringLiteral("   0.%1").arg(i));
    }
}

TEST_F(DownloadTest, NoTesterAtTheStartSendsNothing) {
    fill({0});
    preFill();
    rig.tester.unplug();
    download.ReadMeasurementData();
    expectPreFilledStoreIntact();
    EXPECT_TRUE(rig.tester.receivedCommands().empty());
}

TEST_F(DownloadTest, EmptyTesterEmptiesTheStoreButKeepsTheUnsavedFlag) {
    for (const std::int16_t unsaved : {std::int16_t{0}, std::int16_t{1}}) {
        store.RecordCount = 5;
        store.DataUnsaved = unsaved;
        rig.session.requests.COM_ERR = 1;
        download.ReadMeasurementData();
        EXPECT_EQ(rig.session.requests.COM_ERR, 0);
        EXPECT_EQ(store.RecordCount, 0);
        EXPECT_EQ(store.DataUnsaved, unsaved);
    }
}

TEST_F(DownloadTest, ClearEmptiesTheTesterAndNeverLeavesAnError) {
    fill({0, 17, 1000});
    rig.session.requests.COM_ERR = 1;
    download.ClearDeviceData();
    EXPECT_EQ(rig.session.requests.COM_ERR, 0);
    for (const auto& slot : rig.tester.state().slots) EXPECT_FALSE(slot.has_value());

    fill({0});
    rig.tester.forgetReceivedCommands();
    rig.tester.unplug();
    rig.session.requests.COM_ERR = 1;
    download.ClearDeviceData();
    EXPECT_EQ(rig.session.requests.COM_ERR, 0);
    EXPECT_TRUE(rig.tester.receivedCommands().empty());
    EXPECT_TRUE(rig.tester.state().slots[0].has_value());
}

// ---- One reply, field by field ----

std::array<std::uint8_t, 64> reply(std::uint8_t status, const char* flowSetting, const char* flowResult, char level,
                                   const char* occlusionResult) {
    std::array<std::uint8_t, 64> r{};
    const auto put = [&r](std::size_t at, const char* text) {
        for (std::size_t i = 0; text[i] != '\0'; ++i) r[at + i] = static_cast<std::uint8_t>(text[i]);
    };
    r[3] = '1';
    for (std::uint8_t i = 0; i < 8; ++i) r[8 + i] = static_cast<std::uint8_t>(i + 1);
    r[16] = status;
    put(17, "130228");
    put(23, "1120");
    put(29, flowSetting);
    put(33, flowResult);
    r[37] = static_cast<std::uint8_t>(level);
    put(38, "053");
    put(41, occlusionResult);
    return r;
}

TEST(RecordReplyTest, EveryFieldFollowsItsLayout) {
    const MeasurementRecord r = recordFromReply(reply(143, "0150", "0995", '1', "0532"));
    EXPECT_EQ(r.StatusFlags.text(), QStringLiteral("8F"));
    EXPECT_EQ(r.PumpRfid.text(), QStringLiteral("0807060504030201"));
    EXPECT_EQ(r.ManagementNo.text(), QString(10, u' '));
    EXPECT_EQ(r.MeasureDate.text(), QStringLiteral("2013/02/28"));
    EXPECT_EQ(r.MeasureTime.text(), QStringLiteral("11:20   "));
    EXPECT_EQ(r.FlowSetting.text(), QStringLiteral("150"));
    EXPECT_EQ(r.FlowResult.text(), QStringLiteral("  99.5"));
    EXPECT_EQ(r.OcclusionSetting.text(), QStringLiteral("M"));
    EXPECT_EQ(r.OcclusionValue.text(), QStringLiteral(" 53"));
    EXPECT_EQ(r.OcclusionResult.text(), QStringLiteral("    53.2"));
}

TEST(RecordReplyTest, NumbersAreRightAlignedAndLevelsMapToLetters) {
    struct Case {
        std::uint8_t status;
        const char *flowSetting, *flowResult;
        char level;
        const char *occlusionResult, *status2, *setting3, *result6, *level1, *occlusion8;
    };
    for (const Case& c : {
             Case{5, "0005", "1000", '7', "0000", "05", "  5", " 100.0", "L", "     0.0"},
             Case{0, "0000", "0009", '0', "9999", "00", "  0", "   0.9", "L", "   999.9"},
             Case{255, "0025", "0010", '2', "0100", "FF", " 25", "   1.0", "H", "    10.0"},
         }) {
        const MeasurementRecord r = recordFromReply(reply(c.status, c.flowSetting, c.flowResult, c.level, c.occlusionResult));
        EXPECT_EQ(r.StatusFlags.text(), QString::fromLatin1(c.status2)) << c.status;
        EXPECT_EQ(r.FlowSetting.text(), QString::fromLatin1(c.setting3)) << c.flowSetting;
        EXPECT_EQ(r.FlowResult.text(), QString::fromLatin1(c.result6)) << c.flowResult;
        EXPECT_EQ(r.OcclusionSetting.text(), QString::fromLatin1(c.level1)) << c.level;
        EXPECT_EQ(r.OcclusionResult.text(), QString::fromLatin1(c.occlusion8)) << c.occlusionResult;
    }
}

TEST(RecordReplyTest, GarbledDateBytesStillMakeARecordTheDataFileCanHold) {
    auto garbled = reply(143, "0150", "0995", '1', "0532");
    garbled[17] = 0xB1;  // a half-width katakana on its own
    garbled[18] = 0x82;  // the first half of a two-byte character
    garbled[23] = 0xFF;
    const MeasurementRecord r = recordFromReply(garbled);
    EXPECT_EQ(r.MeasureDate.text(), QStringLiteral("20ｱ?/02/28"));
    EXPECT_EQ(r.MeasureTime.text().left(2), QStringLiteral("?1"));
    EXPECT_TRUE(encodeCp932(csvRecordLine(r)).has_value());
}

}  // namespace
}  // namespace torbex::data
