// The data page of the main window over a simulated tester: load, clear, save, read and exit,
// the unsaved-data guard, and the management number editor.
#include <gtest/gtest.h>

#include <QtWidgets>

#include "app/data_file_names.h"
#include "app/frm_main.h"
#include "app/support/scripted_dialogs.h"
#include "data/csv_codec.h"
#include "support/file_size_limit.h"
#include "support/sim_fixture.h"

namespace torbex::app {
namespace {

// What the operator is told or asked, as "title|text".
using Told = std::vector<QString>;
const QString kUnsaved = QStringLiteral("確認|データが保存されていませんがよろしいですか？");
const QString kSaveHint = QStringLiteral("確認|「ファイル保存」で保存してください。");
const QString kClearTester = QStringLiteral("確認|トルベックスのデータもクリアしますか？");
const QString kLoadDone = QStringLiteral("確認|読み込みが正常に終了しました。");
const QString kWriteDone = QStringLiteral("確認|書き込みが正常に終了しました。");

class DataPageTest : public ::testing::Test {
protected:
    DataPageTest() {
        EXPECT_TRUE(window.Form_Load());
        take();
        fillTester(3);
    }
    void fillTester(int count) {
        for (int i = 0; i < count; ++i)
            rig.tester.state().slots[static_cast<std::size_t>(i)] = sim::StoredRecord{.status = 0x8F, .flowResult = 1000 - i};
    }
    long testerRecords() const { return std::ranges::count_if(rig.tester.state().slots, [](const auto& s) { return s.has_value(); }); }
    // What was shown since the last call.
    Told take() {
        Told told;
        for (const auto& s : dialogs.shown) told.push_back(s.title + u'|' + s.text);
        dialogs.shown.clear();
        return told;
    }
    // Clicks a button, its file dialog answering with the file if one is given.
    Told click(int button, const char* file = nullptr) {
        if (file) dialogs.files.push_back(out(file));
        window.Command1_Click(button);
        return take();
    }
    QString out(const char* name) const { return outDir.filePath(QString::fromUtf8(name)); }
    QString page() {
        return QStringLiteral("%1 records, %2 rows, [%3], unsaved %4")
            .arg(window.store().RecordCount).arg(window.controls().Grid2->model()->rowCount())
            .arg(window.controls().Label4->text()).arg(window.store().DataUnsaved);
    }
    void writeFile(const char* name, const QByteArray& bytes) const {
        QFile file(out(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    testing::SimulatedRig rig;
    testing::ScriptedDialogs dialogs;
    QTemporaryDir program, config, documents, outDir;
    const SettingsFolders folders{program.path(), config.path(), documents.path()};
    frmMain window{{rig.bus, rig.clock, rig.events, dialogs, folders, {}, false}};
};

TEST_F(DataPageTest, OnlyUnsavedDataIsAskedAboutAndLoadWithoutTesterKeepsTheRecords) {
    EXPECT_EQ(click(1), Told{kClearTester});  // nothing unsaved: no question before the tester's own
    fillTester(250);
    EXPECT_EQ(click(0), Told{kLoadDone});
    const QString loaded = QStringLiteral("250 records, 251 rows, [   250], unsaved 1");
    EXPECT_EQ(page(), loaded);
    rig.tester.forgetReceivedCommands();
    for (const int button : {0, 1}) {
        EXPECT_EQ(click(button), (Told{kUnsaved, kSaveHint})) << button;
        EXPECT_EQ(page(), loaded) << button;
    }
    EXPECT_TRUE(rig.tester.receivedCommands().empty());
    EXPECT_EQ(testerRecords(), 250);

    rig.tester.unplug();
    dialogs.answers = {true};
    EXPECT_EQ(click(0), (Told{kUnsaved, QStringLiteral("|トルベックスが接続されていません")}));
    EXPECT_EQ(page(), loaded);  // kept record by record: see the fault matrix

    // Exit and the close box ask the same, without the hint; only Yes ends the program.
    window.Command1_Click(9);
    EXPECT_FALSE(window.close());
    EXPECT_EQ(take(), (Told{kUnsaved, kUnsaved}));
    EXPECT_FALSE(window.programEnded());
    dialogs.answers = {true};
    window.Command1_Click(9);
    EXPECT_TRUE(window.programEnded());
}

TEST_F(DataPageTest, ClearEmptiesTheTesterOnlyWhenAskedToAndThenLeavesItAlone) {
    for (const bool clearTester : {false, true}) {
        click(0);
        dialogs.answers = {true, clearTester};
        EXPECT_EQ(click(1), (Told{kUnsaved, kClearTester}));
        EXPECT_EQ(page(), QStringLiteral("0 records, 200 rows, [0], unsaved 0"));
        EXPECT_EQ(testerRecords(), clearTester ? 0 : 3);
        EXPECT_EQ(window.session().requests.com_dis_ctr, clearTester ? 10 : 0);
        fillTester(3);
    }
    EXPECT_EQ(click(9), Told{});  // nothing unsaved is left to ask about
    EXPECT_TRUE(window.programEnded());
}

TEST_F(DataPageTest, SavedFileTakesTheCsvExtensionAndACancelledDialogIsQuiet) {
    click(0);
    dialogs.files = {std::nullopt, QString()};
    EXPECT_EQ(click(2), Told{});
    EXPECT_EQ(click(2), Told{});
    EXPECT_TRUE(QDir(outDir.path()).isEmpty());
    EXPECT_EQ(window.store().DataUnsaved, 1);

    ASSERT_TRUE(QDir(outDir.path()).mkdir(QStringLiteral("my.folder")));
    for (const auto& [chosen, written] :
         {std::pair{"plain", "plain.csv"}, {"x.txt", "x.csv"}, {"data.2013.csv", "data.csv"}, {"my.folder/out", "my.folder/out.csv"}}) {
        EXPECT_EQ(click(2, chosen), Told{kWriteDone}) << chosen;
        EXPECT_TRUE(QFile::exists(out(written))) << chosen;
    }
    EXPECT_EQ(withCsvExtension(QStringLiteral("C:\\a.b\\data.2013.txt")), QStringLiteral("C:\\a.b\\data.csv"));
    EXPECT_EQ(withCsvExtension(QStringLiteral("name.")), QStringLiteral("name.csv"));
}

TEST_F(DataPageTest, SaveAsksBeforeOverwritingRemembersTheFolderAndReportsAFailedWrite) {
    click(0);
    ASSERT_TRUE(QDir(outDir.path()).mkdir(QStringLiteral("sub.dir")));
    writeFile("sub.dir/data.csv", "old");
    EXPECT_EQ(click(2, "sub.dir/data"), Told{QStringLiteral("エラー|既に同名のファイルが存在します。上書きしますか？")});
    QFile old(out("sub.dir/data.csv"));
    EXPECT_TRUE(old.open(QIODevice::ReadOnly) && old.readAll() == "old");
    EXPECT_EQ(window.store().DataUnsaved, 1);

    dialogs.answers = {true};
    EXPECT_EQ(click(2, "sub.dir/data").back(), kWriteDone);
    data::RecordStore back;
    EXPECT_TRUE(data::ReadCsvFile(out("sub.dir/data.csv"), back) && back.RecordCount == 3);
    EXPECT_EQ(window.store().DataUnsaved, 0);
    const QString sub = QDir::toNativeSeparators(out("sub.dir"));
    EXPECT_EQ(window.DataDirectory, sub);
    EXPECT_EQ(SettingsFile(folders).load().settings.DataDirectory, sub);

    window.store().DataUnsaved = 1;
    EXPECT_EQ(click(2, "missing/data"), Told{QStringLiteral("エラー|書き込みできませんでした。")});
    EXPECT_EQ(window.store().DataUnsaved, 1);
    EXPECT_EQ(window.DataDirectory, sub);
    ASSERT_EQ(dialogs.fileDialogs.size(), 3U);
    EXPECT_EQ(dialogs.fileDialogs[0].folder + u'|' + dialogs.fileDialogs[0].filter, documents.path() + QStringLiteral("|*.csv"));
    EXPECT_EQ(dialogs.fileDialogs[2].folder, sub);
}

TEST_F(DataPageTest, ReadReportsTheOutcomeAndAFailedReadKeepsTheStore) {
    click(0);
    click(2, "good");
    fillTester(5);
    click(0);
    ASSERT_EQ(window.store().RecordCount, 5);
    const data::MeasurementRecord fourth = window.store().slot(3);
    writeFile("bad.csv", "heading\r\n" + QByteArray(22, ',') + "\r\n");
    EXPECT_EQ(click(3, "bad"), Told{QStringLiteral("エラー|読み出しできませんでした。")});
    EXPECT_EQ(window.store().RecordCount, 5);
    EXPECT_TRUE(window.store().slot(3) == fourth);

    EXPECT_EQ(click(3, "good.csv"), Told{QStringLiteral("確認|読み出しが正常に終了しました。")});
    EXPECT_TRUE(page().startsWith(QStringLiteral("3 records, 200 rows, [     3]"))) << page().toStdString();
}

TEST_F(DataPageTest, NothingOnThePageActsWhileADownloadRuns) {
    window.store().RecordCount = 1;
    bool sawDownload = false;
    rig.events.setHook([&] {
        if (sawDownload) return;
        sawDownload = window.downloading();
        for (const int button : {0, 1, 2, 3, 9}) window.Command1_Click(button);
        window.Grid2_DblClick(0, 2);
        EXPECT_FALSE(window.close());
    });
    EXPECT_EQ(click(0), Told{kLoadDone});
    EXPECT_TRUE(sawDownload);
    EXPECT_TRUE(dialogs.fileDialogs.empty() && dialogs.editorOpenedWith.empty());
    EXPECT_FALSE(window.programEnded());
    EXPECT_EQ(window.store().RecordCount, 3);
    EXPECT_EQ(testerRecords(), 3);
}

TEST_F(DataPageTest, ManagementNumberEditorOpensOnlyOnFilledNumberCellsAndMarksAChangeUnsaved) {
    data::RecordStore& store = window.store();
    store.RecordCount = 2;
    store.slot(0).ManagementNo = QStringLiteral("  X1");
    dialogs.entries = {QStringLiteral("AB12"), std::nullopt, QStringLiteral("ABCDEFGHIJKL")};
    window.Grid2_DblClick(0, 2);
    EXPECT_EQ(dialogs.editorOpenedWith, Told{QStringLiteral("X1")});
    EXPECT_EQ(window.controls().Grid2->model()->index(0, 2).data().toString(), QStringLiteral("AB12      "));
    EXPECT_EQ(store.DataUnsaved, 1);

    store.DataUnsaved = 0;
    window.Grid2_DblClick(1, 2);  // cancelled
    window.Grid2_DblClick(1, 1);  // not the number column
    window.Grid2_DblClick(2, 2);  // no record in the row
    EXPECT_EQ(take(), Told{QStringLiteral("エラー|データがない行は入力できません。")});
    EXPECT_EQ(dialogs.editorOpenedWith.size(), 2U);
    EXPECT_EQ(store.slot(1).ManagementNo.text(), QString(10, u' '));
    EXPECT_EQ(store.DataUnsaved, 0);
    window.Grid2_DblClick(1, 2);
    EXPECT_EQ(store.slot(1).ManagementNo.text(), QStringLiteral("ABCDEFGHIJ"));

    // Ideographic spaces belong to the number: confirming it unchanged changes nothing.
    store.DataUnsaved = 0;
    store.slot(1).ManagementNo = QStringLiteral("\u3000AB\u3000");
    dialogs.entries = {QStringLiteral("\u3000AB\u3000")};
    window.Grid2_DblClick(1, 2);
    EXPECT_EQ(dialogs.editorOpenedWith.back(), QStringLiteral("\u3000AB\u3000"));
    EXPECT_EQ(store.slot(1).ManagementNo.text(), QStringLiteral("\u3000AB\u3000      "));
    EXPECT_EQ(store.DataUnsaved, 0);
}

TEST_F(DataPageTest, SaveOnAFullDiskSaysSoAndKeepsTheRecordsUnsaved) {
    click(0);
    writeFile("full.csv", "old");
    dialogs.answers = {true};
    dialogs.files.push_back(out("full"));
    EXPECT_TRUE(testing::underFileSizeLimit(200, [this] {
        window.Command1_Click(2);
        return take() == Told{QStringLiteral("エラー|既に同名のファイルが存在します。上書きしますか？"),
                              QStringLiteral("エラー|書き込みできませんでした。")} &&
               window.store().DataUnsaved == 1;
    }));
    QFile file(out("full.csv"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.readAll() == "old");
}

}  // namespace
}  // namespace torbex::app
