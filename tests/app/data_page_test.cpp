// The data page of the main window over a simulated tester: load, clear, save, read and exit,
// the unsaved-data guard, and the management number editor.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QTemporaryDir>
#include <memory>

#include "app/data_file_names.h"
#include "app/frm_main.h"
#include "app/support/scripted_dialogs.h"
#include "data/csv_codec.h"
#include "support/sim_fixture.h"

namespace torbex::app {
namespace {

const QString kUnsaved = QStringLiteral("データが保存されていませんがよろしいですか？");
const QString kSaveHint = QStringLiteral("「ファイル保存」で保存してください。");
const QString kClearTester = QStringLiteral("トルベックスのデータもクリアしますか？");
const QString kLoadDone = QStringLiteral("読み込みが正常に終了しました。");
const QString kWriteDone = QStringLiteral("書き込みが正常に終了しました。");

class DataPageTest : public ::testing::Test {
protected:
    DataPageTest() {
        window = std::make_unique<frmMain>(MainWindowServices{rig.bus, rig.clock, rig.events, dialogs, folders(),
                                                              [this] { return rig.localTime; }, false});
        EXPECT_TRUE(window->Form_Load());
        dialogs.shown.clear();
        fillTester(3);
    }
    SettingsFolders folders() const { return {program.path(), config.path(), documents.path()}; }
    void fillTester(int count) {
        for (int i = 0; i < count; ++i) {
            sim::StoredRecord r;
            r.status = 0x8F;
            r.flowResult = 1000 - i;
            rig.tester.state().slots[static_cast<std::size_t>(i)] = r;
        }
    }
    int testerRecords() const {
        return static_cast<int>(std::count_if(rig.tester.state().slots.begin(), rig.tester.state().slots.end(),
                                              [](const auto& slot) { return slot.has_value(); }));
    }
    // Downloads the tester's records; the data is then unsaved.
    void download() {
        window->Command1_Click(0);
        ASSERT_EQ(window->store().DataUnsaved, 1);
        dialogs.shown.clear();
    }
    void save(const QString& chosen) {
        dialogs.files.push_back(chosen);
        window->Command1_Click(2);
    }
    QString out(const QString& name) const { return outDir.filePath(name); }
    std::vector<QString> texts() const {
        std::vector<QString> all;
        for (const auto& s : dialogs.shown) all.push_back(s.text);
        return all;
    }
    int gridRows() const { return window->controls().Grid2->model()->rowCount(); }
    QString label4() const { return window->controls().Label4->text(); }

    testing::SimulatedRig rig;
    testing::ScriptedDialogs dialogs;
    QTemporaryDir program, config, documents, outDir;
    std::unique_ptr<frmMain> window;
};

TEST_F(DataPageTest, NothingUnsavedMeansNoQuestionBeforeClearLoadOrExit) {
    window->Command1_Click(1);
    EXPECT_EQ(texts(), std::vector<QString>{kClearTester});
    dialogs.shown.clear();
    window->Command1_Click(0);
    ASSERT_EQ(texts(), std::vector<QString>{kLoadDone});
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("確認"));
    window->store().DataUnsaved = 0;
    window->Command1_Click(9);
    EXPECT_TRUE(window->programEnded());
    EXPECT_EQ(dialogs.shown.size(), 1U);
}

TEST_F(DataPageTest, UnsavedGuardAsksAndRefusalChangesNothing) {
    download();
    rig.tester.forgetReceivedCommands();
    for (const int button : {0, 1}) {
        dialogs.shown.clear();
        window->Command1_Click(button);
        ASSERT_EQ(texts(), (std::vector<QString>{kUnsaved, kSaveHint})) << button;
        EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("確認"));
        EXPECT_TRUE(dialogs.shown[0].question);
        EXPECT_EQ(window->store().RecordCount, 3);
        EXPECT_EQ(window->store().DataUnsaved, 1);
    }
    EXPECT_TRUE(rig.tester.receivedCommands().empty());
    EXPECT_EQ(testerRecords(), 3);

    // Exit and the close box ask the same, without the hint; only Yes ends the program.
    dialogs.shown.clear();
    window->Command1_Click(9);
    EXPECT_FALSE(window->close());
    EXPECT_EQ(texts(), (std::vector<QString>{kUnsaved, kUnsaved}));
    EXPECT_FALSE(window->programEnded());
    dialogs.answers = {true};
    window->Command1_Click(9);
    EXPECT_TRUE(window->programEnded());
}

