// Every tester request, driven the way the operator drives it, against every fault the tester or
// the cable can commit. Whatever happens, the window must come back connected within a few ticks
// with its records and its settings file either untouched or completely replaced.
#include <gtest/gtest.h>

#include <QtWidgets>
#include <string_view>

#include "app/frm_main.h"
#include "app/support/scripted_dialogs.h"
#include "data/csv_codec.h"
#include "support/sim_fixture.h"

namespace torbex::app {
namespace {

using sim::Fault;
using Records = std::vector<data::MeasurementRecord>;

// The buttons queue their request for the next tick; Download and DeviceClear talk to the tester
// at once. Every question asked on the way is answered Yes; the transfer's new flow rewrites Setting.ini.
const std::pair<const char*, void (*)(frmMain&)> kCommands[] = {
    {"SettingsTransfer", [](frmMain& w) { w.controls().Text2.at(0)->setText(QStringLiteral("12.5")); w.Command5_Click(1); }},
    {"CalibrationWrite", [](frmMain& w) { w.Command6_Click(1); }},
    {"Clock", [](frmMain& w) { w.Command2_Click(); }},
    {"ModeChange", [](frmMain& w) { w.Command3_Click(0); }},
    {"ProgramRewrite", [](frmMain& w) { w.Command3_Click(2); }},
    {"VersionRead", [](frmMain& w) { w.session().requests.queueRequest(kRequestReadVersion); }},
    {"SettingsRead", [](frmMain& w) { w.Command5_Click(0); }},
    {"CalibrationRead", [](frmMain& w) { w.Command6_Click(0); }},
    {"Poll", [](frmMain&) {}},
    {"Download", [](frmMain& w) { w.Command1_Click(0); }},
    {"DeviceClear", [](frmMain& w) { w.Command1_Click(1); }},
};
const std::pair<const char*, Fault> kFaults[] = {
    {"TimeOut", Fault::NoAnswer}, {"StaleEcho", Fault::StaleEcho}, {"WriteFails", Fault::WriteFails}, {"Unplug", Fault::Unplug},
    {"Replug", Fault::Replug},    {"Garbage", Fault::Garbage},     {"RecordNotReady", Fault::RecordNotReady},
};

sim::TesterState testerWithRecords() {
    sim::TesterState state;
    for (int i = 0; i < 30; ++i)  // uneven gaps between the slots
        state.slots[static_cast<std::size_t>(i * 33 + i % 2)] = sim::StoredRecord{
            QStringLiteral("A1B2C3D4%1").arg(i, 8, 16, QLatin1Char('0')), i % 2 == 0 ? 0x8F : 0x13,
            QStringLiteral("2403%1").arg(i % 28 + 1, 2, 10, QLatin1Char('0')), QStringLiteral("1%1").arg(i, 3, 10, QLatin1Char('0')),
            5 + i, 990 + i, i % 3, 40 + i, 500 + i};
    return state;
}

Records records(const data::RecordStore& store) {
    Records held;
    for (int i = 0; i < store.RecordCount; ++i) held.push_back(store.slot(i));
    return held;
}

// What a download that runs to its end would leave: the tester's records, read undisturbed.
Records completedDownload(const sim::TesterState& state) {
    testing::SimulatedRig reference(state);
    data::RecordStore store;
    data::DownloadView quiet;
    data::MeasurementDownload(reference.session.exchange, reference.session.requests, store, quiet).ReadMeasurementData();
    EXPECT_EQ(reference.session.requests.COM_ERR, 0);
    return records(store);
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FaultMatrix : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
    // Ticks until the connection is shown (and, when idle is asked for, no request is left over).
    bool connectsWithin(int ticks, bool idle) {
        const auto done = [&] {
            return window.controls().Label1->text() == QStringLiteral("接続中") && window.session().link.deviceFound() &&
                   (!idle || window.session().requests.COM_REQ == kNoRequest);
        };
        for (int tick = 0; tick < ticks && !done(); ++tick) window.Timer2_Timer();
        return done();
    }

    testing::SimulatedRig rig{testerWithRecords()};
    testing::ScriptedDialogs dialogs;
    QTemporaryDir program, config, documents;
    frmMain window{{rig.bus, rig.clock, rig.events, dialogs, {program.path(), config.path(), documents.path()},
                    [this] { return rig.localTime; }, false}};
};

TEST_P(FaultMatrix, WindowRecoversWithRecordsAndSettingsWhole) {
    const auto& [name, run] = kCommands[std::get<0>(GetParam())];
    const Fault fault = kFaults[std::get<1>(GetParam())].second;
    const bool download = std::string_view(name) == "Download", clear = std::string_view(name) == "DeviceClear";

    ASSERT_TRUE(window.Form_Load());
    ASSERT_TRUE(connectsWithin(5, true));
    window.Command1_Click(0);
    ASSERT_EQ(window.store().RecordCount, 30);
    ASSERT_TRUE(connectsWithin(5, true));

    const Records before = records(window.store());
    const QString settingsPath = window.settingsFile().path();
    const QByteArray settingsBefore = fileBytes(settingsPath);
    ASSERT_FALSE(settingsBefore.isEmpty());
    // The tester now holds something else, so a completed download cannot pass for an untouched store.
    rig.tester.state().slots[1000] = sim::StoredRecord{};
    std::get<sim::StoredRecord>(*rig.tester.state().slots[0]).flowResult = 1234;
    const Records fresh = completedDownload(rig.tester.state());
    dialogs.shown.clear();
    dialogs.answers = {true, true};

    // A download is struck part way, with records already in: a store updated as they come would show it.
    bool armed = download;
    const std::size_t strikeAt = rig.tester.receivedCommands().size() + 15;
    rig.events.setHook([&] {
        if (!armed || rig.tester.receivedCommands().size() < strikeAt) return;
        armed = false;
        rig.tester.injectFault(fault);
    });
    if (!download) rig.tester.injectFault(fault);
    run(window);
    rig.events.setHook({});
    if (!download && !clear) window.Timer2_Timer();

    // The fault ends: the cable goes back in, and a tester left rewriting its program restarts.
    if (rig.tester.inProgramRewriteMode()) rig.tester.unplug();
    rig.tester.plugIn();
    // The tester is left alone for a while after a clear; those ticks do not count.
    EXPECT_TRUE(connectsWithin(5 + window.session().requests.com_dis_ctr, false)) << window.controls().Label1->text().toStdString();
    EXPECT_FALSE(window.session().exchange.busy());
    EXPECT_EQ(window.session().requests.COM_ENA, 1);
    EXPECT_FALSE(window.programEnded());

    const data::RecordStore& store = window.store();
    const Records after = records(store);
    const QString told = dialogs.shown.empty() ? QString() : dialogs.shown.back().text;
    if (clear) {
        EXPECT_EQ(store.RecordCount, 0);  // the operator asked for it
    } else if (download && fault == Fault::Garbage) {
        // Noise can pass as records; they must still be ones the data file can hold (below).
        EXPECT_TRUE(store.RecordCount >= 0 && store.RecordCount <= sim::kSlotCount) << store.RecordCount;
    } else if (download && after == fresh) {
        EXPECT_EQ(told, QStringLiteral("読み込みが正常に終了しました。"));
    } else {
        EXPECT_TRUE(after == before) << "records changed: " << store.RecordCount;
        EXPECT_TRUE(!download || told == QStringLiteral("トルベックスが接続されていません")) << told.toStdString();
    }
    QBuffer saved;
    saved.open(QIODevice::WriteOnly);
    EXPECT_TRUE(data::writeCsv(saved, store)) << "the records can no longer be saved";
    const auto readBack = data::parseCsv(saved.data());
    EXPECT_TRUE(readBack && readBack->size() == after.size()) << "the saved records do not read back";

    // Setting.ini is untouched or holds exactly what the window holds.
    const SettingsFile::LoadResult file = window.settingsFile().load();
    EXPECT_TRUE(fileBytes(settingsPath) == settingsBefore ||
                (file.readable && file.settings.measurement == window.session().values.measurementSettings &&
                 file.settings.DataDirectory == window.DataDirectory));
}

INSTANTIATE_TEST_SUITE_P(EveryCommandEveryFault, FaultMatrix,
                         ::testing::Combine(::testing::Range(0, int(std::size(kCommands))), ::testing::Range(0, int(std::size(kFaults)))),
                         [](const auto& info) {
                             return std::string(kCommands[std::get<0>(info.param)].first) + '_' + kFaults[std::get<1>(info.param)].first;
                         });

}  // namespace
}  // namespace torbex::app
