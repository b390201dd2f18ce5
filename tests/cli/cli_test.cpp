// The command-line tool run in-process against a simulated tester, and once as a real program.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
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

const QByteArray kScenario = R"({ "version": "V1.23   ", "serial": "SN000042", "coefficients": [0.95, 0.105, 0],
  "settings": { "flowRate": 70, "occlusionPressure": 67, "occlusionLevel": 1,
                "writeMode": 1, "rfidUse": 1, "displayUnits": 3 } })";

struct Outcome {
    int status = -1;
    QString out;
    QString err;
    QStringList outLines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
    QStringList errLines() const { return err.split(u'\n', Qt::SkipEmptyParts); }
};

class Cli : public ::testing::Test {
protected:
    QString writeScenario(const QByteArray& json, const QString& name = QStringLiteral("scenario.json")) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(json);
        return file.fileName();
    }

    Outcome run(QStringList arguments, const QByteArray& scenario = kScenario) {
        arguments.prepend(writeScenario(scenario));
        arguments.prepend(QStringLiteral("--simulate"));
        return runBare(arguments);
    }

    static Outcome runBare(const QStringList& arguments) {
        Outcome result;
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        result.status = cli::run(arguments, out, err);
        out.flush();
        err.flush();
        return result;
    }

    QTemporaryDir dir;
};

// The bytes of the first traced command with this code, as hex pairs.
QStringList tracedCommand(const Outcome& run, const QString& codeHex) {
    for (const QString& line : run.errLines()) {
        if (!line.startsWith(u"out: ")) continue;
        const QStringList bytes = line.mid(5).split(u' ');
        if (bytes.size() > 1 && bytes[1] == codeHex) return bytes;
    }
    return {};
}

TEST_F(Cli, InfoPrintsEveryHeldValueWithItsPattern) {
    const Outcome r = run({QStringLiteral("info")});
    ASSERT_EQ(r.status, kSuccess) << r.err.toStdString();
    const QStringList lines = r.outLines();
    for (const char* expected : {"version: V1.23   ", "serial: SN000042", "coefficient a0: 0.95", "coefficient a1: 0.105",
                                 "coefficient a2: 0.", "flow rate: 70 ml/h", "occlusion pressure: 67 kPa",
                                 "occlusion level: M", "write mode: 1", "RFID use: 1", "display units: 3"})
        EXPECT_TRUE(lines.contains(QString::fromLatin1(expected))) << expected << "\n" << r.out.toStdString();
}

TEST_F(Cli, InfoJsonIsValidJsonWithTheSameValues) {
    const Outcome r = run({QStringLiteral("info"), QStringLiteral("--json")});
    ASSERT_EQ(r.status, kSuccess) << r.err.toStdString();
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_EQ(root[u"version"].toString().toStdString(), "V1.23   ");
    EXPECT_EQ(root[u"serial"].toString().toStdString(), "SN000042");
    const QJsonArray coefficients = root[u"coefficients"].toArray();
    ASSERT_EQ(coefficients.size(), 3);
    EXPECT_EQ(coefficients[0].toString().toStdString(), "0.95");
    EXPECT_EQ(coefficients[1].toString().toStdString(), "0.105");
    EXPECT_EQ(coefficients[2].toString().toStdString(), "0.");
    const QJsonObject settings = root[u"settings"].toObject();
    EXPECT_EQ(settings[u"flowRate"].toDouble(), 70);
    EXPECT_EQ(settings[u"occlusionPressure"].toDouble(), 67);
    EXPECT_EQ(settings[u"occlusionLevel"].toInt(), 1);
    EXPECT_EQ(settings[u"writeMode"].toInt(), 1);
    EXPECT_EQ(settings[u"displayUnits"].toInt(), 3);
}

TEST_F(Cli, TraceWritesEachReportAsSixtyFourLowerCaseHexBytes) {
    const Outcome r = run({QStringLiteral("--trace"), QStringLiteral("info")});
    ASSERT_EQ(r.status, kSuccess) << r.err.toStdString();
    static const QRegularExpression format(QStringLiteral("^(out|in): [0-9a-f]{2}( [0-9a-f]{2}){63}$"));
    const QStringList lines = r.errLines();
    ASSERT_EQ(lines.size(), 6) << r.err.toStdString();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(format.match(lines[i]).hasMatch()) << lines[i].toStdString();
        EXPECT_TRUE(lines[i].startsWith(i % 2 == 0 ? u"out: " : u"in: ")) << lines[i].toStdString();
    }
}