TEST_F(DataPageTest, LoadShowsRecordsAndLoadWithoutTesterKeepsTheGrid) {
    fillTester(250);
    download();
    EXPECT_EQ(gridRows(), 251);
    EXPECT_EQ(label4(), QStringLiteral("   250"));
    EXPECT_EQ(window->session().requests.COM_ENA, 1);

    rig.tester.unplug();
    dialogs.answers = {true};
    window->Command1_Click(0);
    EXPECT_EQ(texts().back(), QStringLiteral("トルベックスが接続されていません"));
    EXPECT_EQ(window->store().RecordCount, 250);
    EXPECT_EQ(window->store().slot(249).FlowResult.text(), QStringLiteral("  75.1"));
    EXPECT_EQ(gridRows(), 251);
    EXPECT_EQ(label4(), QStringLiteral("   250"));
    EXPECT_EQ(window->session().requests.COM_ENA, 1);
}

TEST_F(DataPageTest, ClearEmptiesTheTesterOnlyWhenAskedTo) {
    for (const bool clearTester : {false, true}) {
        download();
        dialogs.answers = {true, clearTester};
        window->Command1_Click(1);
        EXPECT_EQ(texts(), (std::vector<QString>{kUnsaved, kClearTester}));
        EXPECT_EQ(window->store().RecordCount, 0);
        EXPECT_EQ(window->store().DataUnsaved, 0);
        EXPECT_EQ(label4(), QStringLiteral("0"));
        EXPECT_EQ(testerRecords(), clearTester ? 0 : 3);
        EXPECT_EQ(window->session().requests.com_dis_ctr, clearTester ? 10 : 0);
        fillTester(3);
    }
}

TEST_F(DataPageTest, SavedFileGetsTheCsvExtensionInTheChosenFolder) {
    ASSERT_TRUE(QDir(outDir.path()).mkdir(QStringLiteral("my.folder")));
    download();
    const std::pair<const char*, const char*> cases[] = {
        {"plain", "plain.csv"}, {"x.txt", "x.csv"}, {"data.2013.csv", "data.csv"}, {"my.folder/out", "my.folder/out.csv"}};
    for (const auto& [chosen, written] : cases) {
        dialogs.shown.clear();
        save(out(QString::fromLatin1(chosen)));
        EXPECT_EQ(texts(), std::vector<QString>{kWriteDone}) << chosen;
        EXPECT_TRUE(QFile::exists(out(QString::fromLatin1(written)))) << chosen;
    }
    EXPECT_EQ(withCsvExtension(QStringLiteral("C:\\a.b\\data.2013.txt")), QStringLiteral("C:\\a.b\\data.csv"));
    EXPECT_EQ(withCsvExtension(QStringLiteral("name.")), QStringLiteral("name.csv"));
    EXPECT_EQ(folderOf(out(QStringLiteral("my.folder/out.csv"))), QDir::toNativeSeparators(out(QStringLiteral("my.folder"))));
}

TEST_F(DataPageTest, CancelledSaveDialogIsQuiet) {
    download();
    for (const std::optional<QString>& answer : {std::optional<QString>{}, std::optional<QString>{QString()}}) {
        dialogs.files.push_back(answer);
        window->Command1_Click(2);
    }
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(QDir(outDir.path()).isEmpty());
    EXPECT_EQ(window->store().DataUnsaved, 1);
}

