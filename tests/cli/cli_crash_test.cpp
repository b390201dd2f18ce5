// The real tool killed at any moment of a download: the data file it replaces must still hold the
// old records whole or the new ones whole, never a part, and must never go missing.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace torbex::cli {
namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

TEST(CliCrash, KilledDownloadLeavesTheOldOrTheNewFileWhole) {
    QTemporaryDir dir;
    const QString scenario = dir.filePath(QStringLiteral("full.json"));
    const QString out = dir.filePath(QStringLiteral("F.csv"));
    QJsonArray slots;  // every slot of the tester holds a record
    for (int slot = 0; slot <= 1000; ++slot)
        slots.append(QJsonObject{{QStringLiteral("slot"), slot}, {QStringLiteral("status"), 143},
                                 {QStringLiteral("rfid"), QStringLiteral("%1").arg(slot, 16, 16, QLatin1Char('0'))},
                                 {QStringLiteral("date"), QStringLiteral("240305")},
                                 {QStringLiteral("flowSetting"), 5 + slot % 146},
                                 {QStringLiteral("flowResult"), slot}});
    writeBytes(scenario, QJsonDocument(QJsonObject{{QStringLiteral("slots"), slots}}).toJson());

    const QByteArray oldFile = "an older data file\r\n";
    const QStringList arguments{QStringLiteral("--simulate"), scenario, QStringLiteral("download"),
                                QStringLiteral("--out"), out};
    QProcess undisturbed;
    QElapsedTimer timer;
    timer.start();
    undisturbed.start(QStringLiteral(TORBEX_CLI_PATH), arguments);
    ASSERT_TRUE(undisturbed.waitForFinished(120000));  // a hang guard only
    const qint64 runMs = timer.elapsed();
    ASSERT_EQ(undisturbed.readAllStandardOutput(), "1001 records\n")
        << undisturbed.readAllStandardError().toStdString();
    const QByteArray newFile = fileBytes(out);

    constexpr int kKills = 25;
    for (int kill = 0; kill < kKills; ++kill) {
        const qint64 delayMs = runMs * 12 * kill / (10 * (kKills - 1));  // 0 to 120 % of a run
        writeBytes(out, oldFile);
        QProcess process;
        process.start(QStringLiteral(TORBEX_CLI_PATH), arguments);
        QThread::msleep(static_cast<unsigned long>(delayMs));
        process.kill();
        ASSERT_TRUE(process.waitForFinished(120000));
        const QByteArray left = fileBytes(out);
        EXPECT_TRUE(left == oldFile || left == newFile)
            << "killed after " << delayMs << " ms: " << left.size() << " bytes";
    }
}

}  // namespace
}  // namespace torbex::cli
