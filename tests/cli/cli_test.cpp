// The command-line tool run in-process against a simulated tester.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTextStream>

#include "cli/cli_app.h"
#include "cli/record_listing.h"
#include "data/csv_format.h"
#include "data/file_io.h"
#include "history/system_user.h"
#include "workflow/shared_texts.h"

namespace torbex::cli {
namespace {

using namespace Qt::Literals::StringLiterals;

// Settings no list of the window holds, a version with an escape sequence, records in slots 0, 1, 7.
const QByteArray kTester = R"({"version": "V1\u001b[2J  ", "settings": {"occlusionLevel": 3, "writeMode": 7,
  "rfidUse": 5, "displayUnits": 9}, "slots": [{"slot": 0, "rfid": "0807060504030201", "status": 143, "date": "240102", "time": "0930", "flowSetting": 150,
  "flowResult": 995, "occlusionResult": 532}, {"slot": 1, "status": 17, "date": "240101", "flowSetting": 5,
  "flowResult": 1000}, {"slot": 7, "status": 130, "date": "240103", "flowSetting": 25, "occlusionLevel": 2, "occlusionResult": 9999}]})";

class Cli : public ::testing::Test {
protected:
    // Runs the tool on a tester given by `scenario`, into `out` and `err`; "@" is this test's folder.
    int run(const QString& arguments, const QByteArray& scenario = kTester, bool terminal = false) {
        EXPECT_TRUE(data::writeFileAtomically(dir.filePath(QStringLiteral("scenario.json")), scenario));
        QStringList list{QStringLiteral("--simulate"), dir.filePath(QStringLiteral("scenario.json"))};
        for (QString word : arguments.split(u' ', Qt::SkipEmptyParts)) list << word.replace(u'@', dir.path() + u'/');
        out = err = QString();
        QTextStream outStream(&out), errStream(&err);  // flushed into the texts as they go out of scope
        return cli::run(list, {outStream, errStream, terminal});
    }

    QTemporaryDir dir;
    QString out, err;
};

// Results and help on standard output, the rest on standard error; no tester talk before the line is right.
TEST_F(Cli, WrongStatusOrMessageForTheCommandLine) {
    ASSERT_TRUE(data::writeFileAtomically(dir.filePath(QStringLiteral("bad.csv")), "heading\r\n\x81\x7F\r\n"));
    const std::tuple<const char*, int, QString> cases[] = {
        {"--help", kSuccess, u"\n  download --out FILE.csv                download every record"_s},
        {"info --help", kSuccess, u"[--trace] info [--json]\n\nshow the tester's version"_s},
        {"-h", kSuccess, u"\n  download --out FILE.csv                download every record"_s},
        {"--version", kSuccess, u"torbex-cli 1."_s}, {"frobnicate", kUsageError, u"unknown command: frobnicate"_s},
        {"", kUsageError, u"no command given"_s}, {"download", kUsageError, u"download needs --out"_s},
        {"download --out=@no/x.csv", kFileError, u"cannot write @no/x.csv"_s},
        {"-- download", kUsageError, u"download needs --out"_s},
        {"--bogus info", kUsageError, u"unknown option: --bogus"_s}, {"info --flow 12", kUsageError, u"unknown option: --flow"_s},
        {"info --json=1", kUsageError, u"--json takes no value"_s}, {"download --out", kUsageError, u"--out needs a value"_s},
        {"info x", kUsageError, u"wrong number of arguments"_s}, {"set-clock x", kUsageError, u"wrong number"_s},
        {"clear x", kUsageError, u"wrong number"_s}, {"show @a @b", kUsageError, u"wrong number"_s},
        {"download --out @a b", kUsageError, u"wrong"_s}, {"due x", kUsageError, u"wrong"_s}, {"audit x", kUsageError, u"wrong"_s},
        {"backup --out @b x", kUsageError, u"wrong"_s}, {"restore", kUsageError, u"wrong"_s}, {"restore @a @b", kUsageError, u"wrong"_s},
        {"import", kUsageError, u"wrong"_s}, {"report @a @b --out @r.pdf", kUsageError, u"wrong"_s},
        {"export @a @b", kUsageError, u"wrong"_s}, {"registry set a b c", kUsageError, u"wrong"_s}, {"history x", kUsageError, u"wrong"_s},
        {"model set a b c --interval 1", kUsageError, u"wrong"_s}, {"send-settings --flow 5 --level L x", kUsageError, u"wrong"_s},
        {"send-settings --flow 12 --level X", kUsageError, u"--level must be L, M or H"_s},
        {"send-settings --flow 12 --level LM", kUsageError, u"--level must be L, M or H"_s},
        {"send-settings --flow 4.9 --level M", kUsageError, workflow::texts::kFlowRateRange},
        {"show @absent.csv", kFileError, u"cannot read @absent.csv: No such file or directory"_s},
        {"show @a\x1b[2J.csv", kFileError, u"cannot read @a\\x1b[2J.csv: "_s},
        {"show @bad.csv", kFileError, u"cannot read @bad.csv: not a data file"_s},
        {"download --out @no/x.csv", kFileError, u"cannot write @no/x.csv: No such file or directory"_s},
        {"--simulate @absent.json info", kFileError, u"@absent.json: No such file or directory"_s},
    };
    for (const auto& [arguments, status, message] : cases) {
        EXPECT_EQ(run(QStringLiteral("--trace ") + QString::fromLatin1(arguments)), status) << arguments;
        EXPECT_TRUE((status == kSuccess ? out : err).contains(QString(message).replace(u'@', dir.path() + u'/')))
            << (out + err).toStdString();
        EXPECT_TRUE(status == kFileError || !err.contains(u"out: ")) << arguments << ": the tester was addressed";
        EXPECT_TRUE(status != kSuccess || err.isEmpty()) << arguments;
    }
}

