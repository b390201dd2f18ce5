// The settings, clock, mode and factory buttons: what the simulated tester receives at the next tick.
#include <QTest>
#include <QtWidgets>

#include "app/support/window_fixture.h"

namespace torbex::app {
namespace {

class SettingsPageTest : public testing::WindowTest {
protected:
    SettingsPageTest() {
        EXPECT_TRUE(window.Form_Load());
        tick(2);  // version, then calibration and serial number
        told();
    }
    QString toldText() {
        const auto all = told();
        return all.empty() ? QString() : all.back();
    }
    QByteArray sendNow(int first = 1, int count = 1) {
        tick();
        return QByteArray(reinterpret_cast<const char*>(rig.lastCommand().data() + first), count);
    }
    float storedFlow() const { return SettingsFile(folders).load().settings.measurement.FlowRate; }
    const WindowControls& c() const { return window.controls(); }

    // Setting.ini holds both units switched; the hidden unit lists must not take them up.
    bool fileWritten = SettingsFile(folders).save({{33.0F, 0, 0, 40.0F, 0, 0, 0, 3}, QString()});
};

TEST_F(SettingsPageTest, TransferSendsTheFlowRoundedWithLevelPressureAndUnitsOrExplainsARefusal) {
    ASSERT_TRUE(fileWritten);
    QTest::keyClicks(c().Text2.at(3), QStringLiteral("9"));  // the range follows the level alone
    EXPECT_EQ(seen("Text2(0) Combo1 Text2(3) Combo4 Combo5"), QStringLiteral("33|Ｌ|27～53|％|ｋｐａ"));
    // The bounds themselves are the transfer check's; here the window explains a refusal and restores the box.
    c().Text2.at(0)->setText(QStringLiteral("150.1"));
    window.Command5_Click(SettingsButton::Transfer);
    EXPECT_EQ(std::tuple(window.requests().pending(), storedFlow(), seen("Text2(0)")), std::tuple(commands::Request::None, 33.0F, QStringLiteral("33")));
    EXPECT_EQ(toldText(), QStringLiteral("入力値異常|流量は、5ml/h～150ml/hの範囲で入力して下さい。"));
    window.Command5_Click(SettingsButton::Transfer);
    EXPECT_EQ(sendNow(17), QByteArray("0"));  // the units the lists show, not those the file held
    c().Text2.at(0)->setText(QStringLiteral("12.5"));
    c().Combo1->setCurrentIndex(2);
    EXPECT_EQ(seen("Text2(3)"), QStringLiteral("80～133"));  // at once, before any transfer
    c().Combo4->setCurrentIndex(1);
    c().Combo5->setCurrentIndex(1);
    window.Command5_Click(SettingsButton::Transfer);
    EXPECT_EQ((std::tuple{storedFlow(), sendNow(1, 17)}), std::tuple(12.5F, QByteArray("\x22" "0012" "0000" "0107" "2" "00" "\x33")));
}

// Values the lists cannot show leave them unselected; a transfer then sends only digits: the
// tester's own where nothing was chosen, while Setting.ini keeps its last readable values.
TEST_F(SettingsPageTest, ReadOfUnlistedValuesLeavesListsUnselectedAndATransferSendsTheTestersDigits) {
    rig.tester.state().settings = {120.0F, 0, 0, 67.0F, 1, 1, 1, 2};
    window.Command5_Click(SettingsButton::Read);
    sendNow();
    EXPECT_EQ(seen("Text2(0) Combo1 Combo2 Combo3 Combo4 Combo5"), QStringLiteral("120|Ｍ|上書きモード|使用しない|％|ｍｍＨｇ"));
    rig.tester.state().settings = {120.0F, 0, 0, 67.0F, 3, 7, 5, 9};
    window.Command5_Click(SettingsButton::Read);
    sendNow();
    EXPECT_EQ(seen("Combo1 Combo2 Combo3 Combo4 Combo5"), QStringLiteral("||||"));
    c().Text2.at(0)->setText(QStringLiteral("50"));
    window.Command5_Click(SettingsButton::Transfer);
    EXPECT_EQ(sendNow(1, 17), QByteArray("\x22" "0050" "0000" "0067" "3759"));
    const SettingsFile::LoadResult next = SettingsFile(folders).load();
    EXPECT_EQ(std::tuple(next.readable, next.settings.measurement), std::tuple(true, commands::MeasurementSettings{50.0F, 0, 0, 67.0F, 1, 1, 1, 2}));
}

// The clock is taken when the tick sends it (the question is the window's; the rest the dispatcher's).
TEST_F(SettingsPageTest, ClockAndModeButtonsSendTheirCommands) {
    dialogs.answers = {true};
    window.Command2_Click();
    rig.localTime = QDateTime(QDate(2024, 3, 5), QTime(9, 8, 41));
    EXPECT_EQ(sendNow(1, 13), QByteArray("\x11" "240305090841"));
    for (const auto& [button, sent] : {std::pair{ModeButton::Normal, QByteArray("\x70" "1")},
                                       {ModeButton::Calibration, QByteArray("\x70" "2")}, {ModeButton::ProgramRewrite, QByteArray("\x72")}}) {
        window.Command3_Click(button);
        EXPECT_EQ(sendNow(1, static_cast<int>(sent.size())), sent);
    }
    EXPECT_TRUE(rig.tester.inProgramRewriteMode());
}

TEST_F(SettingsPageTest, CalibrationWriteSendsWhatTheTesterCanHoldOrReadAndReadShowsItWithTheBanner) {
    const auto enter = [this](const char* a0, const char* serial) {
        c().txtHeisoku.at(0)->setText(QString::fromLatin1(a0));
        c().txtHeisoku.at(1)->setText(QStringLiteral("1.5"));
        c().txtHeisoku.at(2)->setText(QStringLiteral("0.5"));
        c().txtSerial->setText(QString::fromUtf8(serial));
        window.Command6_Click(FactoryButton::Write);
    };
    enter("abc", " AB12 ");
    EXPECT_EQ(sendNow(2, 20), QByteArray("\0\0\0\0" "\0\0\xC0\x3F" "\0\0\0\x3F" "AB12    ", 20));
    for (const auto& [a0, serial, problem] : {std::tuple{"1e40", "TB1", "校正係数は、単精度の数値で表せる範囲で入力して下さい。"},
                                              {"1", "ＴＢ１", "シリアル番号は、半角英数字・記号で入力して下さい。"}}) {
        enter(a0, serial);
        EXPECT_EQ(window.requests().pending(), commands::Request::None) << serial;
        EXPECT_EQ(toldText(), QStringLiteral("入力値異常|") + QString::fromUtf8(problem));
    }
    rig.tester.state().coefficients = {0.5F, 2.0F, 0.95F};
    rig.tester.state().serial = QStringLiteral("SN 42   ");
    window.Command6_Click(FactoryButton::Read);
    sendNow();
    EXPECT_EQ(seen("txtHeisoku(0) txtHeisoku(1) txtHeisoku(2) txtSerial lblSN"),
              QStringLiteral("0.5|2.|0.95|SN 42   |　トルベックス　s/n　SN 42   "));

    // A serial read with NUL or 0xFF padding goes back byte for byte with new coefficients.
    rig.tester.state().serial = QStringLiteral("TB12") + QChar(0) + QChar(0) + QChar(0xFF) + QChar(0xFF);
    rig.tester.state().coefficients = {0.0F, 0.0F, 0.0F};
    window.Command6_Click(FactoryButton::Read);
    sendNow();
    c().txtHeisoku.at(0)->setText(QStringLiteral("2"));
    window.Command6_Click(FactoryButton::Write);
    EXPECT_EQ(toldText(), QString());
    EXPECT_EQ(sendNow(2, 20), QByteArray("\0\0\0\x40" "\0\0\0\0" "\0\0\0\0" "TB12\0\0\xFF\xFF", 20));
}

}  // namespace
}  // namespace torbex::app
