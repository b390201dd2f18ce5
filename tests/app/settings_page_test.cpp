// The settings page, the clock and mode buttons and the factory page against the simulated
// tester: what each button queues and what the tester receives at the next tick.
#include <gtest/gtest.h>

#include <QtWidgets>

#include "app/frm_main.h"
#include "app/support/scripted_dialogs.h"
#include "commands/clock_and_calibration.h"
#include "support/sim_fixture.h"

namespace torbex::app {
namespace {

class SettingsPageTest : public ::testing::Test {
protected:
    SettingsPageTest() {
        EXPECT_TRUE(window.Form_Load());
        window.Timer2_Timer();  // version, and the connection comes up
        window.Timer2_Timer();  // calibration and serial number
        told();
    }
    QWidget* widget(const QString& name) const { return window.findChild<QWidget*>(name); }
    // The texts of the named boxes, lists and labels, joined by "|".
    QString seen(const char* names) const {
        QStringList texts;
        for (const QString& name : QString::fromLatin1(names).split(u' '))
            texts << widget(name)->property("text").toString() + widget(name)->property("currentText").toString();
        return texts.join(u'|');
    }
    // What was shown since the last call, as "title|text" lines.
    QString told() {
        QStringList all;
        for (const auto& shown : dialogs.shown) all << shown.title + u'|' + shown.text;
        dialogs.shown.clear();
        return all.join(u'\n');
    }
    const WindowControls& c() const { return window.controls(); }
    commands::MeasurementSettings& held() { return window.session().values.measurementSettings; }
    std::int16_t pending() { return window.session().requests.COM_REQ; }
    QByteArray sendNow(int first = 1, int count = 1) {
        window.Timer2_Timer();
        return QByteArray(reinterpret_cast<const char*>(rig.lastCommand().data() + first), count);
    }
    float storedFlow() const { return SettingsFile(folders).load().settings.measurement.FlowRate; }

