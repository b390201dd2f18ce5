// The settings page, the clock and mode buttons and the factory page, against the simulated
// tester: what each button queues and what the tester receives at the next tick.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <memory>

#include "app/frm_main.h"
#include "app/support/scripted_dialogs.h"
#include "app/text_files.h"
#include "commands/value_text.h"
#include "support/sim_fixture.h"

namespace torbex::app {
namespace {

class SettingsPageTest : public ::testing::Test {
protected:
    SettingsPageTest() {
        window = std::make_unique<frmMain>(MainWindowServices{rig.bus, rig.clock, rig.events, dialogs,
                                                              {program.path(), config.path(), documents.path()},
                                                              [this] { return rig.localTime; }, false});
        EXPECT_TRUE(window->Form_Load());
        window->Timer2_Timer();  // version, and the connection comes up
        window->Timer2_Timer();  // calibration and serial number
        dialogs.shown.clear();
        rig.tester.forgetReceivedCommands();
    }

    QLineEdit* text(const char* name) const { return window->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QComboBox* list(const char* name) const { return window->findChild<QComboBox*>(QString::fromLatin1(name)); }
    std::int16_t pendingRequest() const { return window->session().requests.COM_REQ; }
    commands::CommandFrame sendNow() {
        window->Timer2_Timer();
        return rig.lastCommand();
    }
    static QByteArray bytes(const commands::CommandFrame& frame, int first, int count) {
        return QByteArray(reinterpret_cast<const char*>(frame.data() + first), count);
    }
    QStringList settingsFileValues() const {
        QStringList values, labels;
        ReadValueLabelFile(program.filePath(QStringLiteral("Setting.ini")), values, labels);
        return values;
    }

    testing::SimulatedRig rig;
    testing::ScriptedDialogs dialogs;
    QTemporaryDir program, config, documents;
    std::unique_ptr<frmMain> window;
};

TEST_F(SettingsPageTest, FlowRateOutsideFiveToHundredFiftyIsRefusedAndRestored) {
    const struct {
        const char* entry;
        bool accepted;
    } cases[] = {{"5", true}, {"150", true}, {"4.99", false}, {"150.1", false}, {"", false}, {"abc", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        window->session().requests.COM_REQ = 0;
        dialogs.shown.clear();
        const float before = window->session().values.measurementSettings.FlowRate;
        text("Text2(0)")->setText(QString::fromLatin1(c.entry));
        window->Command5_Click(1);
        if (c.accepted) {
            EXPECT_EQ(pendingRequest(), kRequestWriteSettings);
            EXPECT_TRUE(dialogs.shown.empty());
            EXPECT_EQ(settingsFileValues()[0], QString::fromLatin1(c.entry));
        } else {
            EXPECT_EQ(pendingRequest(), 0);
            ASSERT_EQ(dialogs.shown.size(), 1U);
            EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("入力値異常"));
            EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("流量は、5ml/h～150ml/hの範囲で入力して下さい。"));
            EXPECT_EQ(window->session().values.measurementSettings.FlowRate, before);
            EXPECT_EQ(text("Text2(0)")->text(), commands::formatFlowRate(before));
        }
    }
}

TEST_F(SettingsPageTest, TransferSendsRoundedFlowLevelWithItsPressureAndUnits) {
    text("Text2(0)")->setText(QStringLiteral("12.5"));
    list("Combo1")->setCurrentIndex(2);
    EXPECT_EQ(text("Text2(3)")->text(), QStringLiteral("80～133"));  // at once, before any transfer
    list("Combo4")->setCurrentIndex(1);
    list("Combo5")->setCurrentIndex(1);
    window->Command5_Click(1);

    EXPECT_EQ(window->session().values.measurementSettings.FlowRate, 12.5F);
    EXPECT_EQ(settingsFileValues()[0], QStringLiteral("12.5"));
    const commands::CommandFrame sent = sendNow();
    EXPECT_EQ(sent[1], 0x22);
    EXPECT_EQ(bytes(sent, 2, 4), QByteArray("0012"));
    EXPECT_EQ(bytes(sent, 10, 4), QByteArray("0107"));
    EXPECT_EQ(sent[14], '2');
    EXPECT_EQ(sent[17], 0x33);
}

TEST_F(SettingsPageTest, HiddenUnitListsStayAtFirstEntriesSoTransfersSendUnitsZero) {
    rig.tester.state().settings.DisplayUnits = 3;
    EXPECT_EQ(list("Combo4")->currentIndex(), 0);
    EXPECT_EQ(list("Combo5")->currentIndex(), 0);
    window->Command5_Click(1);
    EXPECT_EQ(sendNow()[17], '0');
}

TEST_F(SettingsPageTest, SettingsReadShowsUnitsAndLeavesUnlistedValuesUnselected) {
    rig.tester.state().settings = {120.0F, 0, 0, 67.0F, 1, 1, 0, 2};
    window->Command5_Click(0);
    sendNow();
    EXPECT_EQ(text("Text2(0)")->text(), QStringLiteral("120"));
    EXPECT_EQ(list("Combo2")->currentIndex(), 1);
    EXPECT_EQ(list("Combo4")->currentIndex(), 0);
    EXPECT_EQ(list("Combo5")->currentIndex(), 1);

    rig.tester.state().settings.OcclusionLevel = 3;
    rig.tester.state().settings.WriteMode = 7;
    window->Command5_Click(0);
    sendNow();
    EXPECT_EQ(list("Combo1")->currentIndex(), -1);
    EXPECT_EQ(list("Combo2")->currentIndex(), -1);
    EXPECT_EQ(window->session().values.measurementSettings.OcclusionLevel, 1);
    EXPECT_EQ(window->session().values.measurementSettings.WriteMode, 1);
}

TEST_F(SettingsPageTest, ClockIsTakenWhenTheTickSendsItAndNoSendsNothing) {
    dialogs.answers = {false};
    window->Command2_Click();
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("確認"));
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("トルベックスに現在時刻を設定します。よろしいですか？\n2024 03/05 09:07"));
    EXPECT_EQ(pendingRequest(), 0);

