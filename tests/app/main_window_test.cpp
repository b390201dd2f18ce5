// The main window: start-up, its controls, the pages, the grid and the connection label.
#include <QtTest>
#include <QtWidgets>

#include "app/program.h"
#include "app/support/layout_checks.h"
#include "app/support/window_fixture.h"
#include "app/window_layout.h"

namespace torbex::app {
namespace {

using MainWindowTest = testing::WindowTest;
using Told = std::vector<QString>;

TEST_F(MainWindowTest, FirstStartCreatesSettingsFileAndShowsDefaultsAndEveryClickArrives) {
    ASSERT_TRUE(window.Form_Load());
    EXPECT_EQ(told(), Told{QStringLiteral("ファイル異常|設定ファイルが読込みできません。初期化します。")});
    EXPECT_TRUE(isFile(program.filePath(QStringLiteral("Setting.ini"))));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("トルベックス　設定・データソフト(V1.02)"));
    EXPECT_EQ(seen("Label4 Label1 lblSN Text2(0) Combo1 Text2(3) txtHeisoku(0) txtHeisoku(1) txtHeisoku(2)"),
              QStringLiteral("0||　トルベックス　s/n|70|Ｍ|53～80|0.95|0.105|0"));
    // A real click on each button reaches its handler, and the pages switch.
    const WindowControls& c = window.controls();
    EXPECT_EQ(std::pair(c.Grid1->rowSpan(0, 4), c.Grid1->columnSpan(0, 4)), std::pair(2, 1));  // headings two rows high

    for (const int page : {1, 2, 0}) {
        c.cmdMode.at(page)->show();
        QTest::mouseClick(c.cmdMode.at(page), Qt::LeftButton);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(c.Frame3.at(i)->isVisibleTo(&window), i == page) << page;
            EXPECT_EQ(c.cmdMode.at(i)->font().bold(), i == page) << page;
        }
    }
    told();
    using commands::Request;
    const std::tuple<QWidget*, QString, Request> buttons[] = {
        {c.Command2, QStringLiteral("確認|トルベックスに現在時刻を設定します。よろしいですか？\n2024 03/05 09:07"), Request::ReadVersion},
        {c.Command1.at(1), QStringLiteral("確認|トルベックスのデータもクリアしますか？"), Request::ReadVersion},
        {c.Command6.at(1), QString(), Request::WriteCalibration}, {c.Command3.at(0), QString(), Request::ChangeMode},
        {c.Command3.at(2), QString(), Request::ProgramRewrite},   {c.Command5.at(1), QString(), Request::WriteSettings}};
    for (const auto& [button, question, request] : buttons) {
        button->show();
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(told(), question.isEmpty() ? Told{} : Told{question}) << button->objectName().toStdString();
        EXPECT_EQ(window.requests().pending(), request) << button->objectName().toStdString();
    }

    // No folder takes the settings file: the operator is told and the program ends.
    frmMain homeless({rig.bus, rig.clock, rig.events, dialogs, {QString(), QString(), documents.path()}, {}, false, {}, 12});
    EXPECT_FALSE(homeless.Form_Load());
    EXPECT_EQ(told().back(), QStringLiteral("ファイル異常|設定ファイルが書込みできません。　本プログラムを終了します。"));
    EXPECT_TRUE(homeless.programEnded());

    // The tick runs twice a second once the window is loaded.
    frmMain ticking({rig.bus, rig.clock, rig.events, dialogs, folders, [this] { return rig.localTime; }, true, {}, 12});
    EXPECT_FALSE(ticking.pollTimer().isActive());
    ASSERT_TRUE(ticking.Form_Load());
    EXPECT_EQ(std::pair(ticking.pollTimer().isActive(), ticking.pollTimer().interval()), std::pair(true, 500));
}

// Every control of the layout is there once, within its parent, its words whole, and clear of its
// neighbours (the pages lie on one another, and Label2 beneath them).
TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThem) {
    ASSERT_TRUE(window.Form_Load());  // the grid takes the height of its rows, some controls go for good
    std::map<QWidget*, QList<QWidget*>> siblings;
    for (const ControlPlace& place : kControlPlaces) {
        const auto found = window.findChildren<QWidget*>(QString(place.name));
        ASSERT_EQ(found.size(), 1) << place.name.data();
        if (found.front()->isHidden()) continue;
        if (place.name.startsWith(QLatin1StringView("Frame3")) || place.name == QLatin1StringView("Label2"))
            testing::expectApart(*found.front()->parentWidget(), found);
        else
            siblings[found.front()->parentWidget()].push_back(found.front());
    }
    // Twips rounded to pixels may touch by one pixel.
    for (const auto& [parent, controls] : siblings) testing::expectApart(*parent, controls, 1);
}

// On a screen smaller than the window (a 1366×768 laptop at 125 % leaves about 1093×534), the
// window fits it and scrolls to every control; it never grows beyond its layout.
TEST_F(MainWindowTest, SmallScreenCutsTheWindowOffOrLayoutStretches) {
    const auto& c = window.controls();
    window.resize(1093, 534);  // as the program sizes it for that screen
    window.show();
    auto* scroller = window.findChild<QScrollArea*>(QStringLiteral("scroller"));
    ASSERT_TRUE(scroller);
    EXPECT_EQ(window.size(), QSize(962 + window.style()->pixelMetric(QStyle::PM_ScrollBarExtent), 534));
    EXPECT_EQ(scroller->widget()->size(), QSize(962, 682));
    for (QWidget* control : {static_cast<QWidget*>(c.Command1.at(9)), static_cast<QWidget*>(c.cmdMode.at(0))}) {
        scroller->ensureWidgetVisible(control);
        EXPECT_TRUE(scroller->viewport()->rect().contains(QRect(control->mapTo(scroller->viewport(), QPoint(0, 0)), control->size())))
            << control->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, ConnectionLabelAndSerialFollowTheCable) {
    const auto label = [this] {
        return seen("Label1") + u'|' + widget(QStringLiteral("Label1"))->palette().color(QPalette::Window).name();
    };
    rig.tester.unplug();
    ASSERT_TRUE(window.Form_Load());
    QStringList labels;
    for (int i = 0; i < 6; ++i) {
        if (i == 5) rig.tester.plugIn();
        tick();
        labels << label();
    }
    EXPECT_EQ(labels.mid(3).join(u' '), QStringLiteral("|#c0c0c0 未接続|#ffff00 接続中|#00ff00"));
    tick();
    EXPECT_EQ(seen("lblSN txtSerial"), QStringLiteral("　トルベックス　s/n　TB000123|TB000123"));
    // While records come in the label says so.
    QString during;
    rig.events.setHook([&] { during = label(); });
    window.Command1_Click(DataButton::Load);
    EXPECT_EQ(during, QStringLiteral("通信中|#00ffff"));
    rig.events.setHook({});
    rig.tester.unplug();
    tick(5);
    EXPECT_EQ(seen("Label1 lblSN"), QStringLiteral("未接続|　トルベックス　s/n"));
}

// Qt appends an application display name to every window title; the titles are the program's own.
TEST(ProgramTest, TitlesStayExactAndTheWindowOpensCentred) {
    ASSERT_TRUE(prepareApplication(*qApp));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QGuiApplication::applicationName());
    EXPECT_EQ(centredPosition(QRect(0, 0, 1920, 1040), QSize(962, 682)), QPoint(479, 179));
    EXPECT_EQ(centredPosition(QRect(1920, 24, 800, 576), QSize(962, 682)), QPoint(1920, 24));
}

}  // namespace
}  // namespace torbex::app
