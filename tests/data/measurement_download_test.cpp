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

sim::RawReply raw(std::initializer_list<std::uint8_t> bytes) { return sim::RawReply{bytes}; }

struct RecordingView final : DownloadView {
    void showTesterAbsent() override { ++absent; }
    void showProgress(int records) override { progress.push_back(records); }
    int absent = 0;
    std::vector<int> progress;
};

class DownloadTest : public ::testing::Test {
protected:
    // Records whose flow result (in tenths) is their slot number.
    void fill(std::initializer_list<int> slots) {
        for (int slot : slots)
            rig.tester.state().slots[static_cast<std::size_t>(slot)] = sim::StoredRecord{.flowResult = slot};
    }
    // The slots the tester was asked for, in order.
    std::vector<int> slotsAsked() const {
        std::vector<int> asked;
        for (const auto& c : rig.tester.receivedCommands())
            if (c[1] == commands::kReadCommand && c[2] == '1' && c[3] == '0')
                asked.push_back((c[4] - '0') * 1000 + (c[5] - '0') * 100 + (c[6] - '0') * 10 + (c[7] - '0'));
        return asked;
    }
    // A known store, so that a failed download can be seen to leave it alone.
    void preFill() {
        rig.tester.forgetReceivedCommands();
        store.slot(0) = store.slot(1) = MeasurementRecord{};
        store.slot(0).ManagementNo = QStringLiteral("KEEP");
        store.RecordCount = 1;
        store.DataUnsaved = 0;
    }
    bool failedLeavingStoreAsItWas() const {
        MeasurementRecord kept;
        kept.ManagementNo = QStringLiteral("KEEP");
        return rig.session.requests.COM_ERR == 1 && store.RecordCount == 1 && store.DataUnsaved == 0 &&
               store.slot(0) == kept && store.slot(1) == MeasurementRecord{};
    }

    testing::SimulatedRig rig;
    RecordStore store;
    RecordingView view;
    MeasurementDownload download{rig.session.exchange, rig.session.requests, store, view};
};

TEST_F(DownloadTest, AllSlotsFullGiveAllRecordsInOrderThroughAReplugAStaleEchoAndALostReply) {
    for (int slot = 0; slot < sim::kSlotCount; ++slot) fill({slot});
    for (const Fault fault : {Fault::Replug, Fault::StaleEcho, Fault::NoAnswer}) rig.tester.injectFault(fault);
    rig.session.requests.COM_ERR = 1;
    download.ReadMeasurementData();
    EXPECT_EQ(rig.session.requests.COM_ERR, 0);
    EXPECT_EQ(store.RecordCount, 1001);
    EXPECT_EQ(store.DataUnsaved, 1);
    EXPECT_EQ(store.slot(7).FlowResult.text(), QStringLiteral("   0.7"));
    EXPECT_EQ(store.slot(1000).FlowResult.text(), QStringLiteral(" 100.0"));
    EXPECT_EQ(view.progress.back(), 1001);
}

TEST_F(DownloadTest, EmptySlotsAreSkippedByTheAdvanceDigits) {
    fill({3, 4, 500, 1000});
    rig.tester.state().slots[5] = raw({'2', ' ', '4', '9', '5'});  // spaces are skipped: 495 ahead
    download.ReadMeasurementData();
    EXPECT_EQ(rig.session.requests.COM_ERR, 0);
    ASSERT_EQ(store.RecordCount, 4);
    EXPECT_EQ(store.slot(2).FlowResult.text(), QStringLiteral("  50.0"));
    // Slot 0 says "3 ahead", 501 says "499 ahead".
    EXPECT_EQ(slotsAsked(), (std::vector<int>{0, 3, 4, 5, 500, 501, 1000}));
}

// A tester that needs a moment to prepare a record answers "not ready" (byte 3 = 0) many times
// a second; only five seconds without progress count as a lost tester. Each exchange here takes
// a millisecond of the test's clock.
TEST_F(DownloadTest, OnlyFiveSecondsWithoutProgressEndAsNotConnected) {
    fill({0, 1});
    rig.events.setHook([this] { rig.clock.advance(1); });
    for (const int times : {1, 200, 4990, 5010}) {
        preFill();
        rig.tester.injectFault(Fault::RecordNotReady, times);
        download.ReadMeasurementData();
        const bool gaveUp = times > 5000;
        EXPECT_EQ(failedLeavingStoreAsItWas(), gaveUp) << times;
        EXPECT_EQ(store.RecordCount, gaveUp ? 1 : 2) << times;
        EXPECT_EQ(std::ranges::count(slotsAsked(), 0), gaveUp ? 5000 : times + 1) << times;
        rig.tester.state().faults.clear();
    }
    // An advance of 0 or without a digit never moves on, nor do digits after byte 3 = 0.
    for (const sim::RawReply& stuck :
         {raw({'2', '0', '0', '0', '0'}), raw({'2', 'X', '0', '0', '5'}), raw({'2'}), raw({0, '0', '0', '0', '5'})}) {
        rig.tester.state().slots[0] = stuck;
        preFill();
        download.ReadMeasurementData();
        EXPECT_TRUE(failedLeavingStoreAsItWas()) << stuck.bytes.size();
        EXPECT_EQ(slotsAsked(), std::vector<int>(5000, 0));
    }
}