TEST_F(Cli, RawSettingsHiddenByInfoOrNotSentBackAsRead) {
    run(QStringLiteral("info"));
    EXPECT_EQ(out.toStdString(), "version: V1.[2J  \nserial: TB000123\ncoefficient a0: 0.95\ncoefficient a1: 0.105\n"
                                 "coefficient a2: 0.\nflow rate: 70 ml/h\naverage count: 0\nmeasure count: 0\nocclusion "
                                 "pressure: 67 kPa\nocclusion level: 3\nwrite mode: 7\nRFID use: 5\ndisplay units: 9\n");
    run(QStringLiteral("info --json"));
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8()).toJson(QJsonDocument::Compact).toStdString(),
              R"({"coefficients":["0.95","0.105","0."],"serial":"TB000123","settings":{"averageCount":0,"displayUnits":9,)"
              R"("flowRate":70,"measureCount":0,"occlusionLevel":3,"occlusionPressure":67,"rfidUse":5,"writeMode":7},)"
              R"("version":"V1\u001b[2J  "})");
    run(QStringLiteral("info"), R"({"settings": {"occlusionLevel": 0}})");
    EXPECT_TRUE(out.contains(u"level: L\n"));
    // Only the flow rate and the level are the operator's; the rest goes back as the tester sent it.
    EXPECT_EQ(run(QStringLiteral("--trace send-settings --flow 20 --level h")), kSuccess);
    EXPECT_TRUE(err.contains(u"\nout: 02 22 30 30 32 30 30 30 30 30 30 31 30 37 32 37 35 39 00 ")) << err.toStdString();
}

// Entries are checked as the window's editor checks them; a history that cannot be opened is status 4.
TEST_F(Cli, HistoryCommandsWrongStatusOrMessage) {
    ASSERT_TRUE(data::writeFileAtomically(dir.filePath(QStringLiteral("file")), "x"));
    ASSERT_TRUE(data::writeFileAtomically(dir.filePath(QStringLiteral("empty.csv")), *data::csvBytes({})));
    const std::tuple<const char*, int, QString> cases[] = {
        {"registry set 0807060504030201 =1+1", kUsageError, workflow::texts::kManagementNumberFormula},
        {"registry set 0807060504030201 A,1", kUsageError, workflow::texts::kManagementNumberCharacters},
        {"registry set 08070605 A-1", kUsageError, u"16 hexadecimal digits"_s},
        {"registry get 0807060504030201 A-1", kUsageError, u"or: set RFID"_s},
        {"registry set 0807060504030201 A-1 B", kUsageError, u"wrong number"_s},
        {"history --rfid 08070605040302zz", kUsageError, u"16 hexadecimal digits"_s},
        {"registry set 0807060504030201 ABCDEFGHIJK", kUsageError, workflow::texts::kManagementNumberLength},
        {"registry set 0807060504030201 -001", kSuccess, QString()},
        {"import", kUsageError, u"wrong number"_s}, {"import @absent.csv", kFileError, u"cannot import @absent.csv"_s},
        {"import @file", kFileError, u"@file: line 1: not the data file's heading"_s},
        {"registry set 0807060504030201", kUsageError, u"a number or a field to set"_s},
        {"registry set 0807060504030201 --status gone", kUsageError, u"--status must be in-service or retired"_s},
        {"registry set 0807060504030201 --notes \x01", kUsageError, u"--notes holds a control character"_s},
        {"registry set 0807060504030201 --maker 12345678901234567890123456789012345678901234567890123456789012345",
         kUsageError, u"--maker holds at most 64 characters"_s},
        {"registry show P-404", kUsageError, u"no pump has the RFID or management number P-404"_s},
        {"model set M X --interval 6.5", kUsageError, u"--interval takes whole months"_s},
        {"model set M X --interval 121", kUsageError, u"--interval takes whole months"_s},
        {"due --within x", kUsageError, u"--within takes whole days"_s},
        {"restore @file", kUsageError, u"give --yes"_s}, {"restore @file --yes", kFileError, u"not a torbex history"_s},
        {"--database postgres://db/x backup --out @b", kUsageError, u"pg_dump"_s},
        {"--database @file/h.sqlite history", kHistoryUnavailable, u"history unavailable: "_s},
        {"--database @file/h.sqlite registry set 0807060504030201 A-1", kHistoryUnavailable, u"history unavailable: "_s},
        {"--database @file/h.sqlite import @empty.csv", kHistoryUnavailable, u"history unavailable: "_s},
    };
    for (const auto& [arguments, status, message] : cases) {
        EXPECT_EQ(run(QStringLiteral("--database @h.sqlite ") + QString::fromLatin1(arguments)), status) << arguments;
        EXPECT_TRUE(err.contains(message) || err.contains(QString(message).replace(u'@', dir.path() + u'/')))
            << err.toStdString();
    }
}

