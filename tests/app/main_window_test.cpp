// The main window over a simulated tester, never shown: start-up state, page switching, the data
// grid and the poll tick stepped by hand.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <memory>

#include "app/frm_main.h"
#include "app/support/scripted_dialogs.h"
#include "app/text_files.h"
#include "support/sim_fixture.h"

namespace torbex::app {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    frmMain& open(SettingsFolders folders) {
        window = std::make_unique<frmMain>(MainWindowServices{rig.bus, rig.clock, rig.events, dialogs, std::move(folders),
                                                              [this] { return rig.localTime; }, false});
        return *window;
    }
    frmMain& openInTempFolders() { return open({program.path(), config.path(), documents.path()}); }

    template <typename Widget = QWidget>
    Widget* control(const char* name) const {
        auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString text(const char* name) const {
        if (auto* label = window->findChild<QLabel*>(QString::fromLatin1(name))) return label->text();
        return control<QLineEdit>(name)->text();
    }
    bool shown(const char* name) const { return control(name)->isVisibleTo(window.get()); }
    void tick(int times = 1) {
        for (int i = 0; i < times; ++i) window->Timer2_Timer();
    }
    std::size_t commandsSent() const { return rig.tester.receivedCommands().size(); }

    testing::SimulatedRig rig;
    testing::ScriptedDialogs dialogs;
    QTemporaryDir program, config, documents;
    std::unique_ptr<frmMain> window;
};

TEST_F(MainWindowTest, FirstStartShowsDefaultsAndCreatesSettingsFile) {
    frmMain& w = openInTempFolders();
    ASSERT_TRUE(w.Form_Load());

    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("ファイル異常"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("設定ファイルが読込みできません。初期化します。"));
    EXPECT_FALSE(IsFileAbsent(program.filePath(QStringLiteral("Setting.ini"))));

    EXPECT_EQ(w.windowTitle(), QStringLiteral("トルベックス　設定・データソフト(V1.02)"));
    EXPECT_TRUE(shown("Frame3(0)"));
    EXPECT_FALSE(shown("Frame3(1)"));
    EXPECT_FALSE(shown("Frame3(2)"));
    EXPECT_TRUE(control("cmdMode(0)")->font().bold());
    EXPECT_FALSE(control("cmdMode(1)")->font().bold());
    EXPECT_EQ(text("Label4"), QStringLiteral("0"));
    EXPECT_EQ(text("Label1"), QString());
    EXPECT_EQ(text("lblSN"), QStringLiteral("　トルベックス　s/n"));
    EXPECT_EQ(text("Text2(0)"), QStringLiteral("70"));
    EXPECT_EQ(control<QComboBox>("Combo1")->currentIndex(), 1);
    EXPECT_EQ(text("Text2(3)"), QStringLiteral("53～80"));
    EXPECT_EQ(text("txtHeisoku(0)"), QStringLiteral("0.95"));
    EXPECT_EQ(text("txtHeisoku(1)"), QStringLiteral("0.105"));
    EXPECT_EQ(text("txtHeisoku(2)"), QStringLiteral("0"));

    for (const char* hidden : {"cmdMode(2)", "Command1(3)", "Command5(0)", "Combo2", "Combo3", "Combo4", "Combo5",
                               "Label3(1)", "Label3(2)", "Label3(3)", "Label3(4)", "Label6(2)", "Command3(0)",
                               "Command3(1)", "Command10", "List2", "Command4"})
        EXPECT_TRUE(control(hidden)->isHidden()) << hidden;
    for (const char* visible : {"cmdMode(0)", "cmdMode(1)", "Command1(0)", "Command1(9)", "Combo1", "Command5(1)"})
        EXPECT_FALSE(control(visible)->isHidden()) << visible;
}

TEST_F(MainWindowTest, SavedLevelAndFlowAreShownAndLevelChangeUpdatesRange) {
    SettingsFile({program.path(), config.path(), documents.path()})
        .save({{12.5F, 0, 0, 40.0F, 0, 0, 0, 0}, documents.path()});
    frmMain& w = openInTempFolders();
    ASSERT_TRUE(w.Form_Load());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(text("Text2(0)"), QStringLiteral("12.5"));
    auto* combo = control<QComboBox>("Combo1");
    EXPECT_EQ(combo->currentText(), QStringLiteral("Ｌ"));
    EXPECT_EQ(text("Text2(3)"), QStringLiteral("27～53"));
    combo->setCurrentIndex(2);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Ｈ"));
    EXPECT_EQ(text("Text2(3)"), QStringLiteral("80～133"));
}

TEST_F(MainWindowTest, ExactlyOnePageAndItsButtonBoldAfterAnySwitch) {
    frmMain& w = openInTempFolders();
    ASSERT_TRUE(w.Form_Load());
    for (const int index : {1, 2, 0, 7, 1, 1, 0, 0, 7, 2, 1}) {
        w.cmdMode_Click(index);
        const int page = index == 7 ? 2 : index;
        for (int i = 0; i < 3; ++i) {
            const QString frame = QStringLiteral("Frame3(%1)").arg(i);
            const QString button = QStringLiteral("cmdMode(%1)").arg(i);
            EXPECT_EQ(w.findChild<QWidget*>(frame)->isVisibleTo(&w), i == page) << "after " << index << ": " << i;
            EXPECT_EQ(w.findChild<QWidget*>(button)->font().bold(), i == page) << "after " << index << ": " << i;
        }
    }
}

TEST_F(MainWindowTest, GridRowsScrollPositionAndCountFollowRecordCount) {
    frmMain& w = openInTempFolders();
    ASSERT_TRUE(w.Form_Load());
    auto* grid = control<QTableView>("Grid2");
    struct Case {
        int records, rows, firstRow;
        const char* count;
    };
    for (const Case& c : {Case{0, 200, 0, "     0"}, Case{19, 200, 0, "    19"}, Case{20, 200, 0, "    20"},
                          Case{21, 200, 1, "    21"}, Case{250, 251, 230, "   250"}, Case{10001, 10002, 9981, " 10001"},
                          Case{3, 200, 0, "     3"}}) {
        w.store().RecordCount = static_cast<std::int16_t>(c.records);
        w.DispData();
        EXPECT_EQ(grid->model()->rowCount(), c.rows) << c.records;
        EXPECT_EQ(grid->verticalScrollBar()->value(), c.firstRow) << c.records;
        EXPECT_EQ(text("Label4"), QString::fromLatin1(c.count)) << c.records;
        EXPECT_EQ(text("Label2"), QStringLiteral("データ数：") + QString::fromLatin1(c.count)) << c.records;
    }
}

TEST_F(MainWindowTest, StartFailsWhenNoFolderTakesTheSettingsFile) {
    frmMain& w = open({QString(), QString(), documents.path()});
    EXPECT_FALSE(w.Form_Load());
    ASSERT_EQ(dialogs.shown.size(), 2U);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("設定ファイルが読込みできません。初期化します。"));
    EXPECT_EQ(dialogs.shown[1].title, QStringLiteral("ファイル異常"));
    EXPECT_EQ(dialogs.shown[1].text, QStringLiteral("設定ファイルが書込みできません。　本プログラムを終了します。"));
    EXPECT_TRUE(w.programEnded());
}

