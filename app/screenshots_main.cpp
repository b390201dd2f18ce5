// Pictures of every window and dialog as the operator sees them on the screen, to look at the
// program in each language at each screen size in use (tools/screenshots.sh runs it under Xvfb).
// The simulated tester stands in for a real one; every dialog is the real one, opened the way the
// operator opens it, pictured and closed.
#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QProgressDialog>
#include <QFile>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "app/frm_history.h"
#include "app/frm_main.h"
#include "app/message_box_dialogs.h"
#include "app/operator_texts.h"
#include "app/program.h"
#include "link/event_pump.h"
#include "sim/scenario.h"
#include "sim/simulated_bus.h"

namespace {

using namespace torbex;

// Saves the whole screen as `<folder>/<name>.png`.
class Camera {
public:
    explicit Camera(QString folder) : m_folder(std::move(folder)) {}
    void shoot(const QString& name) {
        QApplication::processEvents();
        const QString path = QDir(m_folder).filePath(name + QStringLiteral(".png"));
        if (!QGuiApplication::primaryScreen()->grabWindow(0).save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        else std::printf("%s\n", qPrintable(path));
    }

private:
    QString m_folder;
};

struct Step {
    const char* name;
    std::function<void()> act;
};

}  // namespace

int main(int argc, char* argv[]) {
    // Every window as it opens the first time: what an earlier run (or the operator) left in the
    // configuration folder stays out of the pictures, and the runs leave nothing in it.
    QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configuration.path()));
    QApplication app(argc, argv);
    if (!app::prepareApplication(app)) return 1;
    const QStringList arguments = app::launchOptions(QApplication::arguments()).rest;
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: torbex-screenshots [--lang ja|en] FOLDER\n");
        return 1;
    }
    Camera camera(arguments[1]);
    sim::ScenarioResult scenario = sim::loadScenarioFile(QStringLiteral(":/scenarios/sample.json"));
    if (!scenario.state) return 3;
    sim::SimulatedTester tester(std::move(*scenario.state));
    sim::SimulatedBus bus;
    bus.attachTester(tester);
    link::SteadyClock clock;
    link::QtEventPump events;
    QTemporaryDir folder;
    const QString documents = folder.filePath(QStringLiteral("documents"));
    QDir().mkpath(documents);
    app::MessageBoxDialogs dialogs;
    app::frmMain window({bus, clock, events, dialogs, {folder.path(), folder.path(), documents}, &QDateTime::currentDateTime, true,
                         history::DatabaseTarget{history::DatabaseTarget::Kind::Sqlite, folder.filePath(QStringLiteral("h.sqlite"))},
                         12});
    dialogs.setParent(&window);

    // Each dialog that comes up is pictured and closed; the history window page by page.
    QString stepName = QStringLiteral("start");
    int dialogsOfStep = 0;
    bool progressShown = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QPointer<QWidget> dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible()) return;
        // The download's progress is pictured on its way and goes by itself; closing it would cancel the download.
        if (auto* progress = qobject_cast<QProgressDialog*>(dialog)) {
            if (!progressShown && progress->value() > 60) {  // half-way through the sample's records
                progressShown = true;
                camera.shoot(stepName + QStringLiteral("-progress"));
            }
            return;
        }
        closer.stop();
        QTimer::singleShot(300, [&, dialog] {  // drawn and settled
            if (!dialog) {
                closer.start();
                return;
            }
            const QString name = stepName + QStringLiteral("-%1").arg(++dialogsOfStep);
            if (auto* history = qobject_cast<app::frmHistory*>(dialog)) {
                for (int page = 0; page < history->tabPages->count(); ++page) {
                    history->tabPages->setCurrentIndex(page);
                    if (page == 0) history->grdPumps_Click(0);
                    camera.shoot(name + QStringLiteral("-page%1").arg(page + 1));
                }
            } else {
                camera.shoot(name);
            }
            dialog->close();
            closer.start();
        });
    });
    closer.start(100);

    if (!window.Form_Load()) return 1;
    app::fitToScreen(window);
    window.show();
    const history::RegisteredPump pump{QStringLiteral("00000000000000A1"), QStringLiteral("P-01"),
                                       {QStringLiteral("M1"), QStringLiteral("X-9"), {}, QStringLiteral("ICU"), {}, false, {}}};
    const std::vector<Step> steps{
        {"main-start", [] {}},
        {"download", [&] {
             tester.setReportDelay(std::chrono::milliseconds(10));  // slowed down, so that its progress shows
             window.Command1_Click(app::DataButton::Load);
             tester.setReportDelay({});
         }},
        {"main-data", [] {}},
        {"edit", [&] { window.Grid2_DblClick(1, 2); }},
        {"save", [&] { window.Command1_Click(app::DataButton::Save); }},
        {"question", [&] { dialogs.askYesNo(app::texts::kConfirm, app::texts::kUnsavedQuestion); }},
        {"main-settings", [&] { window.cmdMode_Click(app::Page::Settings); }},
        {"main-factory", [&] { window.cmdMode_Click(app::Page::Factory); }},
        {"history", [&] { window.cmdMode_Click(app::Page::Data); window.cmdHistory_Click(); }},
        {"pump", [&] { dialogs.editPump(pump); }},
        {"inspector", [&] { dialogs.askInspector(QStringLiteral("Yamada")); }},
        {"open", [&] { dialogs.chooseFileToRead({app::texts::kReportDialogTitle, QStringLiteral("*.csv"), documents, {}}); }},
    };
    // Each step once the window has settled; a step waits until the dialogs it opened are closed.
    QTimer::singleShot(1500, [&] {
        for (const Step& step : steps) {
            stepName = QString::fromLatin1(step.name);
            dialogsOfStep = 0;
            step.act();
            if (stepName.startsWith(u"main-")) camera.shoot(stepName);
        }
        QCoreApplication::exit(0);  // the unsaved records are the demo's: no question
    });
    return app.exec();
}
