// The window with a real history store (SQLite in a temporary folder).
#include <QtWidgets>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QScatterSeries>
#include <QtSql>

#include "app/frm_history.h"
#include "data/csv_format.h"
#include "app/window_placement.h"
#include "app/support/window_fixture.h"
#include "support/file_size_limit.h"
#include "support/pdf_text.h"

namespace torbex::app {
namespace {

using Told = std::vector<QString>;
const QString kLoadDone = QStringLiteral("確認|読み込みが正常に終了しました。");

class HistoryWindowTest : public testing::WindowTest {
protected:
    HistoryWindowTest() : WindowTest(testing::twoPumps(), testing::freshHistory()) {
        EXPECT_TRUE(window.Form_Load());
        told();
    }
    history::HistoryStore& store() { return *window.historyStore(); }
};

// A serial typed on the factory page is the tester's only once a read says so: a write the tester
// never took leaves the downloaded tests under the serial it reported.
TEST_F(HistoryWindowTest, DownloadsAreRecordedUnderTheTestersSerialAndKnownPumpsGetTheirNumbers) {
    ASSERT_TRUE(store().setManagementNumber(QStringLiteral("00000000000000A1"), QStringLiteral("P-01"), history::ChangeSource::Tool));
    tick(2);  // version, then calibration and serial number
    window.controls().txtSerial->setText(QStringLiteral("ZZ999"));
    window.Command6_Click(FactoryButton::Write);
    rig.tester.state().faults.push_back({sim::FaultTarget::WriteCalibration, sim::Fault::WriteFails, 0, 1, {}});
    tick();
    told();
    window.Command1_Click(DataButton::Load);
    EXPECT_EQ(told(), Told{kLoadDone});
    EXPECT_EQ(store().testCount().value(), 2);
    EXPECT_EQ(window.controls().Grid2->model()->index(0, 2).data().toString(), QStringLiteral("P-01      "));
    EXPECT_EQ(window.controls().Grid2->model()->index(1, 2).data().toString().trimmed(), QString());
    const auto tests = store().tests({QStringLiteral("00000000000000A1"), {}});
    ASSERT_EQ(tests ? tests.value().size() : 0U, 1U);
    EXPECT_EQ(tests.value()[0].testerSerial + u'|' + tests.value()[0].record.MeasureDate.text() + u'|' + seen("lblSN"),
              QStringLiteral("TB000123|2024/01/05|　トルベックス　s/n　TB000123"));

    // A number typed in the editor is the registry's, with who changed it from where.
    dialogs.entries = {QStringLiteral("P-02")};
    window.Grid2_DblClick(1, 2);
    EXPECT_EQ(store().managementNumbers().value().at(QStringLiteral("00000000000000B2")), QStringLiteral("P-02"));
    const auto audit = store().audit(QStringLiteral("00000000000000B2"));
    ASSERT_EQ(audit ? audit.value().size() : 0U, 1U);
    EXPECT_EQ(std::tuple(audit.value()[0].newValue, audit.value()[0].source), std::tuple(QStringLiteral("P-02"), history::ChangeSource::Editor));

    // A record whose RFID the tester did not read names no pump: its number stays on the page only.
    told();
    window.store().record(0).status &= ~data::RfidPresent;
    dialogs.entries = {QStringLiteral("P-03")};
    window.Grid2_DblClick(0, 2);
    EXPECT_EQ(told(), Told{});
    EXPECT_EQ(store().managementNumbers().value().at(QStringLiteral("00000000000000A1")), QStringLiteral("P-01"));
}

// A file's number that differs from the registry's is taken only when the operator says so. The
// file read, reported by the window and by the tool: the same counts and rows, and no tester named,
// since a data file names none (not the tester that happens to be connected).
TEST_F(HistoryWindowTest, ReadingAFileAsksBeforeReplacingARegisteredNumberAndReportsItAsTheToolDoes) {
    window.Command1_Click(DataButton::Load);
    for (const auto& [rfid, number] : {std::pair{"00000000000000A1", "OLD-1"}, {"00000000000000B2", "OLD-2"}})
        ASSERT_TRUE(store().setManagementNumber(QString::fromLatin1(rfid), QString::fromLatin1(number), history::ChangeSource::Tool));
    window.store().record(0).ManagementNo = QStringLiteral("NEW-1");
    window.store().record(1).ManagementNo = QStringLiteral("NEW-2");
    dialogs.files = {documents.filePath(QStringLiteral("both")), documents.filePath(QStringLiteral("both"))};
    window.Command1_Click(DataButton::Save);
    dialogs.answers = {true, false};
    told();
    window.Command1_Click(DataButton::Read);
    const Told asked = told();
    ASSERT_EQ(asked.size(), 3U);
    for (const char16_t* part : {u"00000000000000A1", u"OLD-1", u"NEW-1"}) EXPECT_TRUE(asked[0].contains(part)) << asked[0].toStdString();
    const auto numbers = store().managementNumbers().value();
    EXPECT_EQ(numbers.at(QStringLiteral("00000000000000A1")) + u'|' + numbers.at(QStringLiteral("00000000000000B2")),
              QStringLiteral("NEW-1|OLD-2"));

    tick(2);  // the tester stays connected, its serial shown
    const QString page = documents.filePath(QStringLiteral("page.pdf")), tool = documents.filePath(QStringLiteral("tool.pdf"));
    dialogs.files = {page};
    window.cmdReport_Click();
    QProcess process;
    process.start(QStringLiteral(TORBEX_CLI_PATH), {QStringLiteral("--database"), historyTarget->location, QStringLiteral("report"),
                                                    documents.filePath(QStringLiteral("both.csv")), QStringLiteral("--out"), tool});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    // Who made it and when differ; everything else must not.
    const auto text = [](const QString& pdf) { return testing::pdfText(pdf).remove(QRegularExpression(QStringLiteral("作成：[^\n]*"))); };
    const QString fromWindow = text(page);
    EXPECT_EQ(fromWindow, text(tool));
    EXPECT_TRUE(fromWindow.contains(QStringLiteral("s/n：―"))) << fromWindow.toStdString();
    EXPECT_TRUE(fromWindow.contains(QStringLiteral("00000000000000B2"))) << fromWindow.toStdString();
}

// A file's lines whose numbers cannot be registered are named, ten at the most, and the rest counted.
TEST_F(HistoryWindowTest, LinesWhoseNumbersAreNotRegisteredAreNamedTenAtTheMost) {
    QByteArray bytes = data::csvBytes({}).value();
    for (int i = 0; i < 12; ++i) bytes += "0807060504030202, =1+2      , 2013/02/28, 11:20   , 150,   99.5, Pass, M,     53.2, Pass\r\n";
    testing::writeBytes(documents.filePath(QStringLiteral("formulas.csv")), bytes);
    dialogs.files = {documents.filePath(QStringLiteral("formulas.csv"))};
    window.Command1_Click(DataButton::Read);
    QStringList expected{QStringLiteral("確認|次の行は形式が正しくないため、管理番号を登録しませんでした。")};
    for (int line = 2; line <= 11; ++line) expected << QStringLiteral("%1行目：管理番号に使用できない文字・桁数です").arg(line);
    expected << QStringLiteral("ほか2行");
    const Told shown = told();
    EXPECT_NE(std::find(shown.begin(), shown.end(), expected.join(u'\n')), shown.end()) << (shown.empty() ? "" : shown.back().toStdString());
}

// The disk under the database fills up: the records are shown and can still be saved.
TEST_F(HistoryWindowTest, AFailingHistoryIsReportedAndTheDownloadStillShows) {
    testing::writeBytes(documents.filePath(QStringLiteral("plain")), "x");
    const history::DatabaseTarget nowhere{history::DatabaseTarget::Kind::Sqlite, documents.filePath(QStringLiteral("plain/history.sqlite"))};
    frmMain without(services(nowhere));  // no database there
    ASSERT_TRUE(without.Form_Load());
    without.cmdHistory_Click();
    const Told shown = told();
    ASSERT_EQ(shown.size(), 2U);
    EXPECT_EQ(std::tuple(shown[1], shown[0].startsWith(u"エラー|履歴データベースを開けません。")), std::tuple(shown[0], true));
    EXPECT_FALSE(without.historyStore());

    EXPECT_TRUE(testing::underFileSizeLimit(0, [this] {
        window.Command1_Click(DataButton::Load);
        const Told shown = told();
        EXPECT_EQ(std::tuple(window.store().count(), shown.size()), std::tuple(2, 2U));
        if (shown.size() == 2) { EXPECT_EQ(std::tuple(shown[0], shown[1].startsWith(u"エラー|履歴を更新できませんでした。")), std::tuple(kLoadDone, true)); }
        return !HasFailure();
    }));
}

TEST_F(HistoryWindowTest, HistoryWindowListsPumpsWithDueDatesFiltersShowsATrendAndTellsAFailedRead) {
    window.Command1_Click(DataButton::Load);
    frmHistory history(store(), dialogs, 12, documents.path(), &window);
    ASSERT_TRUE(history.refresh());
    ASSERT_EQ(history.pumps().rowCount(), 2);
    // Tests from 2024 are overdue after twelve months. The colours, the bands and the marks are in
    // the reviewed pictures.
    EXPECT_EQ(history.pumps().index(0, PumpListModel::Due).data().toString(), QStringLiteral("2025/01/05"));
    EXPECT_EQ(history.pumps().index(1, PumpListModel::FlowVerdict).data().toString(), QStringLiteral("Fail"));
    EXPECT_EQ(history.chtTrend->chart()->title(), QStringLiteral("ポンプを選ぶと、その試験の推移を表示します。"));
    history.txtFilter->setText(QStringLiteral("b2"));
    ASSERT_EQ(history.filtered().rowCount(), 1);
    history.grdPumps_Click(0);
    EXPECT_EQ(history.shownPump(), QStringLiteral("00000000000000B2"));
    EXPECT_EQ(history.tests().rowCount(), 1);
    // The time axis spans two weeks around the pump's one test, in whole days, a tick every third.
    const auto* time = qobject_cast<QDateTimeAxis*>(history.chtTrend->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_TRUE(time);
    EXPECT_EQ(std::tuple(time->min(), time->max(), time->tickCount()),
              std::tuple(QDate(2023, 12, 30).startOfDay(), QDate(2024, 1, 14).startOfDay(), 6));

    // 履歴 opens the history window with the department's interval.
    window.controls().cmdHistory->click();
    EXPECT_EQ(dialogs.historiesShown, std::vector<int>{12});

    // Reports on the pump shown, and on the page's records, are saved where the operator says.
    // Each is signed by the inspector entered, or, left blank, by the one proposed.
    dialogs.files = {documents.filePath(QStringLiteral("pump")), documents.filePath(QStringLiteral("page.pdf"))};
    dialogs.inspectors = {QStringLiteral(" Yamada Taro "), QString(), std::nullopt};
    told();
    history.cmdReport_Click();
    window.cmdReport_Click();
    const std::size_t fileDialogs = dialogs.fileDialogs.size();
    history.cmdReport_Click();  // no inspector: no report
    EXPECT_EQ(dialogs.fileDialogs.size(), fileDialogs);
    ASSERT_EQ(dialogs.inspectorsProposed.size(), 3U);
    EXPECT_FALSE(dialogs.inspectorsProposed[1].isEmpty());
    EXPECT_TRUE(testing::pdfText(documents.filePath(QStringLiteral("pump.pdf")), {QStringLiteral("-raw")}).contains(QStringLiteral("作成者：Yamada Taro\n")));
    EXPECT_TRUE(testing::pdfText(documents.filePath(QStringLiteral("page.pdf")), {QStringLiteral("-raw")}).contains(QStringLiteral("作成者：") + dialogs.inspectorsProposed[1]));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);  // the wait cursor goes with the work
    const QString written = QStringLiteral("確認|書き込みが正常に終了しました。");
    EXPECT_EQ(told(), (Told{written, written}));
    EXPECT_EQ(dialogs.fileDialogs.back().name, QStringLiteral("点検報告書_20240305.pdf"));
    EXPECT_TRUE(dialogs.fileDialogs.at(dialogs.fileDialogs.size() - 2).name.startsWith(u"点検報告書_00000000000000B2_"));
    for (const char* name : {"pump.pdf", "page.pdf"})
        EXPECT_TRUE(testing::fileBytes(documents.filePath(QLatin1String(name))).startsWith("%PDF")) << name;
    dialogs.files = {documents.filePath(QStringLiteral("none/pump.pdf"))};  // no such folder
    history.cmdReport_Click();
    EXPECT_EQ(told(), Told{QStringLiteral("エラー|書き込みできませんでした。")});

    // A history that cannot be read is told, in the list and for a pump's tests alike.
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("vandal"));
        other.setDatabaseName(historyTarget->location);
        ASSERT_EQ((std::tuple{other.open(), QSqlQuery(other).exec(QStringLiteral("DROP TABLE tests"))}), std::tuple(true, true));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("vandal"));
    EXPECT_FALSE(history.refresh());
    history.grdPumps_Click(0);
    const Told shown = told();
    ASSERT_EQ(shown.size(), 2U);
    for (const QString& text : shown) EXPECT_TRUE(text.startsWith(u"エラー|履歴を読み出せませんでした。")) << text.toStdString();
}