TEST_F(DownloadTest, UnplugBeforeOrMidwayLeavesTheStoreAsItWas) {
    // Slots 0 to 5 hold records; slot 6 says the rest is empty. Pulled before the start, and
    // while the first, a middle and the very last reply is awaited.
    fill({0, 1, 2, 3, 4, 5});
    for (const std::size_t pulledAt : {0U, 1U, 4U, 7U}) {
        rig.tester.plugIn();
        preFill();
        if (pulledAt == 0) rig.tester.unplug();
        rig.events.setHook([this, pulledAt] {
            if (rig.tester.receivedCommands().size() == pulledAt) rig.tester.unplug();
        });
        download.ReadMeasurementData();
        EXPECT_TRUE(failedLeavingStoreAsItWas()) << pulledAt;
        EXPECT_EQ(rig.tester.receivedCommands().size(), pulledAt);
    }
    EXPECT_EQ(view.absent, 4);
}

TEST_F(DownloadTest, ClearEmptiesTheTesterAndAnEmptyDownloadKeepsTheUnsavedFlag) {
    for (const std::int16_t unsaved : {0, 1}) {
        fill({0, 17, 1000});
        store.RecordCount = 5;
        store.DataUnsaved = unsaved;
        rig.session.requests.COM_ERR = 1;
        download.ClearDeviceData();
        download.ReadMeasurementData();
        EXPECT_EQ(rig.session.requests.COM_ERR, 0);
        EXPECT_EQ(store.RecordCount, 0);
        EXPECT_EQ(store.DataUnsaved, unsaved);
    }
    // No tester: nothing is sent, and still no error.
    rig.tester.forgetReceivedCommands();
    rig.tester.unplug();
    rig.session.requests.COM_ERR = 1;
    download.ClearDeviceData();
    EXPECT_EQ(rig.session.requests.COM_ERR, 0);
    EXPECT_TRUE(rig.tester.receivedCommands().empty());
}

// ---- One reply, field by field ----

// A reply from byte 3 on; the record holds RFID bytes 01 to 08 and was taken 2013-02-28 11:20.
std::array<std::uint8_t, 64> reply(std::uint8_t status, const char* fromByte29) {
    std::array<std::uint8_t, 64> r{};
    const QByteArray bytes =
        QByteArray("1....\x01\x02\x03\x04\x05\x06\x07\x08", 13) + char(status) + "1302281120.." + fromByte29;
    std::copy(bytes.begin(), bytes.end(), r.begin() + 3);
    return r;
}

QString fields(const MeasurementRecord& r) {
    return QStringList{r.StatusFlags.text(), r.PumpRfid.text(), r.ManagementNo.text(), r.MeasureDate.text(),
                       r.MeasureTime.text(), r.FlowSetting.text(), r.FlowResult.text(), r.OcclusionSetting.text(),
                       r.OcclusionValue.text(), r.OcclusionResult.text()}
        .join(u'|');
}

TEST(RecordReplyTest, EveryFieldFollowsItsLayoutWithNumbersRightAligned) {
    const QString layout = QStringLiteral("|0807060504030201|          |2013/02/28|11:20   ");
    // Bytes 29 on: flow setting, flow result, level, occlusion value, occlusion result.
    const std::tuple<std::uint8_t, const char*, const char*> cases[] = {
        {143, "0150" "0995" "1" "053" "0532", "8F|150|  99.5|M| 53|    53.2"},
        {5, "0005" "1000" "7" "123" "0000", "05|  5| 100.0|L|123|     0.0"},
        {0, "0000" "0009" "0" "  7" "9999", "00|  0|   0.9|L|  7|   999.9"},
        {255, "0025" "0010" "2" "000" "0100", "FF| 25|   1.0|H|  0|    10.0"},
    };
    for (const auto& [status, bytes, expected] : cases)
        EXPECT_EQ(fields(recordFromReply(reply(status, bytes))), QString::fromLatin1(expected).insert(2, layout));
}

// Whatever bytes the date and time carry, the record saves and reads back as itself: a byte that
// is no character of its own, a line end, a comma or a blank would not, and shows as "?".
TEST(RecordReplyTest, GarbledDateAndTimeBytesStillSaveAndReadBackAsTheSameRecord) {
    const std::pair<std::uint8_t, QChar> bytes[] = {
        {0xB1, u'ｱ'}, {0x82, u'?'}, {0xFF, u'?'}, {'\r', u'?'}, {'\n', u'?'}, {',', u'?'},
        {0x00, u'?'}, {0x1B, u'?'}, {0x7F, u'?'}, {' ', u'?'},  {'7', u'7'}};
    for (const auto& [byte, shown] : bytes) {
        for (const std::size_t at : {17U, 22U, 23U, 26U}) {
            SCOPED_TRACE(::testing::Message() << "byte " << int(byte) << " at " << at);
            auto garbled = reply(143, "0150" "0995" "1" "053" "0532");
            garbled[at] = byte;
            RecordStore store;
            store.slot(0) = recordFromReply(garbled);
            store.RecordCount = 1;
            const QString text = store.slot(0).MeasureDate.text() + store.slot(0).MeasureTime.text();
            EXPECT_TRUE(text.contains(shown));
            const auto saved = csvBytes(store);
            ASSERT_TRUE(saved.has_value());
            const auto readBack = parseCsv(*saved);
            ASSERT_TRUE(readBack && readBack->size() == 1U);
            // Numbers come back left-aligned, so the columns are compared without their blanks.
            const auto columns = [](const MeasurementRecord& r) {
                QStringList texts = csvRecordLine(r).split(u',');
                for (QString& text : texts) text = text.trimmed();
                return texts.join(u'|').toStdString();
            };
            EXPECT_EQ(columns(readBack->front()), columns(store.slot(0)));
        }
    }
}

}  // namespace
}  // namespace torbex::data
