// The built tool as the operator runs it: exit statuses, a full disk and Ctrl-C.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

#include "cli/cli_app.h"
#include "data/file_io.h"
#include "support/pdf_text.h"

namespace torbex::cli {
namespace {

using namespace Qt::Literals::StringLiterals;

class CliProgram : public ::testing::Test {
protected:
    QByteArray contents(const char* name) const {
        return data::readRegularFile(dir.filePath(QLatin1String(name)), data::kMaxDataFileBytes).bytes;
    }
    // Starts the tool on a tester described by `scenario`; "@" in the arguments is this test's folder.
    void start(QProcess& process, const QByteArray& scenario, const char* arguments) const {
        ASSERT_TRUE(data::writeFileAtomically(dir.filePath(QStringLiteral("scenario.json")), scenario));
        QStringList list{QStringLiteral("--simulate"), dir.filePath(QStringLiteral("scenario.json"))};
        for (QString word : QString::fromLatin1(arguments).split(u' ')) list << word.replace(u'@', dir.path() + u'/');
        process.start(QStringLiteral(TORBEX_CLI_PATH), list);
    }

    QTemporaryDir dir;
};

// Standard error is a pipe: no progress line. A 200-byte limit is a full disk; "not ready" for 5 s leaves time for
// Ctrl-C, which cancels a download and ends the tool at once at any other time (-SIGINT: killed by it).
TEST_F(CliProgram, WrongExitStatusOrMessageOrFileLeftDamaged) {
    ASSERT_TRUE(data::writeFileAtomically(dir.filePath(QStringLiteral("keep.csv")), "old"));
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"{}", "set-clock", kSuccess, ""}, {"{}", "clear", kSuccess, ""}, {"{}", "download --out @new.csv", kSuccess, ""},
        {R"({"faults": [{"on": "U", "kind": "noAnswer"}]})", "clear", kNoTester, "records may not be cleared"},
        {R"({"slots": [{"slot": 0}, {"slot": 7}]})", "download --out @keep.csv", kFileError, "keep.csv: File too large"},
        {R"({"slots": [{"slot": 0}], "faults": [{"on": "D10", "kind": "notReady"}]})", "--trace download --out @none.csv",
         kInterrupted, "torbex-cli: interrupted\ntorbex-cli: no file written\n"},
        {R"({"faults": [{"on": "U", "kind": "noAnswer"}]})", "--trace clear", -SIGINT, "out: "},  // ends at once
    };
    for (const auto& [scenario, arguments, status, message] : cases) {
        QProcess process;
        process.setReadChannel(QProcess::StandardError);
        process.setChildProcessModifier([fullDisk = status == kFileError] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{200, 200};
            if (fullDisk) setrlimit(RLIMIT_FSIZE, &limit);
        });
        start(process, scenario, arguments);
        if (status == kInterrupted || status == -SIGINT) {  // Ctrl-C once the trace shows the tester addressed
            ASSERT_TRUE(process.waitForReadyRead(60000));
            ASSERT_EQ(::kill(static_cast<pid_t>(process.processId()), SIGINT), 0);
        }
        ASSERT_TRUE(process.waitForFinished(60000));  // a tester that stops answering takes three seconds
        const QByteArray err = process.readAllStandardError();
        const int exit = process.exitStatus() == QProcess::CrashExit ? -process.exitCode() : process.exitCode();
        EXPECT_EQ(exit, status) << arguments << ": " << err.right(300).toStdString();
        EXPECT_TRUE(*message ? err.contains(message) : err.isEmpty()) << err.right(300).toStdString();
    }
    EXPECT_EQ(contents("keep.csv"), "old");
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none.csv"))));
}