// A download keeps its tests with the tester's serial; its file takes the registry's numbers and is
// listed as the grid shows it read back (no error bits, results left-aligned), progress on a terminal
// only. An import reports a file's other number and keeps the registry's; no history costs no download.
TEST_F(Cli, DownloadOrImportLosesTestsOrNumbersOrListsTheFileOtherwiseThanTheGrid) {
    ASSERT_EQ(run(QStringLiteral("--database @h.sqlite registry set 0807060504030201 P-1")), kSuccess);
    ASSERT_EQ(run(QStringLiteral("--database @h.sqlite download --out @d.csv"), kTester, true), kSuccess);
    EXPECT_EQ(out, QStringLiteral("3 records\n"));
    EXPECT_EQ(err.toStdString(), "\rslot 1 of 1001, 1 records\rslot 2 of 1001, 2 records\rslot 7 of 1001, 2 records"
                                 "\rslot 8 of 1001, 3 records\rslot 1001 of 1001, 3 records\n");
    run(QStringLiteral("show @d.csv"));
    EXPECT_EQ(out.toStdString(), "   1\t0807060504030201\tP-1       \t2024/01/02\t09:30\t150\t  99.5\tL\t53.2    \n"
                                 "   2\t\t          \t2024/01/01\t00:00\t5  \t 100.0\tL\t-----\n"
                                 "   3\t0000000000000000\t          \t2024/01/03\t00:00\t25 \t-----\tH\t999.9   \n");
    run(QStringLiteral("show --json @d.csv"));
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8()).array().size(), 3);
    EXPECT_EQ(out.count(u"\"red\""), 2);  // flow on the second record, occlusion on the third
    EXPECT_EQ(out.count(u"\"black\""), 2);
    ASSERT_EQ(run(QStringLiteral("--database @h.sqlite history")), kSuccess);
    EXPECT_EQ(out.toStdString(), "2024/01/01\t00:00\t--\t--\tTB000123\t5\t100.0\tError\tL\t--\t--\n"
                                 "2024/01/02\t09:30\t0807060504030201\tP-1\tTB000123\t150\t99.5\tPass\tL\t53.2\tPass\n"
                                 "2024/01/03\t00:00\t0000000000000000\t--\tTB000123\t25\t--\t--\tH\t999.9\tFail\n");
    QByteArray file = data::readRegularFile(dir.filePath(QStringLiteral("d.csv")), 4096).bytes;
    ASSERT_TRUE(data::writeFileAtomically(dir.filePath(QStringLiteral("e.csv")), file.replace("P-1", "P-9")));
    ASSERT_EQ(run(QStringLiteral("--database @h.sqlite import @e.csv")), kSuccess);
    EXPECT_EQ(out, dir.filePath(u"e.csv: 0 tests added\n0807060504030201: registry P-1, file P-9\n1 files, 0 tests added\n"_s));
    ASSERT_EQ(run(QStringLiteral("--database @h.sqlite registry")), kSuccess);
    EXPECT_EQ(out.toStdString(), "0000000000000000\t--\t1\t2024-01-03\t--\tFail\t2025-01-03\n"
                                 "0807060504030201\tP-1\t1\t2024-01-02\tPass\tPass\t2025-01-02\n");
    ASSERT_EQ(run(QStringLiteral("--database @h.sqlite history --json --rfid 0807060504030201")), kSuccess);
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8())[u"records"][0][u"flow"][u"result"][u"value"].toDouble(), 99.5);

    ASSERT_EQ(run(QStringLiteral("--database @d.csv/h.sqlite download --out @f.csv")), kSuccess);
    EXPECT_TRUE(err.contains(u"warning: history unavailable: ")) << err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("f.csv"))));
}