    testing::SimulatedRig rig;
    testing::ScriptedDialogs dialogs;
    QTemporaryDir program, config, documents;
    SettingsFolders folders{program.path(), config.path(), documents.path()};
    // Setting.ini holds both units switched; the hidden unit lists must not take them up.
    bool fileWritten = SettingsFile(folders).save({{33.0F, 0, 0, 40.0F, 0, 0, 0, 3}, documents.path()});
    frmMain window{{rig.bus, rig.clock, rig.events, dialogs, folders, [this] { return rig.localTime; }, false}};
};

TEST_F(SettingsPageTest, FlowRateBoundsAreInclusiveAndARefusalIsExplainedAndRestored) {
    for (const auto& [entry, accepted] : {std::pair{"5", true}, {"150", true}, {"4.99", false}, {"150.1", false}}) {
        SCOPED_TRACE(entry);
        window.session().requests.COM_REQ = 0;
        const float before = held().FlowRate, now = accepted ? QString::fromLatin1(entry).toFloat() : before;
        c().Text2.at(0)->setText(QString::fromLatin1(entry));
        window.Command5_Click(1);
        EXPECT_EQ(pending(), accepted ? kRequestWriteSettings : 0);
        EXPECT_EQ(held().FlowRate, now);
        EXPECT_EQ(storedFlow(), now);
        EXPECT_EQ(seen("Text2(0)"), QString::number(now));
        EXPECT_EQ(told(), accepted ? QString() : QStringLiteral("入力値異常|流量は、5ml/h～150ml/hの範囲で入力して下さい。"));
    }
}

TEST_F(SettingsPageTest, TransferStoresTheFlowAndSendsItRoundedWithLevelPressureAndUnits) {
    ASSERT_TRUE(fileWritten);
    EXPECT_EQ(seen("Text2(0) Combo1 Text2(3) Combo4 Combo5"), QStringLiteral("33|Ｌ|27～53|％|ｋｐａ"));
    window.Command5_Click(1);
    EXPECT_EQ(sendNow(17), QByteArray("0"));  // the units the lists show, not those the file held

    c().Text2.at(0)->setText(QStringLiteral("12.5"));
    c().Combo1->setCurrentIndex(2);
    EXPECT_EQ(seen("Text2(3)"), QStringLiteral("80～133"));  // at once, before any transfer
    c().Combo4->setCurrentIndex(1);
    c().Combo5->setCurrentIndex(1);
    window.Command5_Click(1);
    EXPECT_EQ(storedFlow(), 12.5F);
    EXPECT_EQ(sendNow(1, 17), QByteArray("\x22" "0012" "0000" "0107" "2" "00" "\x33"));
}

TEST_F(SettingsPageTest, SettingsReadShowsUnitsAndLeavesUnlistedValuesUnselectedWhileHeldOnesStay) {
    rig.tester.state().settings = {120.0F, 0, 0, 67.0F, 1, 1, 0, 2};
    window.Command5_Click(0);
    sendNow();
    EXPECT_EQ(seen("Text2(0) Combo1 Combo2 Combo4 Combo5"), QStringLiteral("120|Ｍ|上書きモード|％|ｍｍＨｇ"));
    rig.tester.state().settings.OcclusionLevel = 3;
    rig.tester.state().settings.WriteMode = 7;
    window.Command5_Click(0);
    sendNow();
    EXPECT_EQ(seen("Combo1 Combo2"), QStringLiteral("|"));
    EXPECT_EQ(held().OcclusionLevel, 1);
    EXPECT_EQ(held().WriteMode, 1);
}

// A transfer after such a read sends only digits: where a list has no selection the tester's own
// digit goes back, and Setting.ini keeps its last readable value, so the next start keeps it too.
TEST_F(SettingsPageTest, TransferAfterAReadOfUnlistedValuesSendsTheTestersDigitsAndKeepsSettingIni) {
    rig.tester.state().settings = {120.0F, 0, 0, 67.0F, 3, 7, 5, 9};
    window.Command5_Click(0);
    sendNow();
    EXPECT_EQ(seen("Combo1 Combo2 Combo3 Combo4 Combo5"), QStringLiteral("||||"));
    c().Text2.at(0)->setText(QStringLiteral("50"));
    window.Command5_Click(1);
    EXPECT_EQ(sendNow(1, 17), QByteArray("\x22" "0050" "0000" "0067" "3759"));
    const SettingsFile::LoadResult next = SettingsFile(folders).load();
    EXPECT_TRUE(next.readable);
    EXPECT_EQ(next.settings.measurement, (commands::MeasurementSettings{50.0F, 0, 0, 67.0F, 0, 0, 0, 3}));
}

TEST_F(SettingsPageTest, ClockIsTakenWhenTheTickSendsItAndNoSendsNothing) {
    window.Command2_Click();
    EXPECT_EQ(told(), QStringLiteral("確認|トルベックスに現在時刻を設定します。よろしいですか？\n2024 03/05 09:07"));
    EXPECT_EQ(pending(), 0);
    dialogs.answers = {true};
    window.Command2_Click();
    rig.localTime = QDateTime(QDate(2024, 3, 5), QTime(9, 8, 41));
    EXPECT_EQ(sendNow(1, 13), QByteArray("\x11" "240305090841"));
}

TEST_F(SettingsPageTest, ModeButtonsSendTheirModes) {
    for (const auto& [button, sent] : {std::pair{0, QByteArray("\x70" "1")}, {1, QByteArray("\x70" "2")}, {2, QByteArray("\x72")}}) {
        window.Command3_Click(button);
        EXPECT_EQ(sendNow(1, sent.size()), sent) << button;
    }
    EXPECT_TRUE(rig.tester.inProgramRewriteMode());
}

TEST_F(SettingsPageTest, CalibrationWriteSendsParsedCoefficientsAndFittedSerialOrRefusesWhatTheTesterCannotHold) {
    const auto enter = [this](const char* a0, const char* serial) {
        c().txtHeisoku.at(0)->setText(QString::fromLatin1(a0));
        c().txtHeisoku.at(1)->setText(QStringLiteral("1.5"));
        c().txtHeisoku.at(2)->setText(QStringLiteral("0.5"));
        c().txtSerial->setText(QString::fromUtf8(serial));
        window.Command6_Click(1);
    };
    enter("abc", " AB12 ");
    EXPECT_EQ(sendNow(2, 20), QByteArray("\0\0\0\0" "\0\0\xC0\x3F" "\0\0\0\x3F" "AB12    ", 20));
    enter("1", "ABCDEFGHIJ");
    EXPECT_EQ(sendNow(14, 8), QByteArray("ABCDEFGH"));
    using commands::kCoefficientRangeMessage, commands::kSerialCharactersMessage;
    for (const auto& [a0, serial, problem] : {std::tuple{"1e40", "TB1", kCoefficientRangeMessage},
                                              {"1", "ＴＢ１", kSerialCharactersMessage}, {"1", "TB\t1", kSerialCharactersMessage}}) {
        enter(a0, serial);
        EXPECT_EQ(pending(), 0) << serial;
        EXPECT_EQ(told(), QStringLiteral("入力値異常|") + problem) << serial;
    }
}

TEST_F(SettingsPageTest, CalibrationReadShowsCoefficientsAndSerialBanner) {
    rig.tester.state().coefficients = {0.5F, 2.0F, 0.95F};
    rig.tester.state().serial = QStringLiteral("SN 42   ");
    window.Command6_Click(0);
    sendNow();
    EXPECT_EQ(seen("txtHeisoku(0) txtHeisoku(1) txtHeisoku(2) txtSerial lblSN"),
              QStringLiteral("0.5|2.|0.95|SN 42   |　トルベックス　s/n　SN 42   "));
}

}  // namespace
}  // namespace torbex::app