// Reports and exports of a data file, of a pump's history and of every test, in a database of this
// test's own. Standard output that takes nothing (a full disk, a reader that went away) is a failed
// write like any other: told, with status 3, never a success with the output cut short.
TEST_F(CliProgram, ReportsAndExportsMissRecordsOrFailedStandardOutputPassesForSuccess) {
    const QByteArray scenario = R"({"slots": [{"slot": 0, "rfid": "00000000000000A1", "status": 143, "date": "240105"},
                                   {"slot": 1, "rfid": "00000000000000B2", "status": 131, "date": "240320"}]})";
    const auto run = [&](const char* arguments) {
        QProcess process;
        start(process, scenario, QByteArray("--database @h.sqlite ").append(arguments).constData());
        EXPECT_TRUE(process.waitForFinished(60000));
        return std::pair(process.exitCode(), QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError()));
    };
    ASSERT_EQ(run("download --out @records.csv").first, kSuccess);
    const std::pair<const char*, QString> made[] = {
        {"report @records.csv --out @file.pdf", QStringLiteral("2 records\n")}, {"report --all --out @all.pdf", QStringLiteral("2 records\n")},
        {"report --rfid 00000000000000b2 --out @pump.pdf", QStringLiteral("1 records\n")},
        {"export --since 2024-03-01 --out @since.json", QStringLiteral("1 records\n")},
        {"export @records.csv --out @file.json", QStringLiteral("2 records\n")}, {"export --all --out @all.json", QStringLiteral("2 records\n")},
        {"report --all @records.csv --out @x.pdf", QStringLiteral("name one of")}, {"export --since 2024-13-01 --out @x.json", QStringLiteral("yyyy-MM-dd")},
        {"export --since 2024-01-01x --out @x.json", QStringLiteral("yyyy-MM-dd")},
        {"registry set 00000000000000B2 P-2", QString()}, {"report --rfid P-2 --out @pump.pdf", QStringLiteral("1 records\n")},
        {"due --within 3650 --out @due.pdf", QStringLiteral("2 pumps\n")},
        {"report @records.csv --lang en --out @en.pdf", QStringLiteral("2 records\n")},
        {"report @records.csv --lang fr --out @x.pdf", QStringLiteral("--lang takes ja or en")},
        {"due --within 3650 --lang en --out @due-en.pdf", QStringLiteral("2 pumps\n")}};
    for (const auto& [arguments, said] : made) EXPECT_TRUE(run(arguments).second.contains(said)) << arguments;
    EXPECT_TRUE(testing::pdfText(dir.filePath(u"due.pdf"_s)).contains(u"点検予定表"_s));
    EXPECT_TRUE(testing::pdfText(dir.filePath(u"en.pdf"_s)).contains(u"Inspection Report"_s));
    EXPECT_TRUE(testing::pdfText(dir.filePath(u"due-en.pdf"_s)).contains(u"Inspection worklist"_s));
    for (const char* pdf : {"file.pdf", "all.pdf", "pump.pdf", "due.pdf"}) {
        const QString found = testing::pdfText(dir.filePath(QLatin1String(pdf)));
        for (const char* part : {"00000000000000B2", *pdf == 'p' ? "TB000123" : "00000000000000A1"})
            EXPECT_TRUE(found.contains(QLatin1String(part))) << pdf << ": " << found.toStdString();
    }
    EXPECT_TRUE(contents("since.json").contains(R"("rfid": "00000000000000B2", "managementNumber": null, "measuredAt": "2024-03-20T00:00")"));

    for (const char* arguments : {"--database @h.sqlite history --json", "--database @h.sqlite history", "show @records.csv"}) {
        for (const bool closedPipe : {false, true}) {
            QProcess process;
            if (closedPipe) {
                // A reader that is gone before the tool writes: `true` reads nothing and ends.
                QStringList words{QStringLiteral("-c"), QStringLiteral("\"$@\" | true; exit ${PIPESTATUS[0]}"),
                                  QStringLiteral("bash"), QStringLiteral(TORBEX_CLI_PATH)};
                for (QString word : QString::fromLatin1(arguments).split(u' ')) words << word.replace(u'@', dir.path() + u'/');
                process.start(QStringLiteral("bash"), words);
            } else {
                process.setStandardOutputFile(QStringLiteral("/dev/full"));
                start(process, "{}", arguments);
            }
            ASSERT_TRUE(process.waitForFinished(60000));
            const QByteArray err = process.readAllStandardError();
            EXPECT_EQ(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, kFileError) << arguments;
            EXPECT_TRUE(err.contains(closedPipe ? "cannot write standard output: " : "No space left on device"))
                << arguments << ": " << err.toStdString();
        }
    }
}

}  // namespace
}  // namespace torbex::cli
