// Reports as an inspector gets them: the text a PDF reader finds and where on its pages (from
// poppler's pdftotext, not pixels), the trend drawn into them, and the JSON a maintenance system reads.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRectF>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>

#include "data/file_io.h"
#include "data/record_texts.h"
#include "report/cmms_export.h"
#include "report/json_export.h"
#include "report/page_plan.h"
#include "report/pdf_report.h"
#include "report/trend_data.h"
#include "workflow/language.h"
#include "report/support/report_fixture.h"
#include "support/pdf_text.h"

namespace torbex::report {
namespace {

using data::TestsWritten;

struct Word {
    QString text;
    QRectF box;
};

// Each page's words with the boxes pdftotext finds them in.
std::vector<std::vector<Word>> wordsByPage(const QString& pdf) {
    static const QRegularExpression item(
        QStringLiteral(R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re"));
    std::vector<std::vector<Word>> pages;
    for (const QString& page : testing::pdfText(pdf, {QStringLiteral("-bbox")}).split(QStringLiteral("<page ")).mid(1)) {
        std::vector<Word>& words = pages.emplace_back();
        for (const QRegularExpressionMatch& m : item.globalMatch(page))
            words.push_back({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                                   QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    }
    return pages;
}

// Every word on its page inside the margins and clear of every other; the page number "n/N"
// lowest. The words of each page.
std::vector<std::vector<Word>> expectLaidOut(const QString& pdf) {
    const auto words = wordsByPage(pdf);
    const QRectF inside(39, 39, 595 - 78, 842 - 78);
    for (std::size_t page = 0; page < words.size(); ++page) {
        QString footer;  // the page number, alone below everything else
        double lowest = 0;
        for (const Word& word : words[page]) {
            EXPECT_TRUE(inside.contains(word.box)) << page + 1 << ' ' << word.text.toStdString();
            if (word.box.top() > 785) footer += word.text;
            else lowest = std::max(lowest, word.box.bottom());
            for (const Word& other : words[page]) {
                const QRectF overlap = word.box.intersected(other.box);
                EXPECT_TRUE(&word == &other || overlap.width() * overlap.height() < 1)
                    << page + 1 << ' ' << word.text.toStdString() << " on " << other.text.toStdString();
            }
        }
        EXPECT_EQ(footer, QStringLiteral("%1/%2").arg(page + 1).arg(words.size()));
        EXPECT_LT(lowest, 785) << "page " << page + 1;
    }
    return words;
}

TEST(PdfReport, EveryRecordsTextIsThereWithTheSummaryOnPagesWithTheirNumbers) {
    QTemporaryDir folder;
    const QString small = folder.filePath(QStringLiteral("small.pdf")), large = folder.filePath(QStringLiteral("large.pdf"));
    const ReportContext context{QStringLiteral("tester"), QDateTime(QDate(2024, 3, 5), QTime(9, 7)), {}, {}};
    EXPECT_EQ(writeReport(small, {record(1), record(2, 0x83), record(3, 0x93)}, {QStringLiteral("TB000123")}, context).tests, 3);
    EXPECT_EQ(expectLaidOut(small).size(), 1U);
    const QString text = testing::pdfText(small);  // the words themselves are in the reviewed pictures
    // Flow: one passed, one failed, one error; occlusion: one passed, two failed.
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("流量\\s+1\\s+1\\s+1\\s+0")))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("閉塞\\s+1\\s+2\\s+0\\s+0")))) << text.toStdString();