TEST_F(DataPageTest, ExistingFileIsOverwrittenOnlyAfterYes) {
    download();
    QFile old(out(QStringLiteral("data.csv")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    save(out(QStringLiteral("data")));
    ASSERT_EQ(texts(), std::vector<QString>{QStringLiteral("既に同名のファイルが存在します。上書きしますか？")});
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("エラー"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
    old.close();
    EXPECT_EQ(window->store().DataUnsaved, 1);

    dialogs.answers = {true};
    save(out(QStringLiteral("data")));
    EXPECT_EQ(texts().back(), kWriteDone);
    data::RecordStore back;
    ASSERT_TRUE(data::ReadCsvFile(out(QStringLiteral("data.csv")), back));
    EXPECT_EQ(back.RecordCount, 3);
}

TEST_F(DataPageTest, SuccessfulSaveRemembersTheFolderAndFailureSaysSo) {
    download();
    ASSERT_TRUE(QDir(outDir.path()).mkdir(QStringLiteral("sub")));
    const QString sub = QDir::toNativeSeparators(out(QStringLiteral("sub")));
    save(out(QStringLiteral("sub/data")));
    ASSERT_EQ(dialogs.fileDialogs.size(), 1U);
    EXPECT_EQ(dialogs.fileDialogs[0].folder, documents.path());
    EXPECT_EQ(dialogs.fileDialogs[0].filter, QStringLiteral("*.csv"));
    EXPECT_EQ(dialogs.shown.back().title, QStringLiteral("確認"));
    EXPECT_EQ(window->store().DataUnsaved, 0);
    EXPECT_EQ(window->DataDirectory, sub);
    EXPECT_EQ(SettingsFile(folders()).load().settings.DataDirectory, sub);

    window->store().DataUnsaved = 1;
    dialogs.shown.clear();
    save(out(QStringLiteral("missing/data")));
    EXPECT_EQ(dialogs.fileDialogs.back().folder, sub);
    ASSERT_EQ(texts(), std::vector<QString>{QStringLiteral("書き込みできませんでした。")});
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(window->store().DataUnsaved, 1);
    EXPECT_EQ(window->DataDirectory, sub);
}

TEST_F(DataPageTest, ReadReportsTheOutcomeAndAFailedReadKeepsTheStore) {
    download();
    save(out(QStringLiteral("good")));
    fillTester(5);
    window->Command1_Click(0);
    ASSERT_EQ(window->store().RecordCount, 5);
    const data::MeasurementRecord fourth = window->store().slot(3);

    QFile bad(out(QStringLiteral("bad.csv")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("heading\r\n" + QByteArray(22, ',') + "\r\n");
    bad.close();
    dialogs.shown.clear();
    dialogs.files.push_back(out(QStringLiteral("bad")));
    window->Command1_Click(3);
    ASSERT_EQ(texts(), std::vector<QString>{QStringLiteral("読み出しできませんでした。")});
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(window->store().RecordCount, 5);
    EXPECT_TRUE(window->store().slot(3) == fourth);

    dialogs.files.push_back(out(QStringLiteral("good.csv")));
    window->Command1_Click(3);
    EXPECT_EQ(texts().back(), QStringLiteral("読み出しが正常に終了しました。"));
    EXPECT_EQ(window->store().RecordCount, 3);
    EXPECT_EQ(label4(), QStringLiteral("     3"));
}

TEST_F(DataPageTest, NothingOnThePageActsWhileADownloadRuns) {
    window->store().RecordCount = 1;
    bool sawDownload = false;
    rig.events.setHook([&] {
        if (sawDownload) return;
        sawDownload = window->downloading();
        for (const int button : {0, 1, 2, 3, 9}) window->Command1_Click(button);
        window->Grid2_DblClick(0, 2);
        EXPECT_FALSE(window->close());
    });
    window->Command1_Click(0);
    EXPECT_TRUE(sawDownload);
    EXPECT_EQ(texts(), std::vector<QString>{kLoadDone});
    EXPECT_TRUE(dialogs.fileDialogs.empty());
    EXPECT_TRUE(dialogs.editorOpenedWith.empty());
    EXPECT_FALSE(window->programEnded());
    EXPECT_EQ(window->store().RecordCount, 3);
    EXPECT_EQ(testerRecords(), 3);
}

TEST_F(DataPageTest, ManagementNumberEditorStoresTheTrimmedPaddedEntry) {
    data::RecordStore& store = window->store();
    store.RecordCount = 2;
    store.slot(0).ManagementNo = QStringLiteral("  X1");
    dialogs.entries = {QStringLiteral("AB12"), std::nullopt, QStringLiteral("ABCDEFGHIJKL")};
    window->Grid2_DblClick(0, 2);
    EXPECT_EQ(dialogs.editorOpenedWith, std::vector<QString>{QStringLiteral("X1")});
    EXPECT_EQ(store.slot(0).ManagementNo.text(), QStringLiteral("AB12      "));
    EXPECT_EQ(window->controls().Grid2->model()->index(0, 2).data().toString(), QStringLiteral("AB12      "));
    EXPECT_EQ(store.DataUnsaved, 1);

    store.DataUnsaved = 0;
    window->Grid2_DblClick(1, 2);  // cancelled
    window->Grid2_DblClick(1, 1);  // not the number column
    EXPECT_EQ(store.slot(1).ManagementNo.text(), QString(10, u' '));
    EXPECT_EQ(store.DataUnsaved, 0);
    EXPECT_EQ(dialogs.editorOpenedWith.size(), 2U);

    window->Grid2_DblClick(2, 2);
    ASSERT_EQ(texts(), std::vector<QString>{QStringLiteral("データがない行は入力できません。")});
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(dialogs.editorOpenedWith.size(), 2U);

    window->Grid2_DblClick(1, 2);
    EXPECT_EQ(store.slot(1).ManagementNo.text(), QStringLiteral("ABCDEFGHIJ"));
}

}  // namespace
}  // namespace torbex::app
