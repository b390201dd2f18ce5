// Every tester request, driven the way the operator drives it, against every fault the tester or
// the cable can commit. Whatever happens, the window must come back connected within a few ticks
// with its records and its settings file either untouched or completely replaced.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "app/frm_main.h"
#include "app/support/scripted_dialogs.h"
#include "app/text_files.h"
#include "data/csv_codec.h"
#include "support/sim_fixture.h"

namespace torbex::app {
namespace {

using sim::Fault;
using testing::ScriptedDialogs;

const QString kConnected = QStringLiteral("接続中");
const QString kLoadDone = QStringLiteral("読み込みが正常に終了しました。");
const QString kNotConnected = QStringLiteral("トルベックスが接続されていません");

struct CommandCase {
    const char* name;
    bool runsOnTick;  // queued by the button, carried out by the next tick
    void (*run)(frmMain&, ScriptedDialogs&);
    friend void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }
};

const std::array<CommandCase, 11> kCommands{{
    {"SettingsTransfer", true, [](frmMain& w, ScriptedDialogs&) {
         w.controls().Text2.at(0)->setText(QStringLiteral("12.5"));  // so that Setting.ini is rewritten
         w.Command5_Click(1);
     }},
    {"CalibrationWrite", true, [](frmMain& w, ScriptedDialogs&) { w.Command6_Click(1); }},
    {"Clock", true, [](frmMain& w, ScriptedDialogs& d) { d.answers = {true}; w.Command2_Click(); }},
    {"ModeChange", true, [](frmMain& w, ScriptedDialogs&) { w.Command3_Click(0); }},
    {"ProgramRewrite", true, [](frmMain& w, ScriptedDialogs&) { w.Command3_Click(2); }},
    {"VersionRead", true, [](frmMain& w, ScriptedDialogs&) { w.session().requests.queueRequest(kRequestReadVersion); }},
    {"SettingsRead", true, [](frmMain& w, ScriptedDialogs&) { w.Command5_Click(0); }},
    {"CalibrationRead", true, [](frmMain& w, ScriptedDialogs&) { w.Command6_Click(0); }},
    {"Poll", true, [](frmMain&, ScriptedDialogs&) {}},
    {"Download", false, [](frmMain& w, ScriptedDialogs& d) { d.answers = {true}; w.Command1_Click(0); }},
    {"DeviceClear", false, [](frmMain& w, ScriptedDialogs& d) { d.answers = {true, true}; w.Command1_Click(1); }},
}};

struct FaultCase {
    const char* name;
    Fault fault;
    friend void PrintTo(const FaultCase& f, std::ostream* os) { *os << f.name; }
};

const std::array<FaultCase, 7> kFaults{{
    {"TimeOut", Fault::NoAnswer},
    {"StaleEcho", Fault::StaleEcho},
    {"WriteFails", Fault::WriteFails},
    {"Unplug", Fault::Unplug},
    {"Replug", Fault::Replug},
    {"Garbage", Fault::Garbage},
    {"RecordNotReady", Fault::RecordNotReady},
}};

sim::TesterState testerWithRecords() {
    sim::TesterState state;
    for (int i = 0; i < 30; ++i) {
        sim::StoredRecord r;
        r.rfid = QStringLiteral("%1").arg(0xA1B2C3D400000000ULL + static_cast<quint64>(i), 16, 16, QLatin1Char('0')).toUpper();
        r.status = i % 2 == 0 ? 0x8F : 0x13;
        r.date = QStringLiteral("2403%1").arg(i % 28 + 1, 2, 10, QLatin1Char('0'));
        r.time = QStringLiteral("1%1").arg(i, 3, 10, QLatin1Char('0'));
        r.flowSetting = 5 + i;
        r.flowResult = 990 + i;
        r.occlusionLevel = i % 3;
        r.occlusionValue = 40 + i;
        r.occlusionResult = 500 + i;
        state.slots[static_cast<std::size_t>(i * 33 + i % 2)] = r;  // uneven gaps
    }
    return state;
}

std::vector<data::MeasurementRecord> records(const data::RecordStore& store) {
    std::vector<data::MeasurementRecord> held;
    for (int i = 0; i < store.RecordCount; ++i) held.push_back(store.slot(i));
    return held;
}

// What a download that runs to its end would leave: the tester's records, read undisturbed.
std::vector<data::MeasurementRecord> completedDownload(const sim::TesterState& state) {
    testing::SimulatedRig reference(state);
    data::RecordStore store;
    data::DownloadView quiet;
    data::MeasurementDownload(reference.session.exchange, reference.session.requests, store, quiet).ReadMeasurementData();
    EXPECT_EQ(reference.session.requests.COM_ERR, 0);
    return records(store);
}

bool fieldsHaveTheirWidths(const data::MeasurementRecord& r) {
    const auto fits = [](const auto& field) { return field.text().size() == field.kWidth; };
    return fits(r.StatusFlags) && fits(r.PumpRfid) && fits(r.ManagementNo) && fits(r.MeasureDate) &&
           fits(r.MeasureTime) && fits(r.FlowSetting) && fits(r.FlowResult) && fits(r.OcclusionSetting) &&
           fits(r.OcclusionValue) && fits(r.OcclusionResult);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FaultMatrix : public ::testing::TestWithParam<std::tuple<CommandCase, FaultCase>> {
protected:
    FaultMatrix() : rig(testerWithRecords()) {
        window = std::make_unique<frmMain>(MainWindowServices{rig.bus, rig.clock, rig.events, dialogs,
                                                              {program.path(), config.path(), documents.path()},
                                                              [this] { return rig.localTime; }, false});
    }
    bool connected() const {
        return window->controls().Label1->text() == kConnected && window->session().link.deviceFound();
    }
    // Ticks until the connection is shown and no request is left over; false if it never settles.
    bool settle() {
        for (int tick = 0; tick < 5; ++tick) {
            if (connected() && window->session().requests.COM_REQ == kNoRequest) return true;
            window->Timer2_Timer();
        }
        return connected() && window->session().requests.COM_REQ == kNoRequest;
    }

    testing::SimulatedRig rig;
    ScriptedDialogs dialogs;
    QTemporaryDir program, config, documents;
    std::unique_ptr<frmMain> window;
};

TEST_P(FaultMatrix, WindowRecoversWithRecordsAndSettingsWhole) {
    const auto& [command, fault] = GetParam();
    const bool download = std::string_view(command.name) == "Download";
    const bool clear = std::string_view(command.name) == "DeviceClear";

    ASSERT_TRUE(window->Form_Load());
    ASSERT_TRUE(settle());
    window->Command1_Click(0);
    ASSERT_EQ(window->store().RecordCount, 30);
    ASSERT_TRUE(settle());

    const std::vector<data::MeasurementRecord> before = records(window->store());
    const QString settingsPath = window->settingsFile().path();
    const QByteArray settingsBefore = fileBytes(settingsPath);
    ASSERT_FALSE(settingsBefore.isEmpty());
    // The tester now holds something else, so a completed download cannot pass for an untouched store.
    rig.tester.state().slots[1000] = sim::StoredRecord{};
    std::get<sim::StoredRecord>(*rig.tester.state().slots[0]).flowResult = 1234;
    const std::vector<data::MeasurementRecord> fresh = completedDownload(rig.tester.state());
    dialogs.shown.clear();

    if (download) {
        // Part way through, with records already in: a store updated as they come would show it.
        const std::size_t strikeAt = rig.tester.receivedCommands().size() + 15;
        rig.events.setHook([this, strikeAt, fault = fault.fault, injected = false]() mutable {
            if (injected || rig.tester.receivedCommands().size() < strikeAt) return;
            injected = true;
            rig.tester.injectFault(fault);
        });
    } else {
        rig.tester.injectFault(fault.fault);
    }
    command.run(*window, dialogs);
    rig.events.setHook({});
    if (command.runsOnTick) window->Timer2_Timer();

    // The fault ends: the cable goes back in, and a tester left rewriting its program restarts.
    if (rig.tester.inProgramRewriteMode()) rig.tester.unplug();
    rig.tester.plugIn();
    // The tester is left alone for a while after a clear; those ticks do not count.
    const int ticks = 5 + window->session().requests.com_dis_ctr;
    for (int tick = 0; tick < ticks && !connected(); ++tick) window->Timer2_Timer();
    EXPECT_TRUE(connected()) << window->controls().Label1->text().toStdString();
    EXPECT_FALSE(window->session().exchange.busy());
    EXPECT_EQ(window->session().requests.COM_ENA, 1);
    EXPECT_FALSE(window->programEnded());

    const data::RecordStore& store = window->store();
    const std::vector<data::MeasurementRecord> after = records(store);
    const QString told = dialogs.shown.empty() ? QString() : dialogs.shown.back().text;
    if (clear) {
        EXPECT_EQ(store.RecordCount, 0);  // the operator asked for it
    } else if (download && fault.fault == Fault::Garbage) {
        // Noise can pass as a record; it must still be one the grid and the data file can hold.
        EXPECT_GE(store.RecordCount, 0);
        EXPECT_LE(store.RecordCount, sim::kSlotCount);
        for (int i = 0; i < store.RecordCount; ++i) EXPECT_TRUE(fieldsHaveTheirWidths(store.slot(i))) << i;
    } else if (download && after == fresh) {
        EXPECT_EQ(told, kLoadDone);
    } else {
        EXPECT_TRUE(after == before) << "records changed: " << store.RecordCount;
        if (download) {
            EXPECT_EQ(told, kNotConnected);
        }
    }

    QBuffer saved;
    saved.open(QIODevice::WriteOnly);
    EXPECT_TRUE(data::writeCsv(saved, store)) << "the records can no longer be saved";

    const QByteArray settingsAfter = fileBytes(settingsPath);
    if (settingsAfter != settingsBefore) {
        QStringList values, labels;
        EXPECT_GE(parseValueLabelText(settingsAfter, values, labels), 9);
        const std::optional<StoredSettings> stored = storedSettingsFrom(values);
        ASSERT_TRUE(stored.has_value()) << settingsAfter.toStdString();
        EXPECT_EQ(stored->measurement.FlowRate, window->session().values.measurementSettings.FlowRate);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCommandEveryFault, FaultMatrix,
                         ::testing::Combine(::testing::ValuesIn(kCommands), ::testing::ValuesIn(kFaults)),
                         [](const ::testing::TestParamInfo<FaultMatrix::ParamType>& info) {
                             return std::string(std::get<0>(info.param).name) + '_' + std::get<1>(info.param).name;
                         });

}  // namespace
}  // namespace torbex::app
