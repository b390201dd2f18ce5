// Reports as an inspector gets them: the text a PDF reader finds and its pages (from poppler's
// pdftotext and pdfinfo, not pixels), and the JSON a maintenance system reads.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtCharts>

#include "report/json_export.h"
#include "report/pdf_report.h"
#include "report/report_records.h"
#include "report/trend_chart.h"

namespace torbex::report {
namespace {

// Record i: RFID ending in i, flow 99.5 % passed, occlusion by status; taken on 2024/03/0i.
data::MeasurementRecord record(int i, std::uint8_t status = 0x8F) {
    data::MeasurementRecord r;
    r.status = status;
    r.PumpRfid = QStringLiteral("080706050403%1").arg(i, 4, 10, QLatin1Char('0'));
    r.ManagementNo = QStringLiteral("管理-%1").arg(i);
    r.MeasureDate = QStringLiteral("2024/03/%1").arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
    r.MeasureTime = QStringLiteral("11:20");
    r.FlowSetting = QStringLiteral("150");
    r.FlowResult = QStringLiteral("  99.5");
    r.OcclusionSetting = QStringLiteral("M");
    r.OcclusionResult = QStringLiteral("    53.2");
    return r;
}

QString poppler(const QString& tool, const QString& pdf) {
    QProcess process;
    process.start(tool, tool == u"pdfinfo" ? QStringList{pdf} : QStringList{pdf, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(60000)) << tool.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(PdfReport, EveryRecordsTextIsThereWithTheSummaryOnPagesWithTheirNumbers) {
    QTemporaryDir folder;
    const QString small = folder.filePath(QStringLiteral("small.pdf")), large = folder.filePath(QStringLiteral("large.pdf"));
    const std::vector<data::MeasurementRecord> three{record(1), record(2, 0x83), record(3, 0x93)};
    const ReportContext context{QStringLiteral("TB000123"), QStringLiteral("tester"), QDateTime(QDate(2024, 3, 5), QTime(9, 7)), {}};
    ASSERT_TRUE(PdfReportWriter(context).writeFile(small, three));
    const QString text = poppler(QStringLiteral("pdftotext"), small);
    for (const char* expected : {"点検報告書", "TB000123", "2024/03/02", "2024/03/04", "2024/03/05 09:07", "tester", "0807060504030001",
                                 "0807060504030002", "0807060504030003", "管理-2", "点検者", "承認者", "1/1"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    // Flow: one passed, one failed, one error; occlusion: one passed, two failed.
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("流量\\s+1\\s+1\\s+1\\s+0")))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("閉塞\\s+1\\s+2\\s+0\\s+0")))) << text.toStdString();

