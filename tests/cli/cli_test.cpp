// The command-line tool run in-process against a simulated tester, and once as a real program.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include "cli/cli_app.h"
#include "commands/settings_transfer.h"

namespace torbex::cli {
namespace {

QStringList words(const char* text) { return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts); }

struct Outcome {
    int status = -1;
    QString out, err;
};

class Cli : public ::testing::Test {
protected:
    Cli() {
        QFile file(scenario);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(R"({ "version": "V1.23   ", "serial": "SN000042", "coefficients": [0.95, 0.105, 0],
            "settings": { "flowRate": 70, "occlusionPressure": 67, "occlusionLevel": 1,
                          "writeMode": 1, "rfidUse": 1, "displayUnits": 3 } })");
    }
    Outcome run(const QStringList& arguments, bool simulate = true) const {
        Outcome result;
        QTextStream out(&result.out), err(&result.err);
        result.status = cli::run(simulate ? QStringList{QStringLiteral("--simulate"), scenario} + arguments : arguments,
                                 out, err);
        out.flush();
        err.flush();
        return result;
    }

    QTemporaryDir dir;
    const QString scenario = dir.filePath(QStringLiteral("scenario.json"));
};

TEST_F(Cli, InfoPrintsEveryHeldValueAsTextOrJson) {
    const Outcome text = run(words("info"));
    ASSERT_EQ(text.status, kSuccess) << text.err.toStdString();
    EXPECT_EQ(text.out.toStdString(), "version: V1.23   \nserial: SN000042\n"
                                      "coefficient a0: 0.95\ncoefficient a1: 0.105\ncoefficient a2: 0.\n"
                                      "flow rate: 70 ml/h\naverage count: 0\nmeasure count: 0\n"
                                      "occlusion pressure: 67 kPa\nocclusion level: M\n"
                                      "write mode: 1\nRFID use: 1\ndisplay units: 3\n");

    const Outcome json = run(words("info --json"));
    ASSERT_EQ(json.status, kSuccess) << json.err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8()), QJsonDocument::fromJson(R"({
        "version": "V1.23   ", "serial": "SN000042", "coefficients": ["0.95", "0.105", "0."],
        "settings": { "flowRate": 70, "averageCount": 0, "measureCount": 0, "occlusionPressure": 67,
                      "occlusionLevel": 1, "writeMode": 1, "rfidUse": 1, "displayUnits": 3 } })"))
        << json.out.toStdString();
}

// A setting outside the lists is shown as the digit it is, and goes back to the tester as it was.
TEST_F(Cli, InfoShowsAndSendSettingsSendsBackTheTestersOwnDigits) {
    QFile file(scenario);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(R"({"settings": {"occlusionLevel": 3, "writeMode": 7, "rfidUse": 5, "displayUnits": 9}})");
    file.close();
    const Outcome info = run(words("info"));
    ASSERT_EQ(info.status, kSuccess) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains(QStringLiteral("occlusion level: 3\nwrite mode: 7\nRFID use: 5\ndisplay units: 9\n")))
        << info.out.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run(words("info --json")).out.toUtf8())[u"settings"].toObject();
    EXPECT_EQ(json[u"occlusionLevel"].toInt() * 1000 + json[u"writeMode"].toInt() * 100 + json[u"rfidUse"].toInt() * 10 +
                  json[u"displayUnits"].toInt(), 3759);

    const Outcome sent = run(words("--trace send-settings --flow 20 --level L"));
    ASSERT_EQ(sent.status, kSuccess) << sent.err.toStdString();
    EXPECT_TRUE(sent.err.contains(QStringLiteral(" 22 30 30 32 30 30 30 30 30 30 30 34 30 30 37 35 39 00 ")))
        << sent.err.toStdString();
}

// Each report as 64 lower-case hex bytes; send-settings sends the flow rate (12.5 halves to 12),
// level H with its pressure, and write mode, RFID use and display units as the tester had them.
TEST_F(Cli, TraceShowsEveryReportAndSendSettingsKeepsTheTestersOtherSettings) {
    const Outcome r = run(words("--trace send-settings --flow 12.5 --level H"));
    ASSERT_EQ(r.status, kSuccess) << r.err.toStdString();
    static const QRegularExpression format(QStringLiteral("^(out|in): [0-9a-f]{2}( [0-9a-f]{2}){63}$"));
    const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << r.err.toStdString();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(format.match(lines[i]).hasMatch()) << lines[i].toStdString();
        EXPECT_TRUE(lines[i].startsWith(i % 2 == 0 ? u"out: " : u"in: ")) << lines[i].toStdString();
    }
    EXPECT_TRUE(lines[2].contains(QStringLiteral(" 22 30 30 31 32 30 30 30 30 30 31 30 37 32 31 31 33 00 ")))
        << lines[2].toStdString();
}

TEST_F(Cli, BadInputGivesStatusOneBeforeTheTesterIsAddressedAndAMissingFileThree) {
    const QString usage = QStringLiteral("usage: torbex-cli");
    const std::pair<const char*, QString> cases[] = {
        {"", usage}, {"frobnicate", usage}, {"--simulate", usage}, {"info --flow 12", usage},
        {"--json info", usage}, {"send-settings --flow 12", usage}, {"download", usage},
        {"send-settings --flow 12 --level X", usage},
        {"send-settings --flow 4 --level M", commands::kFlowRateRangeMessage},
    };
    for (const auto& [arguments, said] : cases) {
        const Outcome r = run(words("--trace") + words(arguments));
        EXPECT_EQ(r.status, kUsageError) << arguments;
        EXPECT_TRUE(r.err.contains(said)) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(u"out: ")) << "the tester was addressed before the input was checked";
    }
    const QString missing = dir.filePath(QStringLiteral("absent.json"));
    const Outcome r = run(QStringList{QStringLiteral("--simulate"), missing, QStringLiteral("info")}, false);
    EXPECT_EQ(r.status, kFileError);
    EXPECT_TRUE(r.err.contains(missing)) << r.err.toStdString();
}

TEST_F(Cli, ProgramExitsWithZeroForInfoAndSetClock) {
    for (const char* command : {"info", "set-clock"}) {
        QProcess process;
        process.start(qEnvironmentVariable("TORBEX_CLI", QStringLiteral(TORBEX_CLI_PATH)),
                      {QStringLiteral("--simulate"), scenario, QString::fromLatin1(command)});
        ASSERT_TRUE(process.waitForFinished(60000)) << command;  // a hang guard only
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        EXPECT_EQ(process.readAllStandardOutput().contains("serial: SN000042"), *command == 'i');
    }
}

// Every version read lost gives status 2; info needs only the first one answered.
TEST_F(Cli, ProgramMeetsTheFaultsOfItsScenario) {
    const std::pair<const char*, int> cases[] = {{R"({"on": "D9", "kind": "noAnswer"})", 2},
                                                 {R"({"on": "D9", "kind": "noAnswer", "after": 1})", 0}};
    for (const auto& [fault, status] : cases) {
        QFile file(dir.filePath(QStringLiteral("faults.json")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(R"({"faults": [)") + fault + "]}");
        file.close();
        QProcess process;
        process.start(qEnvironmentVariable("TORBEX_CLI", QStringLiteral(TORBEX_CLI_PATH)),
                      {QStringLiteral("--simulate"), file.fileName(), QStringLiteral("info")});
        ASSERT_TRUE(process.waitForFinished(60000)) << fault;  // a hang guard only
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), status) << fault << process.readAllStandardError().toStdString();
    }
}

}  // namespace
}  // namespace torbex::cli