TEST_F(MainWindowTest, ConnectionLabelAndSerialFollowTheCable) {
    rig.tester.unplug();
    frmMain& w = openInTempFolders();
    ASSERT_TRUE(w.Form_Load());
    tick(4);
    EXPECT_EQ(text("Label1"), QString());
    tick();
    EXPECT_EQ(text("Label1"), QStringLiteral("未接続"));

    rig.tester.plugIn();
    tick();
    EXPECT_EQ(text("Label1"), QStringLiteral("接続中"));
    tick();
    EXPECT_EQ(text("lblSN"), QStringLiteral("　トルベックス　s/n　TB000123"));
    EXPECT_EQ(text("txtSerial"), QStringLiteral("TB000123"));

    // The lost exchange and four empty ticks pass before the label gives up.
    rig.tester.unplug();
    tick(4);
    EXPECT_EQ(text("Label1"), QString());
    EXPECT_EQ(text("lblSN"), QStringLiteral("　トルベックス　s/n　TB000123"));
    tick();
    EXPECT_EQ(text("Label1"), QStringLiteral("未接続"));
    EXPECT_EQ(text("lblSN"), QStringLiteral("　トルベックス　s/n"));
}

TEST_F(MainWindowTest, HoldOffCounterSilencesTheTesterButNotTheLabel) {
    frmMain& w = openInTempFolders();
    ASSERT_TRUE(w.Form_Load());
    w.session().requests.com_dis_ctr = 10;
    tick(10);
    EXPECT_EQ(commandsSent(), 0U);
    // Nothing was exchanged, so the link counts as absent all along.
    EXPECT_EQ(text("Label1"), QStringLiteral("未接続"));
    tick();
    EXPECT_GT(commandsSent(), 0U);
    EXPECT_EQ(text("Label1"), QStringLiteral("接続中"));
}

TEST_F(MainWindowTest, DispatcherRunsOnlyWhileEnabled) {
    frmMain& w = openInTempFolders();
    ASSERT_TRUE(w.Form_Load());
    w.session().requests.COM_ENA = 0;
    tick(3);
    EXPECT_EQ(commandsSent(), 0U);
    w.session().requests.COM_ENA = 1;
    tick();
    EXPECT_EQ(commandsSent(), 1U);
}

}  // namespace
}  // namespace torbex::app