    // Tests of two testers name none; every page numbered, the signatures under the last record.
    std::vector<data::MeasurementRecord> many;
    for (int i = 0; i < 1001; ++i) many.push_back(record(i));
    EXPECT_EQ(writeReport(large, many, {QStringLiteral("TB1"), QStringLiteral("TB2")}, context).tests, 1001);
    const auto pages = expectLaidOut(large);
    ASSERT_EQ(pages.size(), 20U);  // 43 rows on the first page, 52 on each later one
    std::map<QString, QRectF> last;
    for (const Word& word : pages.back()) last[word.text] = word.box;
    ASSERT_TRUE(last.contains(QStringLiteral("0807060504031000")));
    EXPECT_GT(last[QStringLiteral("点検者")].top(), last[QStringLiteral("0807060504031000")].bottom());
    EXPECT_GT(last[QStringLiteral("承認者")].left(), 595 / 2);  // the approver signs on the right half
    const QString largeText = testing::pdfText(large);
    EXPECT_TRUE(largeText.contains(QStringLiteral("点検報告書（続き）")));
    EXPECT_TRUE(largeText.contains(QStringLiteral("s/n：―"))) << largeText.left(400).toStdString();
    EXPECT_EQ(largeText.count(QStringLiteral("測定時刻")), 20);  // the table's heading on every page
}

// In English, whose words run longer, every word still stands on its page apart from the others,
// and no Japanese of the program's own is left.
TEST(PdfReport, EnglishWordsRunIntoEachOtherOrOffThePage) {
    ASSERT_TRUE(workflow::installProgramTexts(*QCoreApplication::instance(), workflow::Language::English));
    QTemporaryDir folder;
    std::vector<data::MeasurementRecord> tests{record(1), record(2, 0x83), record(3, 0x93)};
    for (auto& test : tests) test.ManagementNo = QStringLiteral("P-1");
    const PumpSection pump{tests[0].PumpRfid.text(), QStringLiteral("P-1"), tests, QStringLiteral("M1"), QStringLiteral("X-9"),
                           QStringLiteral("S-7"), QStringLiteral("ICU"), QStringLiteral("3F"), QDate(2024, 10, 10)};
    for (const std::optional<PumpSection>& section : {std::optional<PumpSection>(), std::optional(pump)}) {
        const QString pdf = folder.filePath(section ? QStringLiteral("pump.pdf") : QStringLiteral("file.pdf"));
        writeReport(pdf, tests, {QStringLiteral("TB000123")}, {QStringLiteral("Sato"), QDateTime::currentDateTime(), section, {}});
        EXPECT_EQ(expectLaidOut(pdf).size(), 1U);
        const QString text = testing::pdfText(pdf);
        EXPECT_TRUE(text.contains(QStringLiteral("Inspection Report"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"))))
            << text.toStdString();
    }
    for (QTranslator* english : QCoreApplication::instance()->findChildren<QTranslator*>()) QCoreApplication::removeTranslator(english);
}

// The pages of a report on many pumps: a pump's band goes with its first test, never alone at a
// page's foot. (The pump and many-pump reports themselves are in the reviewed pictures.)
TEST(PagePlan, BandEndsAPageOrSignaturesLoseTheirPage) {
    // Rows of 10 under a page 100 high; a band of 25. Pump B's band would end page 1 alone.
    const PageSpace space{0, 0, 100, 10, 25, 30};
    const std::vector<PumpRun> runs{{QStringLiteral("A"), 6, {}}, {QStringLiteral("B"), 3, {}}};
    const PagePlan plan = planPages(space, 9, runs);
    EXPECT_EQ(plan.breaks, std::vector<int>{6});
    EXPECT_EQ(plan.pages, 2);
    EXPECT_FALSE(plan.signaturesOnOwnPage);
    // Tests that arrived after the runs were counted get no band.
    EXPECT_EQ(planPages(space, 12, runs).breaks, std::vector<int>{6});
    // Without bands ten rows fill the page, and the signatures need one of their own.
    const PagePlan plain = planPages(space, 10, {});
    EXPECT_TRUE(plain.breaks.empty());
    EXPECT_TRUE(plain.signaturesOnOwnPage);
    EXPECT_EQ(plain.pages, 2);
    // A band taller than a page still goes with its first row.
    EXPECT_EQ(planPages({0, 0, 100, 10, 95, 0}, 2, runs).breaks, std::vector<int>{1});
}

// A single test gets an axis two weeks wide around it; a test without a date is left out; the
// occlusion band is the last level's; unmeasured results are not drawn.
TEST(Trend, AxisBandsOrPointsWrong) {
    data::MeasurementRecord single = record(9), undated = record(1, 0x8D);
    single.OcclusionSetting = QStringLiteral("H");
    single.values = data::valuesOfTexts(single);
    undated.MeasureDate = QStringLiteral("20?4/03/02");
    undated.values = data::valuesOfTexts(undated);
    const Trend trend = trendOf(std::vector{single, undated}, QDateTime());
    const QDateTime at(QDate(2024, 3, 10), QTime(11, 20));
    EXPECT_EQ(trend.firstMs, at.addDays(-7).toMSecsSinceEpoch());
    EXPECT_EQ(trend.lastMs, at.addDays(7).toMSecsSinceEpoch());
    EXPECT_EQ(trend.occlusionBand, (Band{80, 133}));
    EXPECT_EQ(occlusionBand(data::OcclusionLevel::M), (Band{53, 80}));
    EXPECT_EQ(trend.flow.size() + trend.occlusion.size(), 2U);
    EXPECT_EQ(trend.occlusion.at(0).level, data::OcclusionLevel::H);
    const data::MeasurementRecord later = [] {
        data::MeasurementRecord r = record(27, 0x8D);  // 2024/03/28, occlusion not measured
        r.OcclusionSetting = QStringLiteral("L");
        r.values = data::valuesOfTexts(r);
        return r;
    }();
    const Trend two = trendOf(std::vector{single, later}, QDateTime());
    EXPECT_EQ(std::tuple(two.firstMs, two.lastMs, two.occlusion.size()),
              std::tuple(at.toMSecsSinceEpoch(), at.addDays(18).toMSecsSinceEpoch(), 1U));
    EXPECT_EQ(two.occlusionBand, (Band{27, 53}));
    const Trend week = trendOf(std::vector{single, record(16)}, QDateTime());  // a week apart: two weeks around them
    EXPECT_EQ(std::pair(week.firstMs, week.lastMs),
              std::pair(at.addSecs(-84 * 3600).toMSecsSinceEpoch(), at.addSecs(252 * 3600).toMSecsSinceEpoch()));
}

// Every test one object with named fields; numbers as the values they are, whatever the texts.
TEST(JsonExport, FieldsUnitsVerdictWordsOrNumbersWrong) {
    data::MeasurementRecord unmeasured = record(2, 0x80);
    unmeasured.MeasureDate = QStringLiteral("20?4/03/02");  // a garbled date is no date
    unmeasured.ManagementNo = QStringLiteral("a\"b\\c\td\x01 e");  // a number read from a hand-edited CSV
    unmeasured.values = data::valuesOfTexts(unmeasured);
    data::MeasurementRecord signs = record(3, 0x83);
    signs.FlowResult = QStringLiteral("  -1.5");
    signs.OcclusionResult = QStringLiteral("00.5");
    signs.values = data::valuesOfTexts(signs);
    const std::vector<data::MeasurementRecord> records{record(1, 0x9B), unmeasured, signs};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    data::RecordsSource source(records, QStringLiteral("TB000123"));
    const auto lookup = [](const QString& rfid) {
        return rfid.endsWith(u'1') ? std::optional(RegisterEntry{QStringLiteral("M1"), QStringLiteral("X"), {}, QStringLiteral("ICU"),
                                                                 QStringLiteral("3\"F"), true})
                                   : std::nullopt;
    };
    EXPECT_EQ(writeJsonExport(buffer, source, QDateTime::currentDateTime(), lookup).tests, 3);
    const QJsonArray exported = QJsonDocument::fromJson(buffer.data())[u"records"].toArray();
    ASSERT_EQ(exported.size(), 3);
    EXPECT_EQ(QJsonDocument(exported[0].toObject()).toJson(QJsonDocument::Compact),
              QJsonDocument::fromJson(R"({"testerSerial": "TB000123", "rfid": "0807060504030001", "managementNumber": "管理-1",
                  "measuredAt": "2024-03-02T11:20",
                  "flow": {"setting": {"value": 150, "unit": "ml/h"}, "result": {"value": 99.5, "unit": "%"}, "verdict": "error"},
                  "occlusion": {"level": "M", "result": {"value": 53.2, "unit": "kPa"}, "verdict": "pass"}, "overallVerdict": "error",
                  "pump": {"maker": "M1", "model": "X", "serial": null, "department": "ICU", "location": "3\"F", "status": "retired"}})")
                  .toJson(QJsonDocument::Compact));
    const QJsonObject second = exported[1].toObject();
    EXPECT_EQ(std::tuple(second[u"measuredAt"].isNull(), second[u"flow"][u"result"].isNull(), second[u"testerSerial"].toString()),
              std::tuple(true, true, QStringLiteral("TB000123")));
    EXPECT_EQ(second[u"occlusion"][u"verdict"].toString(), QStringLiteral("not measured"));
    EXPECT_TRUE(second[u"pump"].isNull());
    EXPECT_EQ(second[u"managementNumber"].toString(), QStringLiteral("a\"b\\c\td\x01 e"));
    EXPECT_TRUE(buffer.data().contains(R"("a\"b\\c\td\u0001 e")"));  // escaped as JSON asks, no more
    EXPECT_EQ(exported[2][u"flow"][u"result"][u"value"].toDouble(), -1.5);
    EXPECT_EQ(exported[2][u"occlusion"][u"result"][u"value"].toDouble(), 0.5);
    EXPECT_EQ(buffer.data().count("\"value\": 100.0,") + buffer.data().count("\"value\": -1.5,"), 1);

    // An export larger than a block of text comes out whole.
    const std::vector<data::MeasurementRecord> many(1001, record(1));
    QBuffer large;
    large.open(QIODevice::WriteOnly);
    data::RecordsSource all(many);
    EXPECT_EQ(writeJsonExport(large, all, QDateTime::currentDateTime()).tests, 1001);
    EXPECT_EQ(QJsonDocument::fromJson(large.data())[u"records"].toArray().size(), 1001);
}

// A row per test of a pump, read back by a spreadsheet as written: a byte-order mark, cells that
// would run as formulas kept as text, separators quoted; the next due date from the model's interval.
TEST(CmmsExport, RowsLostMisquotedOrRunAsFormulas) {
    data::MeasurementRecord noPump = record(2);
    noPump.PumpRfid = QString();
    noPump.values = data::valuesOfTexts(noPump);
    const std::vector<data::MeasurementRecord> records{record(1, 0x8B), noPump, record(3, 0x9F)};
    data::RecordsSource source(records, QStringLiteral("TB\"1"));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const auto pumpOf = [](const QString& rfid) {
        return rfid.endsWith(u'1') ? PumpOnRecord{QStringLiteral("=cmd"), QStringLiteral("X,1"), QStringLiteral("ICU"), 6}
                                   : PumpOnRecord{};
    };
    EXPECT_EQ(writeCmmsExport(buffer, source, pumpOf, QStringLiteral("-Sato")).tests, 2);
    const QList<QByteArray> lines = buffer.data().split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], QByteArray("\xEF\xBB\xBF") + kCmmsHeading + '\r');
    EXPECT_EQ(QString::fromUtf8(lines[1]), QStringLiteral("管理-1,0807060504030001,'=cmd,\"X,1\",ICU,2024-03-02,Fail,99.5,Fail,53.2,Pass,"
                                                          "2024-09-02,'-Sato,\"TB\"\"1\"\r"));
    EXPECT_TRUE(lines[2].startsWith("管理-3,0807060504030003,,,,2024-03-04,Error,99.5,Error,53.2,Pass,2025-03-04,"));
}

}  // namespace
}  // namespace torbex::report