// The pump list narrowed to the overdue pumps and by text, and sorted by any column: counts as
// numbers, days as days.
TEST(PumpFilter, OverdueOnlyKeepsTheWrongPumpsOrSortingReadsNumbersAsText) {
    PumpListModel pumps;
    history::PumpSummary overdue{QStringLiteral("A1"), {}, 9, QStringLiteral("2025-01-01"), {}, {}, QDate(2026, 1, 1), {}, 12};
    history::PumpSummary due{QStringLiteral("B2"), {}, 10, QStringLiteral("2026-01-01"), {}, {}, QDate(2027, 1, 1), {}, 12};
    pumps.setPumps({due, overdue}, QDate(2026, 6, 1));
    PumpFilter filter;
    filter.setSourceModel(&pumps);
    const auto shown = [&filter](int column) {
        QStringList texts;
        for (int row = 0; row < filter.rowCount(); ++row) texts << filter.index(row, column).data().toString();
        return texts.join(u' ');
    };
    filter.setOverdueOnly(true);
    EXPECT_EQ(shown(PumpListModel::Rfid), QStringLiteral("A1"));
    filter.setFilterFixedString(QStringLiteral("b"));
    EXPECT_EQ(filter.rowCount(), 0);
    filter.setOverdueOnly(false);
    EXPECT_EQ(shown(PumpListModel::Due), QStringLiteral("2027/01/01"));
    filter.setFilterFixedString({});
    filter.sort(PumpListModel::Tests, Qt::AscendingOrder);
    EXPECT_EQ(shown(PumpListModel::Tests), QStringLiteral("9 10"));
    filter.sort(PumpListModel::LastTest, Qt::DescendingOrder);
    EXPECT_EQ(shown(PumpListModel::LastTest), QStringLiteral("2026/01/01 2025/01/01"));
}

