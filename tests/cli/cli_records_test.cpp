// The record commands of the command-line tool, run in-process against a simulated tester.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include "cli/cli_app.h"
#include "data/csv_codec.h"
#include "data/measurement_download.h"
#include "sim/scenario.h"
#include "support/sim_fixture.h"

namespace torbex::cli {
namespace {

// Records in slots 0, 1 and 7 (the empty slots between are skipped).
const QByteArray kScenario = R"({ "slots": [
  { "slot": 0, "rfid": "0807060504030201", "status": 143, "date": "130228", "time": "1120",
    "flowSetting": 150, "flowResult": 995, "occlusionLevel": 1, "occlusionValue": 53, "occlusionResult": 532 },
  { "slot": 1, "status": 17, "date": "240101", "time": "0905", "flowSetting": 5, "flowResult": 1000 },
  { "slot": 7, "rfid": "00000000000000FF", "status": 130, "flowSetting": 25, "occlusionLevel": 2,
    "occlusionResult": 9999 } ] })";

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

class CliRecordsTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QString writeFile(const char* name, const QByteArray& bytes) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    static QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    Outcome run(QStringList arguments, const QByteArray& scenario = kScenario) const {
        arguments = QStringList{QStringLiteral("--simulate"), writeFile("scenario.json", scenario)} + arguments;
        Outcome result;
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        result.status = cli::run(arguments, out, err);
        out.flush();
        err.flush();
        return result;
    }
    // The file the window's own path (download, then save) writes for the scenario.
    QByteArray referenceFile(const QByteArray& scenario) const {
        const sim::ScenarioResult parsed = sim::parseScenario(scenario);
        EXPECT_TRUE(parsed.state.has_value()) << parsed.error.toStdString();
        testing::SimulatedRig rig(*parsed.state);
        data::RecordStore store;
        data::DownloadView quiet;
        data::MeasurementDownload(rig.session.exchange, rig.session.requests, store, quiet).ReadMeasurementData();
        EXPECT_EQ(rig.session.requests.COM_ERR, 0);
        EXPECT_TRUE(data::WriteCsvFile(path("reference.csv"), store));
        return contents(path("reference.csv"));
    }

    QTemporaryDir dir;
};

TEST_F(CliRecordsTest, DownloadWritesTheSameFileAsTheWindow) {
    const Outcome r = run({QStringLiteral("download"), QStringLiteral("--out"), path("records.csv")});
    ASSERT_EQ(r.status, kSuccess) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("3 records\n"));
    const QByteArray written = contents(path("records.csv"));
    EXPECT_EQ(written, referenceFile(kScenario));
    EXPECT_EQ(written.count("\r\n"), 4);
}

TEST_F(CliRecordsTest, TesterThatNeverAdvancesGivesStatusTwoAndNoFile) {
    const Outcome r = run({QStringLiteral("download"), QStringLiteral("--out"), path("records.csv")},
                          R"({ "slots": [ { "slot": 0, "reply": "32 30 30 30 30" } ] })");
    EXPECT_EQ(r.status, kNoTester);
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_FALSE(QFile::exists(path("records.csv")));
}

TEST_F(CliRecordsTest, ClearSendsTheClearCommand) {
    const Outcome r = run({QStringLiteral("--trace"), QStringLiteral("clear")});
    EXPECT_EQ(r.status, kSuccess) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(QRegularExpression(QStringLiteral("^out: [0-9a-f]{2} 55 "),
                                                  QRegularExpression::MultilineOption)))
        << r.err.toStdString();
}

TEST_F(CliRecordsTest, UsageAndFileErrors) {
    const Outcome noOut = run({QStringLiteral("download")});
    EXPECT_EQ(noOut.status, kUsageError);
    const Outcome missing = run({QStringLiteral("show"), path("missing.csv")});
    EXPECT_EQ(missing.status, kFileError);
    EXPECT_TRUE(missing.err.contains(path("missing.csv"))) << missing.err.toStdString();
    const Outcome unwritable = run({QStringLiteral("download"), QStringLiteral("--out"), path("no-folder/x.csv")});
    EXPECT_EQ(unwritable.status, kFileError);
}

class CliShowTest : public CliRecordsTest {
protected:
    CliShowTest() {
        EXPECT_EQ(run({QStringLiteral("download"), QStringLiteral("--out"), path("records.csv")}).status, kSuccess);
    }
    // What the grid holds after the file is read back: error bits are not in the file, the
    // occlusion result comes back left-aligned and the flow setting keeps its file form.
    const QStringList rows{
        QStringLiteral("   1\t0807060504030201\t          \t2013/02/28\t11:20\t150\t  99.5\tM\t53.2    "),
        QStringLiteral("   2\t\t          \t2024/01/01\t09:05\t5  \t 100.0\tL\t-----"),
        QStringLiteral("   3\t00000000000000FF\t          \t2000/00/00\t00:00\t25 \t-----\tH\t999.9   "),
    };
};

TEST_F(CliShowTest, ListingHoldsTheGridCellsSeparatedByTabs) {
    const Outcome r = run({QStringLiteral("show"), path("records.csv")});
    ASSERT_EQ(r.status, kSuccess) << r.err.toStdString();
    EXPECT_EQ(r.out, rows.join(u'\n') + u'\n');
}

TEST_F(CliShowTest, JsonGivesCellsAndJudgementColours) {
    const Outcome r = run({QStringLiteral("show"), path("records.csv"), QStringLiteral("--json")});
    ASSERT_EQ(r.status, kSuccess) << r.err.toStdString();
    QJsonParseError error;
    const QJsonArray records = QJsonDocument::fromJson(r.out.toUtf8(), &error).array();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    ASSERT_EQ(records.size(), 3);
    // 143: both passed; 17: flow measured and failed; 130: occlusion measured and failed.
    const std::pair<const char*, const char*> colours[] = {{"black", "black"}, {"red", "normal"}, {"normal", "red"}};
    for (qsizetype i = 0; i < 3; ++i) {
        const QJsonObject record = records[i].toObject();
        QStringList cells;
        for (const QJsonValue& cell : record[u"cells"].toArray()) cells.append(cell.toString());
        EXPECT_EQ(cells.join(u'\t'), rows[i]);
        EXPECT_EQ(record[u"flowColour"].toString(), QString::fromLatin1(colours[i].first)) << i;
        EXPECT_EQ(record[u"occlusionColour"].toString(), QString::fromLatin1(colours[i].second)) << i;
    }
}

}  // namespace
}  // namespace torbex::cli
