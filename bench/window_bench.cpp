// Start-up to a shown window, and a full grid rebuild with a full record store. Runs on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/frm_main.h"
#include "app/operator_dialogs.h"
#include "sim/simulated_bus.h"

namespace {

using namespace torbex;

struct SilentDialogs final : app::OperatorDialogs {
    void showMessage(const QString&, const QString&) override {}
    bool askYesNo(const QString&, const QString&) override { return false; }
    std::optional<QString> chooseFileToWrite(const FileChoice&) override { return std::nullopt; }
    std::optional<QString> chooseFileToRead(const FileChoice&) override { return std::nullopt; }
    std::optional<QString> editManagementNumber(const QString&) override { return std::nullopt; }
    std::optional<QString> askInspector(const QString&) override { return std::nullopt; }
    std::optional<std::map<QString, QString>> editPump(const history::RegisteredPump&) override { return std::nullopt; }
    std::unique_ptr<app::ProgressView> showDownloadProgress() override { return nullptr; }
    void showHistory(history::HistoryStore&, int) override {}
};

struct WindowRig {
    WindowRig() { bus.attachTester(tester); }
    app::MainWindowServices services() {
        return {bus, clock, events, dialogs, {folder.path(), folder.path(), folder.path()}, &QDateTime::currentDateTime, false, std::nullopt, 12};
    }
    QTemporaryDir folder;
    link::ManualClock clock;
    link::CallbackEventPump events;
    SilentDialogs dialogs;
    sim::SimulatedTester tester;
    sim::SimulatedBus bus;
};

void BM_StartupToWindowShown(benchmark::State& state) {
    WindowRig rig;
    for (auto _ : state) {
        app::frmMain window(rig.services());
        window.Form_Load();
        window.show();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_StartupToWindowShown)->Unit(benchmark::kMillisecond);

void BM_DispDataFullStore(benchmark::State& state) {
    WindowRig rig;
    app::frmMain window(rig.services());
    window.Form_Load();
    window.show();
    std::vector<data::MeasurementRecord> records(data::RecordStore::kCapacity);
    for (data::MeasurementRecord& record : records) {
        record.status = 0x8F;
        record.PumpRfid = QStringLiteral("0807060504030201");
        record.MeasureDate = QStringLiteral("2013/02/28");
        record.MeasureTime = QStringLiteral("11:20");
        record.FlowResult = QStringLiteral("  99.5");
        record.OcclusionResult = QStringLiteral("    53.2");
    }
    window.store().replace(records);
    for (auto _ : state) {
        window.DispData();
        QApplication::processEvents();  // the repaint belongs to the cost
    }
}
BENCHMARK(BM_DispDataFullStore)->Unit(benchmark::kMillisecond);

}  // namespace