    std::vector<data::MeasurementRecord> many;
    for (int i = 0; i < 1001; ++i) many.push_back(record(i));
    ASSERT_TRUE(PdfReportWriter(context).writeFile(large, many));
    const QString pages = poppler(QStringLiteral("pdfinfo"), large);
    EXPECT_TRUE(pages.contains(QRegularExpression(QStringLiteral("Pages:\\s+2[0-9]\\n")))) << pages.toStdString();
    EXPECT_TRUE(poppler(QStringLiteral("pdftotext"), large).contains(QStringLiteral("0807060504031000")));
}

TEST(PdfReport, PumpReportCarriesItsHistoryAndTrendChart) {
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("pump.pdf"));
    std::vector<history::StoredTest> tests;
    for (int month = 1; month <= 3; ++month)
        tests.push_back({QStringLiteral("TB000123"), QStringLiteral("00000000000000A1"), QStringLiteral("P-01"),
                         QStringLiteral("2024-0%1-10").arg(month), QStringLiteral("10:00"), 0x8F, 100, 990 + month, QStringLiteral("M"), 600});
    std::vector<data::MeasurementRecord> records;
    for (const auto& test : tests) records.push_back(recordOf(test));
    const ReportContext context{QStringLiteral("TB000123"), QStringLiteral("tester"), QDateTime::currentDateTime(),
                                PumpSection{QStringLiteral("00000000000000A1"), QStringLiteral("P-01"), tests}};
    ASSERT_TRUE(PdfReportWriter(context).writeFile(pdf, records));
    const QString text = poppler(QStringLiteral("pdftotext"), pdf);
    for (const char* expected : {"シリンジポンプ別", "00000000000000A1", "P-01", "試験回数：3", "99.3", "流量測定結果 (%)", "2024/03/10"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
}

// A single test gets an axis a day wide around it; each band is shaded across the whole axis
// between its limits, the occlusion band of the last test's level.
TEST(TrendChart, BandsSpanTheAxisAroundASingleTest) {
    const std::unique_ptr<QChart> chart(trendChart({{QStringLiteral("TB000123"), QStringLiteral("00000000000000A1"), QString(),
                                                     QStringLiteral("2024-03-10"), QStringLiteral("12:00"), 0x8F, 100, 995,
                                                     QStringLiteral("H"), 1000}}));
    const auto* time = qobject_cast<QDateTimeAxis*>(chart->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(time);
    const QDateTime at(QDate(2024, 3, 10), QTime(12, 0));
    EXPECT_TRUE(time->min() == at.addSecs(-12 * 3600) && time->max() == at.addSecs(12 * 3600)) << time->min().toString().toStdString();
    std::vector<std::pair<double, double>> bands;
    for (QAbstractSeries* series : chart->series()) {
        const auto* band = qobject_cast<QAreaSeries*>(series);
        if (!band) continue;
        const QList<QPointF> upper = band->upperSeries()->points(), lower = band->lowerSeries()->points();
        ASSERT_TRUE(upper.size() == 2 && lower.size() == 2) << band->name().toStdString();
        EXPECT_TRUE(upper[0].x() == time->min().toMSecsSinceEpoch() && upper[1].x() == time->max().toMSecsSinceEpoch() &&
                    lower[0].x() == upper[0].x() && lower[1].x() == upper[1].x());
        EXPECT_EQ(band->brush().color().alpha(), 40);  // the results stay readable through it
        bands.emplace_back(lower[0].y(), upper[1].y());
    }
    EXPECT_EQ(bands, (std::vector<std::pair<double, double>>{{95, 105}, {80, 133}}));
}

TEST(JsonExport, EveryRecordHasNamedFieldsWithUnitsAndVerdictWords) {
    data::MeasurementRecord unmeasured = record(2, 0x80);
    unmeasured.MeasureDate = QStringLiteral("20?4/03/02");  // a garbled date is no date
    unmeasured.ManagementNo = QStringLiteral("a\"b\\c\td\x01");  // a number read from a hand-edited CSV
    const std::vector<data::MeasurementRecord> records{record(1, 0x9B), unmeasured};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(JsonExportWriter({QStringLiteral("TB000123")}).write(buffer, records));
    const QJsonArray exported = QJsonDocument::fromJson(buffer.data())[u"records"].toArray();
    ASSERT_EQ(exported.size(), 2);
    EXPECT_EQ(QJsonDocument(exported[0].toObject()).toJson(QJsonDocument::Compact),
              QJsonDocument::fromJson(R"({"testerSerial": "TB000123", "rfid": "0807060504030001", "managementNumber": "管理-1",
                  "measuredAt": "2024-03-02T11:20",
                  "flow": {"setting": {"value": 150, "unit": "ml/h"}, "result": {"value": 99.5, "unit": "%"}, "verdict": "error"},
                  "occlusion": {"level": "M", "result": {"value": 53.2, "unit": "kPa"}, "verdict": "pass"}})")
                  .toJson(QJsonDocument::Compact));
    const QJsonObject second = exported[1].toObject();
    EXPECT_TRUE(second[u"measuredAt"].isNull() && second[u"flow"][u"result"].isNull() && second[u"testerSerial"].toString() == u"TB000123");
    EXPECT_EQ(second[u"occlusion"][u"verdict"].toString(), QStringLiteral("not measured"));
    EXPECT_EQ(second[u"managementNumber"].toString(), QStringLiteral("a\"b\\c\td\x01"));
}

}  // namespace
}  // namespace torbex::report
