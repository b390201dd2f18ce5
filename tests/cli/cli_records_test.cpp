// The record commands of the command-line tool, run in-process against a simulated tester.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

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
    QString out, err;
};

class CliRecordsTest : public ::testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // Runs the tool against a tester holding `scenario`; `file` names a file in the test's folder.
    Outcome run(const char* command, const char* file = nullptr, const QByteArray& scenario = kScenario) const {
        QFile json(path("scenario.json"));
        EXPECT_TRUE(json.open(QIODevice::WriteOnly) && json.write(scenario) == scenario.size());
        json.close();
        QStringList arguments = QStringList{QStringLiteral("--simulate"), json.fileName()} +
                                QString::fromLatin1(command).split(u' ');
        if (file) arguments.append(path(file));
        Outcome result;
        QTextStream out(&result.out), err(&result.err);
        result.status = cli::run(arguments, out, err);
        out.flush();
        err.flush();
        return result;
    }

    QTemporaryDir dir;
};

TEST_F(CliRecordsTest, DownloadWritesTheSameFileAsTheWindow) {
    const Outcome r = run("download --out", "records.csv");
    ASSERT_EQ(r.status, kSuccess) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("3 records\n"));

    // The window's own path: download into a store, then save it.
    testing::SimulatedRig rig(*sim::parseScenario(kScenario).state);
    data::RecordStore store;
    data::DownloadView quiet;
    data::MeasurementDownload(rig.session.exchange, rig.session.requests, store, quiet).ReadMeasurementData();
    ASSERT_TRUE(data::WriteCsvFile(path("reference.csv"), store));
    EXPECT_EQ(contents(path("records.csv")), contents(path("reference.csv")));
}

TEST_F(CliRecordsTest, FailuresGiveTheirStatusAndWriteNoFile) {
    // A tester whose replies never advance counts as not connected.
    const Outcome stuck =
        run("download --out", "records.csv", R"({ "slots": [ { "slot": 0, "reply": "32 30 30 30 30" } ] })");
    EXPECT_EQ(stuck.status, kNoTester);
    EXPECT_FALSE(stuck.err.isEmpty());
    EXPECT_FALSE(QFile::exists(path("records.csv")));

    EXPECT_EQ(run("download --out", "no-folder/x.csv").status, kFileError);
    const Outcome missing = run("show", "missing.csv");
    EXPECT_EQ(missing.status, kFileError);
    EXPECT_TRUE(missing.err.contains(path("missing.csv"))) << missing.err.toStdString();
}

