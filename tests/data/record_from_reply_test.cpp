// A record reply as the record's texts, and a download that replaces the store only whole.
#include <gtest/gtest.h>

#include "data/csv_format.h"
#include "data/record_download.h"
#include "data/record_from_reply.h"
#include "data/record_texts.h"
#include "support/sim_fixture.h"

namespace torbex::data {
namespace {

// Taken 2013-02-28 11:20, with an RFID whose byte order, case and leading zeros all show.
commands::RecordReply reply(std::uint8_t status, int flowSetting, int flowResult, char level, int value, int result) {
    return {{0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}, status, {'1', '3', '0', '2', '2', '8'}, {'1', '1', '2', '0'},
            flowSetting, flowResult, static_cast<std::uint8_t>(level), value, result};
}

TEST(RecordFromReply, FieldsMisplacedOrNumbersNotRightAlignedOrAGarbledByteBreaksTheSavedFile) {
    const std::pair<commands::RecordReply, const char*> cases[] = {
        {reply(0x8F, 150, 995, '1', 53, 532), "8f|150|  99.5|M| 53|    53.2"},
        {reply(5, 5, 1000, '7', 123, 0), "5|  5| 100.0|L|123|     0.0"},
        {reply(0xFF, 0, 9, '2', 7, 9999), "ff|  0|   0.9|H|  7|   999.9"},
    };
    for (const auto& [given, expected] : cases) {
        const MeasurementRecord r = recordFromReply(given);
        const QStringList fields{QString::number(r.status, 16), r.FlowSetting.text(),    r.FlowResult.text(),
                                 r.OcclusionSetting.text(),     r.OcclusionValue.text(), r.OcclusionResult.text()};
        EXPECT_EQ(fields.join(u'|').toStdString(), expected);
        EXPECT_EQ((r.PumpRfid.text() + r.ManagementNo.text() + r.MeasureDate.text() + r.MeasureTime.text()).toStdString(),
                  "0123456789ABCDEF          2013/02/2811:20   ");
        // The numbers as numbers, taken from the reply itself.
        EXPECT_EQ(r.values.flowResult, given.flowResult);
        EXPECT_EQ(r.values.date, QDate(2013, 2, 28));
    }
    EXPECT_EQ(measureDateText(QDate(9999, 12, 31)) + measureDateText(QDate(10000, 1, 1)), QStringLiteral("9999/12/31"));

    // A date or time byte the data file could not hold shows as "?": the record reads back the same, blanks aside.
    const std::pair<std::uint8_t, char16_t> bytes[] = {
        {0xB1, u'ｱ'}, {0xA1, u'｡'}, {0xDF, u'ﾟ'}, {0xA0, u'?'}, {0xE0, u'?'}, {0x82, u'?'}, {0xFF, u'?'}, {'\r', u'?'},
        {'\n', u'?'}, {',', u'?'},  {0x00, u'?'}, {0x1B, u'?'}, {0x7F, u'?'}, {' ', u'?'},  {'!', u'!'},  {'~', u'~'}};
    for (const auto& [byte, shown] : bytes) {
        commands::RecordReply garbled = reply(0x8F, 150, 995, '1', 53, 532);
        garbled.date[3] = garbled.time[0] = byte;
        const MeasurementRecord record = recordFromReply(garbled);
        EXPECT_EQ(QString(record.MeasureDate.text()[6]) + record.MeasureTime.text()[0], QString(2, shown)) << int{byte};
        const auto readBack = parseCsv(csvBytes(std::span(&record, 1)).value_or(QByteArray()));
        ASSERT_EQ(readBack ? readBack->size() : 0U, 1U) << int{byte};
        EXPECT_EQ(csvRecordLine(readBack->front()).remove(u' '), csvRecordLine(record).remove(u' ')) << int{byte};
    }
}

TEST(DownloadRecords, StoreChangedByAFailedDownloadOrUnsavedMarkWrong) {
    // Records on the tester, tester unplugged at the second; unsaved before, records and unsaved after.
    const std::tuple<bool, bool, bool, int, bool> cases[] = {{true, false, false, 2, true}, {false, false, false, 0, false},
        {false, false, true, 0, true}, {true, true, true, 1, true}, {true, true, false, 1, false}};
    for (const auto& [records, lost, unsavedBefore, count, unsavedAfter] : cases) {
        testing::SimulatedRig rig;
        if (records) rig.tester.state().slots[0] = rig.tester.state().slots[5] = sim::StoredRecord{.flowResult = 7};
        if (lost) rig.tester.state().faults.push_back({sim::FaultTarget::ReadRecord, sim::Fault::Unplug, 1, {}, {}});
        RecordStore store;  // one blank record, not yet saved or saved
        ASSERT_TRUE(store.replace(std::vector<MeasurementRecord>(1)));
        store.unsaved = unsavedBefore;
        commands::DownloadProgress progress;
        const commands::Outcome<int> downloaded = downloadRecords(rig.service, store, progress);
        EXPECT_EQ(downloaded ? downloaded.value() : -1, lost ? -1 : count) << records << lost << unsavedBefore;
        ASSERT_EQ(store.count(), count) << records << lost << unsavedBefore;
        EXPECT_EQ(store.unsaved, unsavedAfter) << records << lost << unsavedBefore;
        EXPECT_EQ(store.record(std::max(count, 1) - 1).FlowResult.text(), records && !lost ? u"   0.7" : u"      ");
    }
}

}  // namespace
}  // namespace torbex::data
