// Every tester request, driven the way the operator drives it, against every fault the tester or
// the cable can commit. Whatever happens, the window must come back connected within a few ticks
// with its records and its settings file either untouched or completely replaced.
#include <QtWidgets>
#include <string_view>

#include "app/support/window_fixture.h"
#include "data/csv_format.h"

namespace torbex::app {
namespace {

using sim::Fault;
using Records = std::vector<data::MeasurementRecord>;

// The buttons queue their request for the next tick; Download and DeviceClear talk to the tester
// at once. Every question is answered Yes; the transfer's new flow rewrites Setting.ini.
const std::pair<const char*, void (*)(frmMain&)> kCommands[] = {
    {"SettingsTransfer", [](frmMain& w) { w.controls().Text2.at(0)->setText(QStringLiteral("12.5")); w.Command5_Click(SettingsButton::Transfer); }},
    {"CalibrationWrite", [](frmMain& w) { w.Command6_Click(FactoryButton::Write); }}, {"Clock", [](frmMain& w) { w.Command2_Click(); }},
    {"ModeChange", [](frmMain& w) { w.Command3_Click(ModeButton::Normal); }},
    {"ProgramRewrite", [](frmMain& w) { w.Command3_Click(ModeButton::ProgramRewrite); }},
    {"VersionRead", [](frmMain& w) { w.requests().queue(commands::Request::ReadVersion); }},
    {"SettingsRead", [](frmMain& w) { w.Command5_Click(SettingsButton::Read); }},
    {"CalibrationRead", [](frmMain& w) { w.Command6_Click(FactoryButton::Read); }}, {"Poll", [](frmMain&) {}},
    {"Download", [](frmMain& w) { w.Command1_Click(DataButton::Load); }},
    {"DeviceClear", [](frmMain& w) { w.Command1_Click(DataButton::Clear); }}};
const std::pair<const char*, Fault> kFaults[] = {{"TimeOut", Fault::NoAnswer}, {"StaleEcho", Fault::StaleEcho},
    {"WriteFails", Fault::WriteFails}, {"Unplug", Fault::Unplug}, {"Replug", Fault::Replug}, {"Garbage", Fault::Garbage},
    {"RecordNotReady", Fault::RecordNotReady}};

sim::TesterState testerWithRecords() {
    sim::TesterState state;
    for (int i = 0; i < 30; ++i)  // uneven gaps between the slots
        state.slots[static_cast<std::size_t>(i * 33 + i % 2)] = sim::StoredRecord{.status = i % 2 ? 0x13 : 0x8F, .flowResult = i};
    return state;
}

Records records(const data::RecordStore& store) { return {store.records().begin(), store.records().end()}; }

class FaultMatrix : public testing::WindowTest, public ::testing::WithParamInterface<std::tuple<int, int>> {
protected:
    FaultMatrix() : WindowTest(testerWithRecords()) {}
    // Ticks until the connection is shown (and, when idle is asked for, no request is left over).
    bool connectsWithin(int ticks, bool idle) {
        const auto done = [&] {
            return seen("Label1") == u"接続中" && window.tester().link().connected() && (!idle || window.requests().pending() == commands::Request::None);
        };
        for (int i = 0; i < ticks && !done(); ++i) tick();
        return done();
    }
};

TEST_P(FaultMatrix, WindowRecoversWithRecordsAndSettingsWhole) {
    const auto& [name, run] = kCommands[std::get<0>(GetParam())];
    const Fault fault = kFaults[std::get<1>(GetParam())].second;
    const bool download = name == std::string_view("Download"), clear = name == std::string_view("DeviceClear");

    ASSERT_EQ((std::tuple{window.Form_Load(), connectsWithin(5, true)}), std::tuple(true, true));
    window.Command1_Click(DataButton::Load);
    ASSERT_EQ((std::tuple{window.store().count(), connectsWithin(5, true)}), std::tuple(30, true));

    const Records before = records(window.store());
    const QString settingsPath = window.settingsFile().path();
    const QByteArray settingsBefore = testing::fileBytes(settingsPath);
    // The tester now holds something else, so a completed download cannot pass for an untouched store.
    rig.tester.state().slots[1000] = sim::StoredRecord{};
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
    if (!download && !clear) tick();

    // The fault ends: the cable goes back in, and a tester left rewriting its program restarts.
    if (rig.tester.inProgramRewriteMode()) rig.tester.unplug();
    rig.tester.plugIn();
    // The tester is left alone for a while after a clear; those ticks do not count.
    EXPECT_TRUE(connectsWithin(5 + window.pollTick().holdOffTicks(), false)) << seen("Label1").toStdString();
    EXPECT_EQ(std::tuple(window.tester().busy(), window.pollTick().dispatchEnabled(), window.programEnded()), std::tuple(false, true, false));

    const Records after = records(window.store());
    const QString told = dialogs.shown.empty() ? QString() : dialogs.shown.back().text;
    if (clear) {
        EXPECT_TRUE(after.empty());  // the operator asked for it
    } else if (download && told == QStringLiteral("読み込みが正常に終了しました。")) {
        EXPECT_EQ(after.size(), 31U);  // a garbled reply is asked for again, never taken for a skip
    } else {
        EXPECT_TRUE(after == before) << "records changed: " << after.size();
        EXPECT_TRUE(!download || told == QStringLiteral("トルベックスが接続されていません")) << told.toStdString();
    }
    // Whatever came in can be saved and reads back as many records.
    const auto saved = data::csvBytes(window.store().records());
    EXPECT_EQ(std::tuple(saved.has_value(), saved ? data::parseCsv(*saved)->size() : 0U), std::tuple(true, after.size()))
        << "the records no longer save";

    // Setting.ini is untouched or holds exactly what the window holds.
    const SettingsFile::LoadResult file = window.settingsFile().load();
    if (testing::fileBytes(settingsPath) != settingsBefore) {
        EXPECT_EQ(std::tuple(file.readable, file.settings.measurement), std::tuple(true, window.values().measurementSettings));
    }
}

INSTANTIATE_TEST_SUITE_P(EveryCommandEveryFault, FaultMatrix,
                         ::testing::Combine(::testing::Range(0, int(std::size(kCommands))), ::testing::Range(0, int(std::size(kFaults)))),
                         [](const auto& info) {
                             return std::string(kCommands[std::get<0>(info.param)].first) + '_' + kFaults[std::get<1>(info.param)].first;
                         });

}  // namespace
}  // namespace torbex::app
