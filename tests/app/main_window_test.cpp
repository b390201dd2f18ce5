// The main window over a simulated tester, never shown: start-up, page switching, the data grid
// and the poll tick stepped by hand.
#include <gtest/gtest.h>

#include <QtWidgets>

#include "app/frm_main.h"
#include "app/program.h"
#include "app/support/scripted_dialogs.h"
#include "app/text_files.h"
#include "support/sim_fixture.h"

namespace torbex::app {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    QWidget* widget(const QString& name) const { return window.findChild<QWidget*>(name); }
    // The texts of the named labels, boxes and lists, joined by "|".
    QString seen(const char* names) const {
        QStringList texts;
        for (const QString& name : QString::fromLatin1(names).split(u' '))
            texts << widget(name)->property("text").toString() + widget(name)->property("currentText").toString();
        return texts.join(u'|');
    }
    void expectPage(int page, int clicked) const {
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(widget(QStringLiteral("Frame3(%1)").arg(i))->isVisibleTo(&window), i == page) << clicked << " " << i;
            EXPECT_EQ(widget(QStringLiteral("cmdMode(%1)").arg(i))->font().bold(), i == page) << clicked << " " << i;
        }
    }
    void tick(int times = 1) {
        while (times-- > 0) window.Timer2_Timer();
    }

    testing::SimulatedRig rig;
    testing::ScriptedDialogs dialogs;
    QTemporaryDir program, config, documents;
    frmMain window{{rig.bus, rig.clock, rig.events, dialogs, {program.path(), config.path(), documents.path()}, {}, false}};
};

TEST_F(MainWindowTest, FirstStartCreatesSettingsFileAndShowsDefaultsWithTheFactoryControlsHidden) {
    ASSERT_TRUE(window.Form_Load());
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_EQ(dialogs.shown[0].title + u'|' + dialogs.shown[0].text,
              QStringLiteral("ファイル異常|設定ファイルが読込みできません。初期化します。"));
    EXPECT_FALSE(IsFileAbsent(program.filePath(QStringLiteral("Setting.ini"))));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("トルベックス　設定・データソフト(V1.02)"));
    expectPage(0, 0);
    EXPECT_EQ(seen("Label4 Label1 lblSN Text2(0) Combo1 Text2(3) txtHeisoku(0) txtHeisoku(1) txtHeisoku(2)"),
              QStringLiteral("0||　トルベックス　s/n|70|Ｍ|53～80|0.95|0.105|0"));
    for (const char* name : {"cmdMode(2)", "Command1(3)", "Command5(0)", "Combo2", "Combo3", "Combo4", "Combo5", "Label3(1)",
                             "Label3(2)", "Label3(3)", "Label3(4)", "Label6(2)", "Command3(0)", "Command3(1)", "Command10", "List2",
                             "Command4"})
        EXPECT_TRUE(widget(QString::fromLatin1(name))->isHidden()) << name;
    for (const char* name : {"cmdMode(0)", "cmdMode(1)", "Command1(0)", "Command1(9)", "Combo1", "Command5(1)"})
        EXPECT_FALSE(widget(QString::fromLatin1(name))->isHidden()) << name;
}

TEST_F(MainWindowTest, StartEndsTheProgramWhenNoFolderTakesTheSettingsFile) {
    frmMain homeless({rig.bus, rig.clock, rig.events, dialogs, {QString(), QString(), documents.path()}, {}, false});
    EXPECT_FALSE(homeless.Form_Load());
    ASSERT_EQ(dialogs.shown.size(), 2U);
    EXPECT_EQ(dialogs.shown[1].title + u'|' + dialogs.shown[1].text,
              QStringLiteral("ファイル異常|設定ファイルが書込みできません。　本プログラムを終了します。"));
    EXPECT_TRUE(homeless.programEnded());
}

TEST_F(MainWindowTest, ExactlyOnePageAndItsButtonBoldAfterAnySwitch) {
    ASSERT_TRUE(window.Form_Load());
    for (const int index : {1, 2, 0, 7, 1, 1, 0, 0, 7, 2, 1}) {
        window.cmdMode_Click(index);
        expectPage(std::min(index, 2), index);
    }
}

TEST_F(MainWindowTest, GridRowsFirstVisibleRowAndCountFollowRecordCount) {
    ASSERT_TRUE(window.Form_Load());
    const std::pair<int, const char*> cases[] = {
        {0, "200 rows from 0|     0|データ数：     0"},     {19, "200 rows from 0|    19|データ数：    19"},
        {20, "200 rows from 0|    20|データ数：    20"},    {21, "200 rows from 1|    21|データ数：    21"},
        {250, "251 rows from 230|   250|データ数：   250"}, {10001, "10002 rows from 9981| 10001|データ数： 10001"}};
    for (const auto& [records, shown] : cases) {
        window.store().RecordCount = static_cast<std::int16_t>(records);
        window.DispData();
        const QTableView* grid = window.controls().Grid2;
        EXPECT_EQ(QStringLiteral("%1 rows from %2|").arg(grid->model()->rowCount()).arg(grid->verticalScrollBar()->value()) +
                      seen("Label4 Label2"),
                  QString::fromUtf8(shown));
    }
}

TEST_F(MainWindowTest, ConnectionLabelAndSerialFollowTheCable) {
    rig.tester.unplug();
    ASSERT_TRUE(window.Form_Load());
    tick(4);
    EXPECT_EQ(seen("Label1"), QString());
    tick();
    EXPECT_EQ(seen("Label1"), QStringLiteral("未接続"));
    rig.tester.plugIn();
    tick();
    EXPECT_EQ(seen("Label1"), QStringLiteral("接続中"));
    tick();
    EXPECT_EQ(seen("lblSN txtSerial"), QStringLiteral("　トルベックス　s/n　TB000123|TB000123"));
    rig.tester.unplug();
    tick(5);
    EXPECT_EQ(seen("Label1 lblSN"), QStringLiteral("未接続|　トルベックス　s/n"));
}

// Qt appends an application display name to every window title; the titles are the program's own.
TEST(ProgramTest, TitlesStayExactAndTheWindowOpensCentred) {
    ASSERT_TRUE(prepareApplication(*qApp));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
    const QRect screen(0, 0, 1920, 1040);
    EXPECT_EQ(centredPosition(screen, QSize(962, 682)), QPoint(479, 179));
    EXPECT_EQ(centredPosition(QRect(1920, 24, 800, 576), QSize(962, 682)), QPoint(1920, 24));
}

}  // namespace
}  // namespace torbex::app