    dialogs.answers = {true};
    window->Command2_Click();
    rig.localTime = QDateTime(QDate(2024, 3, 5), QTime(9, 8, 41));
    const commands::CommandFrame sent = sendNow();
    EXPECT_EQ(sent[1], 0x11);
    EXPECT_EQ(bytes(sent, 2, 12), QByteArray("240305090841"));
}

TEST_F(SettingsPageTest, ModeButtonsSendTheirModes) {
    window->Command3_Click(0);
    EXPECT_EQ(bytes(sendNow(), 1, 2), QByteArray("\x70" "1"));
    window->Command3_Click(1);
    EXPECT_EQ(bytes(sendNow(), 1, 2), QByteArray("\x70" "2"));
    window->Command3_Click(2);
    EXPECT_EQ(sendNow()[1], 0x72);
    EXPECT_TRUE(rig.tester.inProgramRewriteMode());
}

TEST_F(SettingsPageTest, CalibrationWriteSendsParsedCoefficientsAndPaddedSerial) {
    text("txtHeisoku(0)")->setText(QStringLiteral("abc"));
    text("txtHeisoku(1)")->setText(QStringLiteral("1.5"));
    text("txtHeisoku(2)")->setText(QStringLiteral("0.5"));
    text("txtSerial")->setText(QStringLiteral(" AB12 "));
    window->Command6_Click(1);
    const commands::CommandFrame sent = sendNow();
    EXPECT_EQ(bytes(sent, 2, 4), QByteArray(4, '\0'));
    EXPECT_EQ(bytes(sent, 6, 4), QByteArray("\x00\x00\xC0\x3F", 4));
    EXPECT_EQ(bytes(sent, 14, 8), QByteArray("AB12    "));
    EXPECT_EQ(rig.tester.state().coefficients[2], 0.5F);

    text("txtSerial")->setText(QStringLiteral("ABCDEFGHIJ"));
    window->Command6_Click(1);
    EXPECT_EQ(bytes(sendNow(), 14, 8), QByteArray("ABCDEFGH"));
}

TEST_F(SettingsPageTest, CalibrationWriteRefusesValuesTheTesterCannotHold) {
    for (const auto& [coefficient, serial] : {std::pair{"1e40", "TB1"}, std::pair{"1", "ＴＢ１"}, std::pair{"1", "TB\t1"}}) {
        SCOPED_TRACE(coefficient);
        dialogs.shown.clear();
        text("txtHeisoku(0)")->setText(QString::fromLatin1(coefficient));
        text("txtSerial")->setText(QString::fromUtf8(serial));
        window->Command6_Click(1);
        EXPECT_EQ(pendingRequest(), 0);
        ASSERT_EQ(dialogs.shown.size(), 1U);
        EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("入力値異常"));
    }
}

TEST_F(SettingsPageTest, CalibrationReadShowsPatternAndSerialBanner) {
    rig.tester.state().coefficients = {0.5F, 2.0F, 0.95F};
    rig.tester.state().serial = QStringLiteral("SN 42   ");
    window->Command6_Click(0);
    sendNow();
    EXPECT_EQ(text("txtHeisoku(0)")->text(), QStringLiteral("0.5"));
    EXPECT_EQ(text("txtHeisoku(1)")->text(), QStringLiteral("2."));
    EXPECT_EQ(text("txtHeisoku(2)")->text(), QStringLiteral("0.95"));
    EXPECT_EQ(text("txtSerial")->text(), QStringLiteral("SN 42   "));
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblSN"))->text(), QStringLiteral("　トルベックス　s/n　SN 42   "));
}

}  // namespace
}  // namespace torbex::app