TEST_F(CliRecordsTest, ClearSucceedsOnlyWhenTheTesterAnswered) {
    const Outcome r = run("--trace clear");
    EXPECT_EQ(r.status, kSuccess) << r.err.toStdString();
    static const QRegularExpression sent(QStringLiteral("^out: [0-9a-f]{2} 55 "), QRegularExpression::MultilineOption);
    EXPECT_TRUE(r.err.contains(sent)) << r.err.toStdString();
    for (const char* kind : {"noAnswer", "writeFails"}) {
        const Outcome lost = run("clear", nullptr, QByteArray(R"({"faults": [{"on": "U", "kind": ")") + kind + R"("}]})");
        EXPECT_EQ(lost.status, kNoTester) << kind;
        EXPECT_TRUE(lost.err.contains(QStringLiteral("did not answer"))) << lost.err.toStdString();
    }
}

// Files that are no data file: refused with the reason, never read without end or hung on.
TEST_F(CliRecordsTest, ShowAndDownloadRefuseWhatIsNoRegularFileAndSayWhy) {
    QFile sparse(path("huge.csv"));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(40LL << 30));
    sparse.close();
    ASSERT_EQ(mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
    const std::pair<QString, const char*> unreadable[] = {
        {path("huge.csv"), "too large"}, {QStringLiteral("/dev/zero"), "not a regular file"},
        {path("fifo"), "not a regular file"}, {path("missing.csv"), "No such file"}};
    for (const auto& [file, reason] : unreadable) {
        Outcome r;
        QTextStream out(&r.out), err(&r.err);
        r.status = cli::run({QStringLiteral("show"), file}, out, err);
        err.flush();
        EXPECT_EQ(r.status, kFileError) << file.toStdString();
        EXPECT_TRUE(r.err.contains(file + QStringLiteral(": ") + QString::fromLatin1(reason))) << r.err.toStdString();
    }
    const Outcome fifo = run("download --out", "fifo");
    EXPECT_EQ(fifo.status, kFileError);
    EXPECT_TRUE(fifo.err.contains(QStringLiteral("not a regular file"))) << fifo.err.toStdString();
    EXPECT_FALSE(QFileInfo(path("fifo")).isFile());
}

// A data file may hold anything; the listing must not act on the terminal or split its columns.
TEST_F(CliRecordsTest, ShowEscapesControlCharactersAndTabs) {
    QFile file(path("odd.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("heading\r\n0807060504030201, A\tB\x1B[2J\x01, 2013/02/28\r\n");
    file.close();
    const Outcome r = run("show", "odd.csv");
    ASSERT_EQ(r.status, kSuccess) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("\tA\\tB\\x1b[2J\\x01")) && !r.out.contains(u'\x1B')) << r.out.toStdString();
}

// A full disk: the tool reports failure with the reason and the old file stays byte for byte.
TEST_F(CliRecordsTest, ProgramOnAFullDiskExitsThreeAndKeepsTheOldFile) {
    const QByteArray old = "an older data file\r\n";
    QFile target(path("keep.csv"));
    ASSERT_TRUE(target.open(QIODevice::WriteOnly) && target.write(old) == old.size());
    target.close();
    QFile json(path("scenario.json"));
    ASSERT_TRUE(json.open(QIODevice::WriteOnly) && json.write(kScenario) == kScenario.size());
    json.close();
    QProcess process;
    process.setChildProcessModifier([] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{200, 200};
        setrlimit(RLIMIT_FSIZE, &limit);
    });
    process.start(QStringLiteral(TORBEX_CLI_PATH), {QStringLiteral("--simulate"), json.fileName(),
                                                    QStringLiteral("download"), QStringLiteral("--out"), target.fileName()});
    ASSERT_TRUE(process.waitForFinished(60000));  // a hang guard only
    EXPECT_EQ(process.exitCode(), kFileError);
    EXPECT_TRUE(process.readAllStandardError().contains("File too large"));
    EXPECT_EQ(contents(target.fileName()), old);
}

// What the grid holds after the file is read back: error bits are not in the file, the
// occlusion result comes back left-aligned and the flow setting keeps its file form.
TEST_F(CliRecordsTest, ShowListsTheGridCellsAsTextOrJsonWithJudgementColours) {
    ASSERT_EQ(run("download --out", "records.csv").status, kSuccess);
    const QStringList rows{
        QStringLiteral("   1\t0807060504030201\t          \t2013/02/28\t11:20\t150\t  99.5\tM\t53.2    "),
        QStringLiteral("   2\t\t          \t2024/01/01\t09:05\t5  \t 100.0\tL\t-----"),
        QStringLiteral("   3\t00000000000000FF\t          \t2000/00/00\t00:00\t25 \t-----\tH\t999.9   "),
    };
    const Outcome text = run("show", "records.csv");
    ASSERT_EQ(text.status, kSuccess) << text.err.toStdString();
    EXPECT_EQ(text.out, rows.join(u'\n') + u'\n');

    const Outcome json = run("show --json", "records.csv");
    ASSERT_EQ(json.status, kSuccess) << json.err.toStdString();
    const QJsonArray records = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(records.size(), 3) << json.out.toStdString();
    // 143: both passed; 17: flow measured and failed; 130: occlusion measured and failed.
    const std::pair<const char*, const char*> colours[] = {{"black", "black"}, {"red", "normal"}, {"normal", "red"}};
    for (qsizetype i = 0; i < 3; ++i) {
        const QJsonObject record = records[i].toObject();
        EXPECT_EQ(record[u"cells"].toVariant().toStringList().join(u'\t'), rows[i]);
        EXPECT_EQ(record[u"flowColour"].toString(), QString::fromLatin1(colours[i].first)) << i;
        EXPECT_EQ(record[u"occlusionColour"].toString(), QString::fromLatin1(colours[i].second)) << i;
    }
}

}  // namespace
}  // namespace torbex::cli
