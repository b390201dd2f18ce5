// The data page over a simulated tester.
#include <QSignalSpy>
#include <QtWidgets>

#include "app/data_file_names.h"
#include "app/support/window_fixture.h"
#include "data/csv_format.h"
#include "support/file_size_limit.h"

namespace torbex::app {
namespace {

using Told = std::vector<QString>;
const QString kUnsaved = QStringLiteral("確認|データが保存されていませんがよろしいですか？");
const QString kSaveHint = QStringLiteral("確認|「ファイル保存」で保存してください。");
const QString kClearTester = QStringLiteral("確認|トルベックスのデータもクリアしますか？");
const QString kLoadDone = QStringLiteral("確認|読み込みが正常に終了しました。");
const QString kWriteDone = QStringLiteral("確認|書き込みが正常に終了しました。");
const QString kOverwrite = QStringLiteral("エラー|既に同名のファイルが存在します。上書きしますか？");

class DataPageTest : public testing::WindowTest {
protected:
    DataPageTest() {
        EXPECT_TRUE(window.Form_Load());
        told();
        fillTester(3);
    }
    // Clicks a button, its file dialog answering with the file if one is given.
    Told click(DataButton button, const char* file = nullptr) {
        if (file) dialogs.files.push_back(out(file));
        window.Command1_Click(button);
        return told();
    }
    QString out(const char* name) const { return outDir.filePath(QString::fromUtf8(name)); }
    QString page() {
        return QStringLiteral("%1 records, %2 rows, [%3], unsaved %4")
            .arg(window.store().count()).arg(window.controls().Grid2->model()->rowCount())
            .arg(window.controls().Label4->text()).arg(window.store().unsaved);
    }
    QByteArray fileBytes(const char* name) const { return testing::fileBytes(out(name)); }
    void writeFile(const char* name, const QByteArray& bytes) const { testing::writeBytes(out(name), bytes); }

