#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "app/support/scripted_dialogs.h"
#include "support/sim_fixture.h"

namespace torbex::testing {

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_EQ((std::tuple{file.open(QIODevice::WriteOnly | QIODevice::Truncate), file.write(bytes)}), std::tuple(true, bytes.size()));
}

// A tester holding a test of each of two pumps, and a history of each test's own, for the history tests.
inline sim::TesterState twoPumps() {
    sim::TesterState state;
    state.slots[0] = sim::StoredRecord{.rfid = QStringLiteral("00000000000000A1"), .status = 0x8F, .date = QStringLiteral("240105"),
                                       .flowResult = 995};
    state.slots[1] = sim::StoredRecord{.rfid = QStringLiteral("00000000000000B2"), .status = 0x83, .date = QStringLiteral("240106")};
    return state;
}
inline history::DatabaseTarget freshHistory() {
    static QTemporaryDir folder;
    static int count = 0;
    return {history::DatabaseTarget::Kind::Sqlite, folder.filePath(QStringLiteral("history-%1.sqlite").arg(++count))};
}

// The main window over a simulated tester in temporary folders, never shown; the poll tick is
// stepped by hand and every dialog answered from a script.
class WindowTest : public ::testing::Test {
protected:
    explicit WindowTest(sim::TesterState state = {}, std::optional<history::DatabaseTarget> history = std::nullopt)
        : rig(std::move(state)), historyTarget(std::move(history)) {
        window.tester().setPause([this](int ms) { rig.clock.advance(ms); });
    }
    app::MainWindowServices services(std::optional<history::DatabaseTarget> history) {
        return {rig.bus, rig.clock, rig.events, dialogs, folders, [this] { return rig.localTime; }, false, std::move(history), 12};
    }

    // What was shown since the last call, as "title|text".
    std::vector<QString> told() {
        std::vector<QString> all;
        for (const auto& shown : dialogs.shown) all.push_back(shown.title + u'|' + shown.text);
        dialogs.shown.clear();
        return all;
    }
    QWidget* widget(const QString& name) const { return window.findChild<QWidget*>(name); }
    // The texts of the named labels, boxes and lists, joined by "|".
    QString seen(const char* names) const {
        QStringList texts;
        for (const QString& name : QString::fromLatin1(names).split(u' '))
            texts << widget(name)->property("text").toString() + widget(name)->property("currentText").toString();
        return texts.join(u'|');
    }
    void tick(int times = 1) { while (times-- > 0) window.Timer2_Timer(); }
    void fillTester(int count) {  // flow results 100.0 % less a tenth per slot
        for (int i = 0; i < count; ++i)
            rig.tester.state().slots[static_cast<std::size_t>(i)] = sim::StoredRecord{.status = 0x8F, .flowResult = 1000 - i};
    }
    long testerRecords() const {
        return std::ranges::count_if(rig.tester.state().slots, [](const auto& slot) { return slot.has_value(); });
    }

    SimulatedRig rig;
    ScriptedDialogs dialogs;
    QTemporaryDir program, config, documents;
    const app::SettingsFolders folders{program.path(), config.path(), documents.path()};
    std::optional<history::DatabaseTarget> historyTarget;
    app::frmMain window{services(historyTarget)};
};

}  // namespace torbex::testing