// The history window on every screen: where it was last, else as large as it likes, centred; never
// beyond the screen's free area, and its least size fits the smallest screens in use (a 1366×768
// laptop at 125 %: 1093×582 less the panel; 1024×768 at 100 %).
TEST_F(HistoryWindowTest, HistoryWindowBeyondTheScreenOrLargerThanItCanBe) {
    const QMargins frame = kFrameAllowance;
    const QRect laptop(0, 0, 1093, 582), small(0, 0, 1024, 728), large(0, 0, 1280, 680);
    const std::tuple<QRect, std::optional<QRect>, QRect> cases[] = {
        {small, std::nullopt, QRect(8, 40, 1008, 680)},                 // fills the screen, less the frame
        {large, std::nullopt, QRect(90, 40, 1100, 632)},                // centred across, as high as it can be
        {QRect(0, 0, 2560, 1400), std::nullopt, QRect(730, 336, 1100, 760)},
        {large, QRect(3000, -50, 600, 400), QRect(672, 40, 600, 400)},  // moved back from beyond the edges
        {QRect(1920, 0, 1280, 680), QRect(100, 100, 2000, 300), QRect(1928, 100, 1264, 300)},  // another screen
    };
    for (const auto& [available, remembered, placed] : cases)
        EXPECT_EQ(placedWindow(available, frmHistory::kPreferredSize, remembered, frame), placed) << available.width();

    frmHistory history(store(), dialogs, 12, documents.path(), &window);
    ASSERT_TRUE(history.refresh());
    for (const QRect& screen : {laptop, small}) {
        history.placeOn(screen, std::nullopt);
        EXPECT_TRUE(screen.marginsRemoved(frame).contains(history.geometry())) << screen.width();
        const QSize least = history.minimumSizeHint();
        EXPECT_TRUE(least.width() <= history.width() && least.height() <= history.height()) << least.width() << 'x' << least.height();
    }
}

}  // namespace
}  // namespace torbex::app
