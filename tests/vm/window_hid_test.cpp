// The main window over the real HID stack, run inside the test machine: hidapi, hidraw and uhid,
// with torbex-virtual-tester as the tester. Ticks come every 500 ms, counted here so that the
// tick rules can be checked.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/connection_label.h"
#include "app/frm_main.h"
#include "app/operator_texts.h"
#include "app/support/scripted_dialogs.h"
#include "link/hidapi_transport.h"

namespace torbex::testing {
namespace {

const QString kConnected = QStringLiteral("接続中");
const QString kNotConnected = QStringLiteral("未接続");

// Runs events until `done` holds; false after limitMs.
template <typename Done>
bool runUntil(Done done, int limitMs = 20000) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > limitMs) return false;
        QTest::qWait(5);
    }
    return true;
}

// A torbex-virtual-tester process, its messages and trace kept as they come.
class PluggedTester {
public:
    explicit PluggedTester(const char* scenario) {
        m_process.start(qEnvironmentVariable("TORBEX_VIRTUAL_TESTER"),
                        {QStringLiteral("--trace"), qEnvironmentVariable("TORBEX_VM_SCENARIOS") + u'/' + QLatin1String(scenario)});
    }
    ~PluggedTester() { unplug(); }
    bool pluggedIn() { return runUntil([this] { return log().contains(QStringLiteral("plugged in")); }); }
    void unplug() {
        if (m_process.state() == QProcess::NotRunning) return;
        m_process.terminate();
        runUntil([this] { return m_process.state() == QProcess::NotRunning; });
    }
    qsizetype commandsReceived() { return log().count(QStringLiteral("\nout:")); }

private:
    const QString& log() { return m_log += QString::fromUtf8(m_process.readAllStandardError()); }
    QProcess m_process;
    QString m_log;
};

class WindowOverHid : public ::testing::Test {
protected:
    WindowOverHid() {
        EXPECT_TRUE(window.Form_Load());
        QObject::connect(&timer, &QTimer::timeout, [this] {
            window.Timer2_Timer();
            captions.push_back(window.controls().Label1->text());
            banners.push_back(window.controls().lblSN->text());
        });
        timer.start(commands::PollTick::kIntervalMs);
    }
    void waitTicks(std::size_t count) {
        const std::size_t until = captions.size() + count;
        runUntil([&] { return captions.size() >= until; });
    }
    // Milliseconds until the label shows `caption`, at most 20 s.
    qint64 msUntilLabel(const QString& caption) {
        QElapsedTimer waited;
        waited.start();
        runUntil([&] { return window.controls().Label1->text() == caption; });
        return waited.elapsed();
    }

    link::HidapiTransport transport;
    link::SteadyClock clock;
    link::QtEventPump events;
    ScriptedDialogs dialogs;
    QTemporaryDir program, config, documents;
    app::frmMain window{{transport, clock, events, dialogs, {program.path(), config.path(), documents.path()},
                         &QDateTime::currentDateTime, false, std::nullopt, 12}};
    QTimer timer;
    std::vector<QString> captions, banners;  // after each tick
};

TEST_F(WindowOverHid, APlugInShowsConnectedWithinASecondAndThenTheSerial) {
    ASSERT_LT(msUntilLabel(kNotConnected), 20000) << "no tester, yet never 未接続";
    PluggedTester tester("sample.json");
    ASSERT_TRUE(tester.pluggedIn());
    EXPECT_LE(msUntilLabel(kConnected), 1000);
    waitTicks(2);
    EXPECT_EQ(window.controls().lblSN->text(), app::serialBanner(QStringLiteral("TB000123")));
}

TEST_F(WindowOverHid, AnUnplugShowsNotConnectedOnTheFifthTickAndAReplugDownloads) {
    PluggedTester tester("sample.json");
    ASSERT_TRUE(tester.pluggedIn());
    ASSERT_LT(msUntilLabel(kConnected), 20000);
    waitTicks(2);
    timer.stop();  // every tick counted is one after the unplug
    tester.unplug();
    captions.clear();
    timer.start();
    waitTicks(5);
    // The first tick loses the connection it had; the next ones find no tester and blank the label.
    EXPECT_EQ(captions, (std::vector<QString>{kConnected, {}, {}, {}, kNotConnected}));
    EXPECT_EQ(window.controls().lblSN->text(), app::kSerialBannerPrefix);

    PluggedTester again("sample.json");
    ASSERT_TRUE(again.pluggedIn());
    ASSERT_LT(msUntilLabel(kConnected), 20000);
    const QString saved = documents.filePath(QStringLiteral("after-replug.csv"));
    dialogs.files = {saved};
    dialogs.shown.clear();
    window.Command1_Click(app::DataButton::Load);
    EXPECT_EQ(window.store().records().size(), 120U);
    window.Command1_Click(app::DataButton::Save);
    EXPECT_EQ(dialogs.shown.empty() ? QString() : dialogs.shown.front().text, app::texts::kLoadDone);
    QFile file(saved), expected(qEnvironmentVariable("TORBEX_VM_EXPECTED_CSV"));
    ASSERT_EQ(std::pair(file.open(QIODevice::ReadOnly), expected.open(QIODevice::ReadOnly)), std::pair(true, true));
    EXPECT_EQ(file.readAll(), expected.readAll()) << "the window's records differ from the tool's on the simulated tester";
}

TEST_F(WindowOverHid, WithTwoTestersTheFirstFoundStaysInUse) {
    timer.stop();  // both are there at the first search
    PluggedTester first("tester-a.json");
    ASSERT_TRUE(first.pluggedIn());
    PluggedTester second("tester-b.json");
    ASSERT_TRUE(second.pluggedIn());
    timer.start();
    ASSERT_LT(msUntilLabel(kConnected), 20000);
    waitTicks(2);
    banners.clear();
    const qsizetype before = first.commandsReceived();
    waitTicks(6);
    EXPECT_EQ(banners, std::vector<QString>(6, app::serialBanner(QStringLiteral("TB00000A"))));
    EXPECT_TRUE(runUntil([&] { return first.commandsReceived() - before >= 6; }, 2000)) << "the first tester was not asked on every tick";
    EXPECT_EQ(second.commandsReceived(), 0);
}

}  // namespace
}  // namespace torbex::testing