// A pump is named by its number too; its model's interval sets its due date, and every change is
// audited. A backup brings back what a later change replaced.
TEST_F(Cli, RegisterCommandsLoseDetailsOrDueDatesOrTheBackup) {
    const auto ok = [this](const char* arguments) {
        EXPECT_EQ(run(QStringLiteral("--database @h.sqlite ") + QLatin1String(arguments)), kSuccess) << arguments << err.toStdString();
        return out;
    };
    ok("download --out @d.csv");
    ok("registry set 0807060504030201 P-1 --maker M1 --model X --department ICU --location 3F");
    ok("model set M1 X --interval 6");
    EXPECT_EQ(ok("model"), u"M1\tX\t6\n"_s);
    EXPECT_EQ(QJsonDocument::fromJson(ok("model --json").toUtf8())[0][u"intervalMonths"].toInt(), 6);
    EXPECT_EQ(QJsonDocument::fromJson(ok("registry show P-1 --json").toUtf8())[u"due"].toString(), u"2024-07-02"_s);
    EXPECT_EQ(QJsonDocument::fromJson(ok("registry --json").toUtf8())[1][u"location"].toString(), u"3F"_s);
    EXPECT_EQ(QJsonDocument::fromJson(ok("due --json --within 0").toUtf8()).array().size(), 2);
    EXPECT_EQ(QJsonDocument::fromJson(ok("audit --json").toUtf8())[4][u"new"].toString(), u"3F"_s);
    ok("registry export --out @r.csv");
    QByteArray sheet = data::readRegularFile(dir.filePath(u"r.csv"_s), 4096).bytes;
    EXPECT_TRUE(sheet.contains("\r\n0807060504030201,P-1,M1,X,,ICU,3F,in-service,6,\r\n")) << sheet.toStdString();
    ASSERT_TRUE(data::writeFileAtomically(dir.filePath(u"r.csv"_s), sheet.replace("ICU", "HCU") + "0807060504030299,=1\r\n"));
    EXPECT_EQ(run(u"--database @h.sqlite registry import @r.csv"_s), kFileError);
    EXPECT_TRUE(err.contains(u"r.csv: line 4: 2 cells, not 10"_s)) << err.toStdString();
    EXPECT_TRUE(ok("registry show P-1").contains(u"\ndepartment: ICU\n"_s));
    EXPECT_TRUE(ok("due --within 0 --department icu").startsWith(u"2024-07-02\tP-1\t0807060504030201\tICU\t3F\tM1\tX\t2024-01-02\tPass\n"_s)) << out.toStdString();
    EXPECT_TRUE(ok("audit --rfid P-1").endsWith(u"\tlocation\t--\t3F\t"_s + history::systemUserName() + u"\ttool\n"_s)) << out.toStdString();
    EXPECT_EQ(out.count(u'\n'), 5);
    ok("due --within 0 --out @due.csv");
    EXPECT_TRUE(data::readRegularFile(dir.filePath(u"due.csv"_s), 4096).bytes.contains("\r\n2024-07-02,P-1,0807060504030201,ICU,3F,M1,X,2024-01-02,Pass\r\n"));
    ok("backup --out @b.sqlite");
    ok("registry set 0807060504030201 --department Ward");
    EXPECT_TRUE(ok("restore @b.sqlite --yes").contains(u"h.sqlite.before-restore-"_s));
    EXPECT_TRUE(ok("registry show P-1").contains(u"\ndepartment: ICU\n"_s)) << out.toStdString();
}

// A data file may hold anything; the listing must neither split its columns nor act on the terminal.
TEST(RecordListing, TabOrControlCharacterReachesTheTerminal) {
    data::RecordStore store;
    ASSERT_TRUE(store.replace(std::vector<data::MeasurementRecord>(1)));
    store.record(0).ManagementNo = QStringLiteral("A\tB\x1b\x01\x7f\u0085\u00a0管ｱ");
    EXPECT_TRUE(recordListing(store).startsWith(u"   1\t\tA\\tB\\x1b\\x01\\x7f\\x85\u00a0管ｱ\t"));
}

}  // namespace
}  // namespace torbex::cli
