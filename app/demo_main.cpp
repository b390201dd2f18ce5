// The main window driven by the simulated tester, for demonstrations and training.
#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>
#include <cstdio>

#include "app/operator_texts.h"
#include "app/program.h"
#include "sim/scenario.h"
#include "sim/simulated_bus.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (!torbex::app::prepareApplication(app)) return 1;

    const QStringList arguments = torbex::app::launchOptions(QApplication::arguments()).rest;
    const QString scenarioPath = arguments.size() > 1 ? arguments[1] : QStringLiteral(":/scenarios/sample.json");
    torbex::sim::ScenarioResult scenario = torbex::sim::loadScenarioFile(scenarioPath);
    if (!scenario.state) {
        std::fprintf(stderr, "torbex-demo: %s\n", qPrintable(scenario.error));
        QMessageBox box(QMessageBox::NoIcon, torbex::app::texts::kError, scenario.error, QMessageBox::Ok);
        box.exec();
        return 3;
    }
    torbex::sim::SimulatedTester tester(std::move(*scenario.state));
    torbex::sim::SimulatedBus bus;
    bus.attachTester(tester);
    torbex::link::SteadyClock clock;
    // The simulated tester's tests are kept apart from the real history.
    const QString demoHistory = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/demo-history.sqlite");
    return torbex::app::runMainWindow(app, bus, clock, torbex::history::DatabaseTarget{torbex::history::DatabaseTarget::Kind::Sqlite, demoHistory});
}