    QTemporaryDir outDir;
};

TEST_F(DataPageTest, OnlyUnsavedDataIsAskedAboutAndALoadThatFailsKeepsTheRecords) {
    EXPECT_EQ(click(DataButton::Clear), Told{kClearTester});  // nothing unsaved: no question first
    fillTester(250);
    EXPECT_EQ(click(DataButton::Load), Told{kLoadDone});
    const QString loaded = QStringLiteral("250 records, 251 rows, [   250], unsaved 1");
    EXPECT_EQ(std::tuple(page(), seen("Label2")), std::tuple(loaded, QStringLiteral("データ数：   250")));
    rig.tester.forgetReceivedCommands();
    for (const DataButton button : {DataButton::Load, DataButton::Clear}) EXPECT_EQ(click(button), (Told{kUnsaved, kSaveHint}));
    EXPECT_EQ(std::tuple(page(), rig.tester.receivedCommands().size()), std::tuple(loaded, 0U));

    rig.tester.unplug();
    dialogs.answers = {true};
    EXPECT_EQ(click(DataButton::Load), (Told{kUnsaved, QStringLiteral("|トルベックスが接続されていません")}));
    EXPECT_EQ(std::tuple(page(), seen("Label1")), std::tuple(loaded, QString()));

    // Exit and the close box ask the same, without the hint; only Yes ends the program.
    window.Command1_Click(DataButton::Exit);
    EXPECT_EQ((std::tuple{window.close(), window.programEnded()}), std::tuple(false, false));
    EXPECT_EQ(told(), (Told{kUnsaved, kUnsaved}));
    dialogs.answers = {true};
    window.Command10_Click();
    EXPECT_TRUE(window.programEnded());
}

TEST_F(DataPageTest, ClearEmptiesTheTesterOnlyWhenAskedToAndThenLeavesItAlone) {
    for (const bool clearTester : {false, true}) {
        click(DataButton::Load);
        dialogs.answers = {true, clearTester};
        EXPECT_EQ(click(DataButton::Clear), (Told{kUnsaved, kClearTester}));
        EXPECT_EQ(page() + QStringLiteral(" %1 %2").arg(testerRecords()).arg(window.pollTick().holdOffTicks()),
                  QStringLiteral("0 records, 200 rows, [0], unsaved 0 ") + QLatin1String(clearTester ? "0 10" : "3 0"));
        tick();  // left alone, yet still shown connected
        EXPECT_EQ(seen("Label1"), QStringLiteral("接続中"));
        fillTester(3);
    }
    EXPECT_EQ((std::tuple{click(DataButton::Exit), window.programEnded()}), std::tuple(Told{}, true));
}

TEST_F(DataPageTest, SaveTakesTheCsvExtensionAsksBeforeOverwritingAndRemembersTheFolder) {
    click(DataButton::Load);
    dialogs.files = {std::nullopt, QString()};
    EXPECT_EQ(click(DataButton::Save), Told{});  // cancelled, or no name chosen: nothing said
    EXPECT_EQ(click(DataButton::Save), Told{});
    EXPECT_EQ(dialogs.fileDialogs[0].folder + u'|' + dialogs.fileDialogs[0].filter, documents.path() + QStringLiteral("|*.csv"));
    ASSERT_TRUE(QDir(outDir.path()).mkdir(QStringLiteral("my.folder")));
    EXPECT_EQ(withCsvExtension(QStringLiteral(".x")), QStringLiteral(".csv"));  // everything from the first point goes
    EXPECT_EQ(withCsvExtension(QStringLiteral("data.2013.x")), QStringLiteral("data.csv"));
    for (const auto& [chosen, written] : {std::pair{"x.txt", "x.csv"}, {"data.2013.csv", "data.csv"}, {"my.folder/out", "my.folder/out.csv"}}) {
        EXPECT_EQ(click(DataButton::Save, chosen), Told{kWriteDone}) << chosen;
        EXPECT_TRUE(QFile::exists(out(written))) << chosen;
    }
    const QString folder = QDir::toNativeSeparators(out("my.folder"));
    EXPECT_EQ(std::tuple(window.DataDirectory, SettingsFile(folders).load().settings.DataDirectory, window.store().unsaved),
              std::tuple(folder, folder, false));

    writeFile("old.csv", "old");
    window.store().unsaved = true;
    EXPECT_EQ((std::tuple{click(DataButton::Save, "old"), fileBytes("old.csv")}), std::tuple(Told{kOverwrite}, QByteArray("old")));
    dialogs.answers = {true};
    EXPECT_EQ(click(DataButton::Save, "old"), (Told{kOverwrite, kWriteDone}));
    EXPECT_EQ(data::parseCsv(fileBytes("old.csv"))->size(), 3U);
    window.store().unsaved = true;
    EXPECT_EQ(click(DataButton::Save, "missing/data"), Told{QStringLiteral("エラー|書き込みできませんでした。")});
    EXPECT_EQ(std::tuple(window.store().unsaved, window.DataDirectory), std::tuple(true, QDir::toNativeSeparators(outDir.path())));
    // A full disk: the failure is told, the old file stays whole and the records stay unsaved.
    EXPECT_TRUE(testing::underFileSizeLimit(64, [&] {
        dialogs.answers = {true};
        EXPECT_EQ(click(DataButton::Save, "old"), (Told{kOverwrite, QStringLiteral("エラー|書き込みできませんでした。")}));
        EXPECT_EQ(std::tuple(data::parseCsv(fileBytes("old.csv"))->size(), window.store().unsaved), std::tuple(3U, true));
        return !HasFailure();
    }));
}

TEST_F(DataPageTest, ReadReportsTheOutcomeAndAFailedReadKeepsTheStore) {
    click(DataButton::Load);
    click(DataButton::Save, "good");
    writeFile("bad.csv", "heading\r\n" + QByteArray(22, ',') + "\r\n");
    window.store().record(2).ManagementNo = QStringLiteral("KEEP");
    EXPECT_EQ(click(DataButton::Read, "bad"), Told{QStringLiteral("エラー|読み出しできませんでした。")});
    EXPECT_EQ(window.store().record(2).ManagementNo.text(), QStringLiteral("KEEP      "));
    EXPECT_EQ(click(DataButton::Read, "good.csv"), Told{QStringLiteral("確認|読み出しが正常に終了しました。")});
    EXPECT_TRUE(page().startsWith(u"3 records, 200 rows, [     3]")) << page().toStdString();
    EXPECT_EQ(window.controls().Grid2->verticalScrollBar()->value(), 0);  // the first record at the top
    EXPECT_EQ(window.store().record(2).ManagementNo.text().trimmed(), QString());
}

// The progress shows slot and records; cancelling, by the dialog or through the close box, leaves
// the records and the tester as they were. Nothing else on the page acts meanwhile.
TEST_F(DataPageTest, DownloadShowsProgressCanBeCancelledAndBlocksThePage) {
    fillTester(400);
    rig.tester.state().slots[1000] = sim::StoredRecord{};
    QStringList counted;  // the page's count as each step shows
    dialogs.onProgress = [&] { counted << window.controls().Label4->text(); };
    click(DataButton::Load);
    dialogs.onProgress = nullptr;
    EXPECT_EQ(std::tuple(dialogs.progress.back(), dialogs.progress[199]), std::tuple(std::pair(1001, 401), std::pair(200, 200)));
    EXPECT_EQ(std::pair(counted[199], counted.back()), std::pair(QStringLiteral("200"), QStringLiteral("401")));
    const QString loaded = page();

    rig.tester.state().slots[0] = sim::StoredRecord{.status = 0x13};
    dialogs.answers = {true};
    dialogs.cancelAtSlot = 300;
    EXPECT_EQ(click(DataButton::Load), (Told{kUnsaved, QStringLiteral("確認|データ読込を中止しました。")}));
    EXPECT_EQ(std::tuple(page(), testerRecords()), std::tuple(loaded, 401L));

    dialogs.cancelAtSlot.reset();
    bool asked = false;
    rig.events.setHook([&] {
        if (asked || !window.downloading()) return;
        asked = true;
        for (const DataButton button : {DataButton::Clear, DataButton::Save, DataButton::Read, DataButton::Exit})
            window.Command1_Click(button);
        window.Grid2_DblClick(0, 2);
        dialogs.answers = {true};
        EXPECT_FALSE(window.close());
    });
    dialogs.answers = {true};
    EXPECT_EQ(click(DataButton::Load),
              (Told{kUnsaved, QStringLiteral("確認|データ読込中です。中止しますか？"), QStringLiteral("確認|データ読込を中止しました。")}));
    EXPECT_EQ(std::tuple(dialogs.fileDialogs.size(), dialogs.editorOpenedWith, window.programEnded(), page()),
              std::tuple(0U, Told{}, false, loaded));
}

TEST_F(DataPageTest, EditorOpensOnlyOnFilledNumberCellsKeepsIdeographicSpacesAndMarksAChangeUnsaved) {
    data::RecordStore& store = window.store();
    store.replace(std::vector<data::MeasurementRecord>(2));
    store.record(0).ManagementNo = QStringLiteral("  X1");
    dialogs.entries = {QStringLiteral("AB12"), std::nullopt, QStringLiteral("\u3000AB\u3000")};
    QSignalSpy repainted(window.controls().Grid2->model(), &QAbstractItemModel::dataChanged);
    window.Grid2_DblClick(0, 2);
    EXPECT_EQ(repainted.size(), 1);
    EXPECT_EQ(dialogs.editorOpenedWith, Told{QStringLiteral("X1")});
    EXPECT_EQ(window.controls().Grid2->model()->index(0, 2).data().toString(), QStringLiteral("AB12      "));
    EXPECT_TRUE(store.unsaved);

    store.unsaved = false;
    // Cancelled; not the number column; no record in the row.
    for (const auto& [row, column] : {std::pair{1, 2}, {1, 1}, {2, 2}}) window.Grid2_DblClick(row, column);
    EXPECT_EQ(told(), Told{QStringLiteral("エラー|データがない行は入力できません。")});
    EXPECT_EQ(std::tuple(dialogs.editorOpenedWith.size(), store.unsaved), std::tuple(2U, false));

    // Confirming a number with ideographic spaces unchanged changes nothing.
    store.unsaved = false;
    store.record(1).ManagementNo = QStringLiteral("\u3000AB\u3000");
    window.Grid2_DblClick(1, 2);
    EXPECT_EQ(dialogs.editorOpenedWith.back(), QStringLiteral("\u3000AB\u3000"));
    EXPECT_FALSE(store.unsaved);
}

}  // namespace
}  // namespace torbex::app
