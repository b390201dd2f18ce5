// Reports as they were reviewed on paper: every page drawn by poppler and compared pixel for
// pixel with the reviewed picture, so that a moved line, a lost stripe, a changed colour or font
// shows up, not only a missing word.
#include <QTemporaryDir>

#include "report/support/report_fixture.h"
#include "report/worklist_pdf.h"
#include "support/golden_image.h"

namespace torbex::report {
namespace {

const QDateTime kMadeAt(QDate(2024, 4, 1), QTime(9, 30));

void expectPagesAsReviewed(const QString& pdf, const QString& name, std::size_t pages) {
    const std::vector<QImage> drawn = testing::pdfPages(pdf, 60);
    ASSERT_EQ(drawn.size(), pages) << name.toStdString();
    for (std::size_t page = 0; page < pages; ++page)
        EXPECT_TRUE(testing::looksAsReviewed(drawn[page], QStringLiteral("%1-%2").arg(name).arg(page + 1)));
}

TEST(ReportLook, ReportsOnAFileOnOnePumpAndOnManyPumps) {
    QTemporaryDir folder;
    // Passed, failed, errored and not measured occlusions; a blank management number.
    std::vector<data::MeasurementRecord> file{record(1), record(2, 0x83), record(3, 0x93), record(4, 0x87), record(5, 0x8B)};
    file[4].ManagementNo = QString();
    const QString filePdf = folder.filePath(QStringLiteral("file.pdf"));
    EXPECT_EQ(writeReport(filePdf, file, {QStringLiteral("TB000123")}, {QStringLiteral("山田"), kMadeAt, {}, {}}).tests, 5);
    expectPagesAsReviewed(filePdf, QStringLiteral("report-file"), 1);

    std::vector<data::MeasurementRecord> pumpTests;
    for (int month = 1; month <= 4; ++month) {
        data::MeasurementRecord test = record(1, month == 3 ? 0x83 : 0x8F);
        test.MeasureDate = QStringLiteral("2024/0%1/10").arg(month);
        // The failed test's flow is off the axis: its line stops at the plot's edge.
        test.FlowResult = month == 3 ? QStringLiteral(" 135.0") : QStringLiteral("  9%1.5").arg(month + 5);
        test.values = data::valuesOfTexts(test);
        pumpTests.push_back(test);
    }
    const PumpSection pump{QStringLiteral("0807060504030001"), QStringLiteral("P-01"), pumpTests, QStringLiteral("M1"), QStringLiteral("X-9"),
                           QStringLiteral("S-7"), QStringLiteral("ICU"), QStringLiteral("3F"), QDate(2024, 10, 10)};
    const QString pumpPdf = folder.filePath(QStringLiteral("pump.pdf"));
    EXPECT_EQ(writeReport(pumpPdf, pumpTests, {QStringLiteral("TB000123")}, {QStringLiteral("山田"), kMadeAt, pump, {}}).tests, 4);
    expectPagesAsReviewed(pumpPdf, QStringLiteral("report-pump"), 1);

    std::vector<data::MeasurementRecord> many(40, record(1));
    many.push_back(record(2, 0x83));
    for (int i = 0; i < 12; ++i) many.push_back(record(3, i % 2 ? 0x8F : 0x93));
    const auto pumpOf = [](const QString& rfid) {
        PumpSection section{rfid, {}, {}, {}, {}, {}, {}, {}, {}};
        if (rfid.endsWith(u'2')) section = {rfid, QStringLiteral("P-02"), {}, QStringLiteral("M2"), {}, {}, QStringLiteral("ICU"), {}, QDate(2025, 3, 3)};
        return section;
    };
    const QString manyPdf = folder.filePath(QStringLiteral("many.pdf"));
    EXPECT_EQ(writeReport(manyPdf, many, {QStringLiteral("TB1"), QStringLiteral("TB2")}, {QStringLiteral("山田"), kMadeAt, {}, pumpOf}).tests, 53);
    expectPagesAsReviewed(manyPdf, QStringLiteral("report-pumps"), 2);
}

TEST(ReportLook, Worklist) {
    std::vector<WorklistRow> rows{
        {QDate(), QStringLiteral("P-09"), QStringLiteral("0000000000000009"), QStringLiteral("ICU"), {}, QStringLiteral("M1"), {}, {}, std::nullopt},
        {QDate(2024, 3, 20), QStringLiteral("P-01"), QStringLiteral("0000000000000001"), QStringLiteral("ICU"), QStringLiteral("3F"),
         QStringLiteral("M1"), QStringLiteral("X-9"), QDate(2023, 3, 20), data::Verdict::Pass},
        {QDate(2024, 4, 20), {}, QStringLiteral("0000000000000002"), QStringLiteral("外来"), {}, {}, {}, QDate(2023, 10, 20), data::Verdict::Fail}};
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("worklist.pdf"));
    QString error;
    const data::FileOutcome file = data::writeFileStreamed(pdf, [&](QIODevice& device) {
        error = writeWorklistPdf(device, rows, {QStringLiteral("山田"), kMadeAt, 30, QStringLiteral("ICU")});
        return error;
    });
    ASSERT_TRUE(file.ok() && error.isEmpty()) << error.toStdString();
    expectPagesAsReviewed(pdf, QStringLiteral("worklist"), 1);
}

}  // namespace
}  // namespace torbex::report