TEST_F(Cli, SendSettingsSendsFlowLevelAndPressureAndKeepsTheTestersOtherSettings) {
    const Outcome r = run({QStringLiteral("--trace"), QStringLiteral("send-settings"), QStringLiteral("--flow"),
                           QStringLiteral("12.5"), QStringLiteral("--level"), QStringLiteral("H")});
    ASSERT_EQ(r.status, kSuccess) << r.err.toStdString();
    const QStringList bytes = tracedCommand(r, QStringLiteral("22"));
    ASSERT_EQ(bytes.size(), 64) << r.err.toStdString();
    EXPECT_EQ(bytes.mid(2, 4).join(u' ').toStdString(), "30 30 31 32");   // 12.5 halves to 12
    EXPECT_EQ(bytes.mid(10, 4).join(u' ').toStdString(), "30 31 30 37");  // level H's pressure
    EXPECT_EQ(bytes[14].toStdString(), "32");                             // level H
    // Write mode, RFID use and display units are not the tool's to change.
    EXPECT_EQ(bytes.mid(15, 3).join(u' ').toStdString(), "31 31 33");
}

TEST_F(Cli, FlowOutsideRangeIsRefusedWithTheRangeMessage) {
    const Outcome r = run({QStringLiteral("--trace"), QStringLiteral("send-settings"), QStringLiteral("--flow"),
                           QStringLiteral("4"), QStringLiteral("--level"), QStringLiteral("M")});
    EXPECT_EQ(r.status, kUsageError);
    EXPECT_TRUE(r.err.contains(commands::kFlowRateRangeMessage)) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(u"out: ")) << "the tester was addressed before the input was checked";
}

TEST_F(Cli, BadUsageGivesStatusOneAndTheUsage) {
    const QStringList cases[] = {
        {},
        {QStringLiteral("frobnicate")},
        {QStringLiteral("--simulate")},
        {QStringLiteral("info"), QStringLiteral("--flow"), QStringLiteral("12")},
        {QStringLiteral("--json"), QStringLiteral("info")},
        {QStringLiteral("send-settings"), QStringLiteral("--flow"), QStringLiteral("12")},
        {QStringLiteral("send-settings"), QStringLiteral("--flow"), QStringLiteral("12"), QStringLiteral("--level"),
         QStringLiteral("X"), QStringLiteral("--simulate"), writeScenario(kScenario)},
    };
    for (const QStringList& arguments : cases) {
        const Outcome r = runBare(arguments);
        EXPECT_EQ(r.status, kUsageError) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(u"usage: torbex-cli")) << r.err.toStdString();
    }
}

TEST_F(Cli, UnreadableScenarioGivesStatusThreeNamingTheProblem) {
    const struct { QByteArray json; const char* named; } cases[] = {
        {"{", "not valid JSON"},
        {R"({"serial": 5})", "serial"},
        {R"({"settings": {"flowRate": "fast"}})", "settings.flowRate"},
        {R"({"colour": "red"})", "colour"},
    };
    for (const auto& c : cases) {
        const Outcome r = run({QStringLiteral("info")}, c.json);
        EXPECT_EQ(r.status, kFileError) << c.json.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(c.named))) << r.err.toStdString();
    }
    const QString missing = dir.filePath(QStringLiteral("absent.json"));
    const Outcome r = runBare({QStringLiteral("--simulate"), missing, QStringLiteral("info")});
    EXPECT_EQ(r.status, kFileError);
    EXPECT_TRUE(r.err.contains(missing)) << r.err.toStdString();
}

TEST_F(Cli, ProgramExitsWithZeroForInfoAndSetClock) {
    const QString program = qEnvironmentVariable("TORBEX_CLI", QStringLiteral(TORBEX_CLI_PATH));
    const QString scenario = writeScenario(kScenario);
    for (const QString& command : {QStringLiteral("info"), QStringLiteral("set-clock")}) {
        QProcess process;
        process.start(program, {QStringLiteral("--simulate"), scenario, command});
        // A hang guard only; the simulated tester answers at once.
        ASSERT_TRUE(process.waitForFinished(60000)) << command.toStdString();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        if (command == u"info") {
            EXPECT_TRUE(process.readAllStandardOutput().contains("serial: SN000042"));
        }
    }
}

}  // namespace
}  // namespace torbex::cli
