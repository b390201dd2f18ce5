// What the window and the tool both do, against a real store.
#include <gtest/gtest.h>

#include "data/file_io.h"
#include "support/scratch_database.h"
#include "support/sim_fixture.h"
#include "workflow/data_files.h"
#include "workflow/download.h"

namespace torbex::workflow {
namespace {

using namespace Qt::Literals::StringLiterals;
using testing::Backend;

QByteArray heading() { return data::csvBytes({}).value(); }
const QByteArray kGood = "0807060504030201, A-1       , 2013/02/28, 11:20   , 150,   99.5, Pass, M,     53.2, Pass\r\n";

class Workflow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(store = db.open()); }
    QString file(const char* name, const QByteArray& bytes) const {
        const QString path = db.folder.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(data::writeFileAtomically(path, bytes));
        return path;
    }
    testing::ScratchDatabase db{Backend::Sqlite};
    std::unique_ptr<history::HistoryStore> store;
};

// Numbers come from the registry, except one the editor would refuse; the tests keep the tester's
// serial as read, without its padding; without a history the download stands alone.
TEST_F(Workflow, DownloadLosesNumbersOrSerialOrFillsAFormula) {
    testing::SimulatedRig rig;
    rig.tester.state().serial = QStringLiteral("TB01\u0000\u0000\u00FF ");
    for (int slot : {0, 1, 2})
        rig.tester.state().slots[static_cast<std::size_t>(slot)] =
            sim::StoredRecord{.rfid = QStringLiteral("000000000000000%1").arg(slot), .status = 0x8F, .date = u"240105"_s};
    ASSERT_TRUE(store->setManagementNumber(u"0000000000000000"_s, u"P-0"_s, history::ChangeSource::Tool));
    db.scalar(u"INSERT INTO pumps (rfid, management_no) VALUES ('0000000000000001', '=1+2')"_s);
    data::RecordStore records;
    commands::DownloadProgress progress;
    const Download done = download(rig.service, records, progress, store.get());
    ASSERT_EQ(done.downloaded ? done.downloaded.value() : -1, 3);
    EXPECT_EQ(std::tuple(done.recorded.testerSerial, done.recorded.numbersFilled, done.recorded.historyProblem),
              std::tuple(u"TB01"_s, 1, QString()));
    EXPECT_EQ(records.record(0).managementNumber() + u'|' + records.record(1).managementNumber(), u"P-0|"_s);
    const auto kept = store->tests({});
    ASSERT_EQ(kept ? kept.value().size() : 0U, 3U);
    EXPECT_EQ(kept.value().front().testerSerial, u"TB01"_s);

    data::RecordStore alone;
    const Download without = download(rig.service, alone, progress, nullptr, u"TB02 "_s);
    EXPECT_EQ(std::tuple(without.downloaded.ok(), without.recorded.testerSerial, alone.count()), std::tuple(true, u"TB02"_s, 3));
}

// Nothing of a set of files goes in while one of them is no data file as this program writes
// them; the refusal names the file, the line and why.
TEST_F(Workflow, ImportTakesWhatIsNoDataFileOrHalfASet) {
    const QString good = file("good.csv", heading() + kGood);
    const std::pair<QByteArray, QString> bad[] = {
        {"root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/usr/sbin/nologin\n", u"1|not the data file's heading"_s},
        {kGood + kGood, u"1|not the data file's heading"_s},
        {heading() + kGood + QByteArray(kGood).replace("0807060504030201", "08070605040302GG"), u"3|an RFID"_s},
        {heading() + QByteArray(kGood).replace("A-1      ", "=1+2     "), u"2|a management number"_s},
        {heading() + QByteArray(kGood).replace("A-1", QByteArray("A\0" "1", 3)), u"2|a management number"_s},
        {heading() + QByteArray(kGood).replace("2013/02/28", "2013/13/28"), u"2|a date"_s},
        {heading() + kGood.repeated(10002), u"0|too many records: a data file holds at most 10001"_s},
    };
    for (const auto& [bytes, expected] : bad) {
        const QString path = file("bad.csv", bytes);
        const auto checked = checkDataFiles({good, path});
        const auto* refusal = std::get_if<ImportRefusal>(&checked);
        ASSERT_TRUE(refusal) << expected.toStdString();
        EXPECT_EQ(refusal->path, path);
        EXPECT_TRUE((QString::number(refusal->line) + u'|' + refusal->why).startsWith(expected)) << refusal->why.toStdString();
    }
    EXPECT_EQ(store->testCount().value(), 0);

    const auto checked = checkDataFiles({good, good});
    ASSERT_TRUE(std::holds_alternative<std::vector<CheckedFile>>(checked));
    QStringList heard;
    EXPECT_EQ(importDataFiles(*store, std::get<std::vector<CheckedFile>>(checked),
                              [&heard](const CheckedFile& f, const history::ImportSummary& s) {
                                  heard << QStringLiteral("%1:%2").arg(f.records.size()).arg(s.added);
                              }),
              QString());
    EXPECT_EQ(heard, QStringList({u"1:1"_s, u"1:0"_s}));
    EXPECT_EQ(store->managementNumbers().value(), (std::map<QString, QString>{{u"0807060504030201"_s, u"A-1"_s}}));
}

// A file the window reads leniently teaches the registry only the numbers of lines in form, and
// says which it skipped; a file without the heading teaches nothing.
TEST_F(Workflow, LearningTakesNumbersOfLinesOutOfForm) {
    const QByteArray formula = QByteArray(kGood).replace("0201, A-1      ", "0202, =1+2     ");
    const QByteArray badRfid = QByteArray(kGood).replace("0807060504030201, A-1", "0807060504030203x, A-3");
    const QByteArray other = QByteArray(kGood).replace("0201, A-1", "0204, A-4");
    const DataFile read = readDataFile(file("mixed.csv", heading() + kGood + formula + badRfid + other));
    ASSERT_EQ(read.contents.records.size(), 4U);  // the window shows every line
    const LearnedNumbers learned = learnNumbers(*store, read.contents);
    EXPECT_EQ(learned.skipped, (std::vector<data::LineProblem>{{3, data::LineFault::ManagementNumber}, {4, data::LineFault::Rfid}}));
    EXPECT_EQ(store->managementNumbers().value(),
              (std::map<QString, QString>{{u"0807060504030201"_s, u"A-1"_s}, {u"0807060504030204"_s, u"A-4"_s}}));

    const DataFile headless = readDataFile(file("headless.csv", kGood + other));
    const LearnedNumbers none = learnNumbers(*store, headless.contents);
    ASSERT_FALSE(none.skipped.empty());
    EXPECT_EQ(none.skipped.front().fault, data::LineFault::Heading);
    EXPECT_EQ(store->audit(u"0807060504030204"_s).value().size(), 1U);
}

}  // namespace
}  // namespace torbex::workflow
